#include "airmail/TerminalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/TextParse.h"

namespace velmora {
namespace {

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

TerminalStatus TerminalLineStatus(std::string_view line) {
  if (Contains(line, "kHz, canceled")) return TerminalStatus::Canceled;
  if (Contains(line, "(31)DISCONNECTED") || Contains(line, "Disconnected from")) return TerminalStatus::Disconnected;
  if (Contains(line, "kHz, no answer") || Contains(line, "No answer from")) return TerminalStatus::NoAnswer;
  if (Contains(line, "Calling")) return TerminalStatus::Calling;
  // The idle prompt, complete or cut short.
  if (line.substr(0, 6) == "< id >" || line == "< id " || line == "< id" || line == "< i" || line == "< " ||
      line == "<")
    return TerminalStatus::Idle;
  return TerminalStatus::Connected;
}

TerminalStatus DebugLogLineStatus(std::string_view line, TerminalStatus status) {
  bool byHand = Contains(line, "manual");
  if (Contains(line, "No answer from")) return byHand ? TerminalStatus::Canceled : TerminalStatus::NoAnswer;
  if (Contains(line, "Disconnected from")) return byHand ? TerminalStatus::Canceled : TerminalStatus::Disconnected;
  if (Contains(line, "Connected to")) return TerminalStatus::Connected;
  return status;
}

bool TerminalFieldIsFrequency(std::string_view text) {
  for (size_t at : {4u, 5u, 6u})
    if (text.size() > at && text[at] == '.') return true;
  return false;
}

bool TerminalFieldIsSystem(std::string_view text) {
  std::string upper = ToUpper(text);
  return upper == "HAM" || upper == "SAILMAIL" || upper == "FAX";
}

bool ConnectAidLineIsConnection(std::string_view line) { return Contains(line, "Connected to"); }

bool ConnectAidLineIsServer(std::string_view system, std::string_view line) {
  return ToUpper(system) == "HAM" && line.substr(0, 4) == "PMBO" && Contains(line, "last contacted");
}

int ConnectAidMinutes(std::string_view line) {
  size_t server = line.find("server");
  if (server == std::string_view::npos) return -1;
  size_t min = line.find("min", server);
  if (min == std::string_view::npos) return -1;
  // "server", a blank, the number, a blank, "min".
  size_t start = server + 7;
  if (min <= start + 1) return -1;
  std::string_view number = Trim(Mid(line, start, min - start - 1));
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  int minutes = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), minutes);
  if (number.empty() || error != std::errc() || end != number.data() + number.size()) return -1;
  return minutes;
}

std::optional<MousePoint> MouseAbsoluteCentre(const ScreenRect& window, const ScreenRect& screens) {
  // A point off the screens would be moved to their edge, onto another window.
  auto visible = [](std::int64_t start, std::int64_t length, std::int64_t areaStart, std::int64_t areaLength) {
    std::int64_t from = std::max(start, areaStart), to = std::min(start + length, areaStart + areaLength);
    return std::pair(from, to);
  };
  auto [left, right] = visible(window.left, window.width, screens.left, screens.width);
  auto [top, bottom] = visible(window.top, window.height, screens.top, screens.height);
  if (left >= right || top >= bottom) return std::nullopt;
  auto scale = [](double centre, std::int64_t start, std::int32_t length) {
    return static_cast<std::int32_t>(std::lround((centre - start) * 65536.0 / length));
  };
  return MousePoint{scale((left + right) / 2.0, screens.left, screens.width),
                    scale((top + bottom) / 2.0, screens.top, screens.height)};
}

bool PactorCountsShowLink(const PactorCountValues& counts) {
  // Pactor 2 and the Pactor 3 forms from 1400/2800 Hz up; the 200 and
  // 600 Hz counts do not count as a link.
  return counts.pactor2 > kPactorLinkThreshold || counts.pactor3[2] > kPactorLinkThreshold ||
         counts.pactor3[3] > kPactorLinkThreshold || counts.pactor3[4] > kPactorLinkThreshold ||
         counts.pactor3[5] > kPactorLinkThreshold;
}

std::string PactorDetectorStatusText(const PactorCountValues& counts) {
  static constexpr const char* kLabels[6] = {"Pactor 3 (200), ",  "Pactor 3 (600), ",  "Pactor 3 (1400/2800), ",
                                             "Pactor 3 (2800), ", "Pactor 3 (3200), ", "Pactor 3 (3600), "};
  std::string text = "Pactor Detector Status\r\rThreshold, " + std::to_string(kPactorLinkThreshold) + "\r\r";
  text += "Pactor 2 (100), " + std::to_string(counts.pactor2) + "\r\r";
  for (size_t i = 0; i < 6; ++i) {
    text += kLabels[i] + std::to_string(counts.pactor3[i]);
    if (i < 5) text += '\r';
  }
  return text;
}

}  // namespace velmora
