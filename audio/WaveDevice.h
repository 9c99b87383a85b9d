#pragma once
// A wave-audio device as the loops use it: one open device with two buffer
// headers and an event the driver signals when a buffer is done (and when
// the device opens). The same shape serves capture and output.
#include <chrono>
#include <cstdint>
#include <string>

#include "common/SampleFormat.h"

namespace velmora {

struct WaveFormat {
  std::uint16_t channels = 1;
  std::uint32_t samplesPerSecond = kSampleRate;
  std::uint16_t bitsPerSample = 16;
  std::uint16_t BlockAlign() const { return static_cast<std::uint16_t>(channels * bitsPerSample / 8); }
  std::uint32_t AverageBytesPerSecond() const { return samplesPerSecond * BlockAlign(); }
};

inline constexpr unsigned kWaveOk = 0;

class WaveDevice {
 public:
  virtual ~WaveDevice() = default;

  // The buffer-done event. On failure, the system's text for the error.
  virtual bool CreateEvent(std::string& errorText) = 0;
  virtual void CloseEvent() = 0;
  // Waits for the event; false on time-out.
  virtual bool WaitEvent(std::chrono::milliseconds timeout) = 0;

  // Wave error codes: 0 for success.
  virtual unsigned Open(const WaveFormat& format) = 0;
  virtual unsigned PrepareHeader(int index, void* data, std::uint32_t bytes) = 0;
  // Queues buffer index for capture (or writes it for output) with the given
  // length; clears its done flag and recorded byte count.
  virtual unsigned Queue(int index, std::uint32_t bytes) = 0;
  virtual unsigned Start() = 0;  // capture only; output starts with the first write
  virtual unsigned Reset() = 0;
  virtual unsigned UnprepareHeader(int index) = 0;
  virtual unsigned Close() = 0;

  virtual bool IsOpen() const = 0;
  virtual bool Prepared(int index) const = 0;
  virtual bool Done(int index) const = 0;
  virtual void MarkDone(int index) = 0;  // output: both buffers start free
  virtual std::uint32_t BytesRecorded(int index) const = 0;
};

}  // namespace velmora
