#pragma once
// The AutoConnect window's status panels as the engine writes them: panel 1
// the run state, 2 the engine status, 3 the time connected, 4 the time since
// the run started. A text is written only when it differs from what the
// panel shows; panels 2 and 4 carry one blank after their text.
#include <optional>
#include <string>
#include <string_view>

#include "airmail/AutomationSeams.h"
#include "autoconnect/EngineWindow.h"

namespace velmora {

// "0:00:00" from an hour, "0:00" from a minute, else "00".
std::string ElapsedText(double seconds);

class StatusBarText final : public StatusPanel {
 public:
  explicit StatusBarText(EngineWindow& window) : window_(window) {}

  void UpdateStatusState(std::string_view text) { Write(1, std::string(text)); }
  void UpdateStatusStatus(std::string_view text) { Write(2, std::string(text) + " "); }
  // Panel 2 as it reads, its trailing blank included.
  std::string StatusStatus() { return window_.PanelText(2); }
  // The terminal operations report through the engine status.
  void StatusSet(std::string_view text) override { UpdateStatusStatus(text); }

  // Panel 3 only while connected.
  void StatusTimesUpdate(std::optional<double> connectedSeconds, double runSeconds);
  void ConnectedTimeClear() { Write(3, ""); }

 private:
  void Write(int panel, const std::string& text);

  EngineWindow& window_;
};

}  // namespace velmora
