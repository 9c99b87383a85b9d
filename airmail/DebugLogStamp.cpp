#include "airmail/DebugLogStamp.h"

namespace velmora {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits and separators as in "dd/dd/dddd": 'd' any digit, others themselves.
bool Matches(std::string_view text, std::string_view pattern) {
  if (text.size() < pattern.size()) return false;
  for (size_t i = 0; i < pattern.size(); ++i)
    if (pattern[i] == 'd' ? !IsDigit(text[i]) : text[i] != pattern[i]) return false;
  return true;
}

int Number(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

}  // namespace

std::optional<DebugLogStamp> DebugLogLineStamp(std::string_view line) {
  using namespace std::chrono;
  DebugLogStamp stamp;
  if (Matches(line, "dd/dd/dddd")) {
    year_month_day date{year{Number(line.substr(6, 4))}, month{static_cast<unsigned>(Number(line.substr(0, 2)))},
                        day{static_cast<unsigned>(Number(line.substr(3, 2)))}};
    if (!date.ok()) return std::nullopt;
    stamp.date = date;
    line = SkipBlanks(line.substr(10));
  }
  if (!Matches(line, "dd:dd:dd")) return std::nullopt;
  int hour = Number(line.substr(0, 2)), minute = Number(line.substr(3, 2)), second = Number(line.substr(6, 2));
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  stamp.timeOfDay = hours(hour) + minutes(minute) + seconds(second);
  line.remove_prefix(8);
  if (!line.empty() && line.front() == '.') {
    line.remove_prefix(1);
    while (!line.empty() && IsDigit(line.front())) line.remove_prefix(1);
  }
  stamp.message = SkipBlanks(line);
  return stamp;
}

}  // namespace velmora
