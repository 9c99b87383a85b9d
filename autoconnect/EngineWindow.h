#pragma once
// What the AutoConnect steps need of their window: the settings taken from
// its fields at start, the system and station chosen in it, the status
// panels and live labels, and the few things done to the window itself.
#include <string>
#include <string_view>

#include "airmail/AutoConnectSettings.h"

namespace velmora {

class EngineWindow {
 public:
  virtual ~EngineWindow() = default;

  // Copies the option fields into the settings and returns them.
  virtual const AutoConnectSettings& SettingsFromWindow() = 0;
  virtual std::string CurrentSystem() = 0;
  virtual std::string CurrentStation() = 0;  // the station key

  // Status panels 1 to 4 as shown, and written as given.
  virtual std::string PanelText(int panel) = 0;
  virtual void PanelSet(int panel, std::string_view text) = 0;
  virtual void ConnectNotBusyShow(std::string_view text) = 0;   // lblConnectNotBusy
  virtual void ConnectAttemptsShow(std::string_view text) = 0;  // lblConnectAttempts

  // Enables fields, Mode list and toolbar by whether a run or the noise
  // collection is active.
  virtual void WindowModeRefresh() = 0;
  virtual void WindowActivate() = 0;  // in front of AirMail
  virtual void Beep() = 0;
  virtual void PointerBusy(bool busy) = 0;  // the hourglass
};

}  // namespace velmora
