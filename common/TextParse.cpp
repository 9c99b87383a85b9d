#include "common/TextParse.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace velmora {

std::string_view Trim(std::string_view text) {
  const char* blanks = " \t\r\n\v\f";
  auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  auto last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i]))
      return false;
  return true;
}

std::string_view Mid(std::string_view text, size_t start, size_t count) {
  if (start >= text.size()) return {};
  return text.substr(start, count);
}

std::optional<double> ParseLeadingNumber(std::string_view text, bool acceptComma) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool digits = false;
  while (i < text.size() && IsAsciiDigit(text[i])) {
    number += text[i++];
    digits = true;
  }
  bool comma = acceptComma && text.find('.') == std::string_view::npos;
  if (i < text.size() && (text[i] == '.' || (comma && text[i] == ','))) {
    ++i;
    number += '.';
    while (i < text.size() && IsAsciiDigit(text[i])) {
      number += text[i++];
      digits = true;
    }
  }
  if (!digits) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    size_t start = j;
    while (j < text.size() && IsAsciiDigit(text[j])) exponent += text[j++];
    if (j > start) number += exponent;
  }
  const char* first = number.data();
  if (*first == '+') ++first;
  double value = 0;
  auto result = std::from_chars(first, number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) return std::nullopt;
  if (result.ec != std::errc()) return std::nullopt;
  return value;
}

double Val(std::string_view text) { return ParseLeadingNumber(text).value_or(0.0); }

std::optional<bool> ParseBoolean(std::string_view text) {
  auto t = Trim(text);
  if (EqualsNoCase(t, "True")) return true;
  if (EqualsNoCase(t, "False")) return false;
  auto number = ParseLeadingNumber(t);
  if (!number) return std::nullopt;
  return *number != 0;
}

std::optional<long long> ParseInteger(std::string_view text) {
  auto number = ParseLeadingNumber(text);
  if (!number || !std::isfinite(*number)) return std::nullopt;
  double rounded = std::nearbyint(*number);
  // The largest long long is not a double: its nearest double is 2^63,
  // which no longer fits, so the upper test must exclude it.
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (rounded < -kLimit || rounded >= kLimit) return std::nullopt;
  return static_cast<long long>(rounded);
}

std::optional<double> FieldNumber(std::string_view field) {
  field = Trim(field);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

bool SingleHolds(double number) { return std::fabs(number) <= std::numeric_limits<float>::max(); }

}  // namespace velmora
