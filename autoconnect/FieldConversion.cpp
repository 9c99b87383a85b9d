#include "autoconnect/FieldConversion.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "autoconnect/AutoConnectLog.h"
#include "common/Format.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

// The whole text as a decimal number: blanks around it, a sign, and "." or
// a lone "," as the decimal point (typed under a comma-decimal locale).
std::optional<double> WholeNumber(std::string_view text) {
  std::string number(Trim(text));
  if (!number.empty() && number.front() == '+') number.erase(0, 1);
  if (number.find('.') == std::string::npos && number.find(',') == number.rfind(',')) {
    auto comma = number.find(',');
    if (comma != std::string::npos) number[comma] = '.';
  }
  double value = 0;
  const char* end = number.data() + number.size();
  auto [ptr, error] = std::from_chars(number.data(), end, value, std::chars_format::general);
  if (number.empty() || error != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

// Halves to even, as the classic integer conversions round.
double RoundHalfEven(double value) {
  double rounded = std::floor(value);
  double fraction = value - rounded;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2) != 0)) rounded += 1;
  return rounded;
}

void Refuse(std::string_view text, std::string_view field, std::string_view expected, const std::string& kept,
            Messenger& messenger) {
  messenger.Show("SettingsFromWindow, \"" + std::string(field) + "\" must be " + std::string(expected) + ", not \"" +
                     std::string(text) + "\".  The previous value " + kept + " is kept.",
                 MessageIcon::Exclamation);
}

template <typename Integer>
bool FieldToInteger(std::string_view text, Integer& value, std::string_view field, Messenger& messenger,
                    Integer low = std::numeric_limits<Integer>::min()) {
  constexpr auto high = std::numeric_limits<Integer>::max();
  auto number = WholeNumber(text);
  if (number) *number = RoundHalfEven(*number);
  if (!number || *number < low || *number > high) {
    Refuse(text, field, "a whole number from " + IntegerText(low) + " to " + IntegerText(high), IntegerText(value),
           messenger);
    return false;
  }
  value = static_cast<Integer>(*number);
  return true;
}

bool ConvertSingle(std::string_view text, float& value, std::string_view field, Messenger& messenger, bool positive) {
  auto number = WholeNumber(text);
  bool fits = number && SingleHolds(*number);
  // Tested as a single: a number too small for one would become 0.
  if (!fits || (positive && !(static_cast<float>(*number) > 0))) {
    Refuse(text, field, positive ? "a number above 0" : "a number", SingleText(value), messenger);
    return false;
  }
  value = static_cast<float>(*number);
  return true;
}

}  // namespace

bool FieldToInt32(std::string_view text, std::int32_t& value, std::string_view field, Messenger& messenger) {
  return FieldToInteger(text, value, field, messenger);
}

bool FieldToInt16(std::string_view text, std::int16_t& value, std::string_view field, Messenger& messenger) {
  return FieldToInteger(text, value, field, messenger);
}

bool FieldToSingle(std::string_view text, float& value, std::string_view field, Messenger& messenger) {
  return ConvertSingle(text, value, field, messenger, false);
}

bool FieldToPositiveInt32(std::string_view text, std::int32_t& value, std::string_view field, Messenger& messenger) {
  return FieldToInteger(text, value, field, messenger, std::int32_t{1});
}

bool FieldToPositiveSingle(std::string_view text, float& value, std::string_view field, Messenger& messenger) {
  return ConvertSingle(text, value, field, messenger, true);
}

}  // namespace velmora
