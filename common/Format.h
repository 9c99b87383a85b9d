#pragma once
// Number and text formatting in the fixed patterns the program shows and
// stores. Independent of the user's locale: "." is always the decimal point.
#include <string>
#include <string_view>

namespace velmora {

// Formats like the classic Format(value, pattern) for the patterns used here:
// "0", "0.0", "0.000", ".0", ".000" (no leading zero below 1) and scientific
// "0.0e-0". Rounds half away from zero on the shortest decimal form of the
// value, so 0.25 gives "0.3" and 41.75 gives "41.8".
std::string FormatNumber(double value, std::string_view pattern);
std::string FormatNumber(float value, std::string_view pattern);

// Shortest decimal text that reads back to the same single: 1700, 0.5, -145.
std::string ShortestSingle(float value);

// Decimal text of an integer.
std::string IntegerText(long long value);

// At least two digits, a leading zero below 10: hours, minutes, days.
std::string TwoDigits(int value);

// "True" or "False".
std::string_view BooleanText(bool value);

}  // namespace velmora
