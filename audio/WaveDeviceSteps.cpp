#include "audio/WaveDeviceSteps.h"

#include <string>

#include "common/SystemLib.h"

namespace velmora {

int WaveDeviceOpen(WaveDevice& device, const WaveFormat& format, std::string_view operation, Messenger& messages) {
  const std::string name(operation);
  std::string errorText;
  if (!device.CreateEvent(errorText)) {
    messages.Show(name + " - Cannot Create Event\r" + errorText);
    return -1;
  }
  if (unsigned code = device.Open(format); code != kWaveOk) {
    messages.Show(name + " - Cannot Open Sound Card\r" + WaveErrorText(code));
    device.CloseEvent();
    return static_cast<int>(code);
  }
  if (!device.WaitEvent(kWaveOpenWait)) {
    messages.Show(name + " - WaveEvent TimeOut");
    return 258;  // the wait's time-out result
  }
  return 0;
}

void WaveDeviceClose(WaveDevice& device, std::string_view operation, Messenger& messages) {
  const std::string name(operation);
  if (device.IsOpen()) {
    if (device.Reset() != kWaveOk) messages.Show(name + " - Cannot Reset Sound Card");
    for (int i = 0; i < 2; ++i)
      if (device.Prepared(i) && device.UnprepareHeader(i) != kWaveOk)
        messages.Show(name + " - Cannot UnprepareHeader #" + std::to_string(i));
    if (device.Close() != kWaveOk) messages.Show(name + " - Cannot Close Sound Card");
  }
  device.CloseEvent();
}

}  // namespace velmora
