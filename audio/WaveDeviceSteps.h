#pragma once
// Opening and closing a wave device the same way for capture and output;
// only the operation's name in the messages differs.
#include <string_view>

#include "audio/WaveDevice.h"
#include "common/Messages.h"

namespace velmora {

inline constexpr auto kWaveOpenWait = std::chrono::milliseconds(100);     // the driver signals the open
inline constexpr auto kWaveBufferWait = std::chrono::milliseconds(5000);  // longest wait for one buffer

// The event, the device, then the wait for the open's signal: 0 on success,
// -1 when the event fails, the wave error code, or the wait's time-out result.
int WaveDeviceOpen(WaveDevice& device, const WaveFormat& format, std::string_view operation, Messenger& messages);

// Stops the device, releases its prepared headers, closes it and its event.
// Each failure only shows its message; closing goes on.
void WaveDeviceClose(WaveDevice& device, std::string_view operation, Messenger& messages);

}  // namespace velmora
