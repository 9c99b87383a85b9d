#include "autoconnect/StatusBarText.h"

#include <algorithm>
#include <cmath>

#include "common/Format.h"

namespace velmora {

std::string ElapsedText(double seconds) {
  // Rounded whole first, so 59.6 s reads "1:00" and never "60" or "0:60".
  long long total = std::llround(std::max(seconds, 0.0));
  long long hours = total / 3600, minutes = total % 3600 / 60, rest = total % 60;
  auto two = [](long long v) { return (v < 10 ? "0" : "") + IntegerText(v); };
  if (hours > 0) return IntegerText(hours) + ":" + two(minutes) + ":" + two(rest);
  if (minutes > 0) return IntegerText(minutes) + ":" + two(rest);
  return two(rest);
}

void StatusBarText::StatusTimesUpdate(std::optional<double> connectedSeconds, double runSeconds) {
  if (connectedSeconds) Write(3, ElapsedText(*connectedSeconds));
  Write(4, ElapsedText(runSeconds) + " ");
}

void StatusBarText::Write(int panel, const std::string& text) {
  if (window_.PanelText(panel) != text) window_.PanelSet(panel, text);
}

}  // namespace velmora
