#pragma once
// The forms the summaries' lines and cells are written in.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// A duration as a time of day: ":ss", "n:ss", "mm:ss", "h:mm:ss" or
// "hh:mm:ss" by its size; a day or more starts again from 0.
std::string SecondsToText(double seconds);

// "mm/dd/yy"; empty when there is no date.
std::string ShortDate(std::optional<std::chrono::sys_days> date);

// Calendar days from the first date to the last, both counted; 1 without dates.
int PeriodDays(std::optional<std::chrono::sys_days> first, std::optional<std::chrono::sys_days> last);

// part × 100 / whole as "0" and "%"; "0%" when whole is 0.
std::string PercentText(double part, double whole);

// A number of a per-day or mean figure, "0.0"; 0 for a divisor of 0.
std::string RatioText(double part, double whole);

// A cell for a CSV line: quoted when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text);

}  // namespace velmora
