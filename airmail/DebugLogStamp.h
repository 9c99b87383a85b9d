#pragma once
// The time stamp that starts a line of AirMail's debug log: a date and a
// time ("mm/dd/yyyy hh:mm:ss"), or a time alone that takes the date of an
// earlier line. Fractions of a second after "." are dropped.
#include <chrono>
#include <optional>
#include <string_view>

namespace velmora {

struct DebugLogStamp {
  std::optional<std::chrono::year_month_day> date;  // absent on time-only lines
  std::chrono::seconds timeOfDay{0};
  std::string_view message;  // after the stamp and the blanks that follow it
};

// nullopt when the line starts with no time stamp.
std::optional<DebugLogStamp> DebugLogLineStamp(std::string_view line);

}  // namespace velmora
