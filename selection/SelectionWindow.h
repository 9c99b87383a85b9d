#pragma once
// What AutoSelect needs of the AutoConnect window: coming to the front
// before a message, the engine's status panel, and the noise measurement
// that makes the final choice when "Auto Select Noise" is on.
#include <string_view>

namespace velmora {

class SelectionWindow {
 public:
  virtual ~SelectionWindow() = default;
  virtual void WindowActivate() = 0;
  // Panel 2 of the status bar.
  virtual void UpdateStatusStatus(std::string_view text) = 0;
  virtual void NoiseSelectionStart() = 0;
};

}  // namespace velmora
