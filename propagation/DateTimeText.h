#pragma once
// Date-time texts as AirMail writes them into its position report
// ("05/14/2024 08:30:00"), read liberally the way a general date-time
// conversion reads them.
#include <optional>
#include <string_view>

#include "common/SystemLib.h"

namespace velmora {

// Accepts a date, a time, or a date followed by a time (a blank or "T"
// between them):
//   dates  m/d/yyyy, m-d-yyyy (d/m/yyyy when the first number exceeds 12),
//          yyyy-mm-dd, yyyy/mm/dd, d.m.yyyy, d-Mon-yyyy, d Mon yyyy,
//          Mon d, yyyy; two-digit years 00-29 are 20xx, 30-99 19xx;
//   times  h:mm, h:mm:ss, h:mm:ss.fff, each with an optional AM or PM, and
//          an optional "Z".
// A time alone falls on 1899-12-30, as the classic conversion puts it.
// Anything else, or a date that does not exist, gives nullopt.
std::optional<UtcDateTime> DateTimeFromText(std::string_view text);

// Whole calendar days from one date to another (negative when it lies before).
long long CalendarDaysBetween(const UtcDateTime& from, const UtcDateTime& to);

}  // namespace velmora
