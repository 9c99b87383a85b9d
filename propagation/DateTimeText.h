#pragma once
// Date-time texts as AirMail writes them into its position report
// ("05/14/2024 08:30:00"), read liberally the way a general date-time
// conversion reads them.
#include <optional>
#include <string_view>

#include "common/SystemLib.h"

namespace velmora {

// The order of day, month and year in a date of numbers, as the user's
// regional settings write it: AirMail writes its dates that way.
enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// The order of a short-date pattern of the regional settings ("M/d/yyyy",
// "dd/MM/yyyy", "yyyy-MM-dd"): the first of its day, month and year.
DateOrder DateOrderFromPattern(std::string_view pattern);

// Accepts a date, a time, or a date followed by a time (a blank or "T"
// between them):
//   dates  numbers in the given order: m/d/yyyy, m-d-yyyy; d/m/yyyy; yy/m/d
//          (a number past 12 where the month should be swaps day and
//          month), yyyy-mm-dd, yyyy/mm/dd, d.m.yyyy, d-Mon-yyyy, d Mon yyyy,
//          Mon d, yyyy; two-digit years 00-29 are 20xx, 30-99 19xx;
//   times  h:mm, h:mm:ss, h:mm:ss.fff, each with an optional AM or PM, and
//          an optional "Z".
// A time alone falls on 1899-12-30, as the classic conversion puts it.
// Anything else, or a date that does not exist, gives nullopt.
std::optional<UtcDateTime> DateTimeFromText(std::string_view text, DateOrder order = DateOrder::MonthDayYear);

// Whole calendar days from one date to another (negative when it lies before).
long long CalendarDaysBetween(const UtcDateTime& from, const UtcDateTime& to);

}  // namespace velmora
