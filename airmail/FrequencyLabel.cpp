#include "airmail/FrequencyLabel.h"

#include <charconv>
#include <cmath>

#include "common/Format.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

// Digits with at most one decimal point and nothing else: a typo such as
// "14O75" is refused rather than read as 14.
std::optional<double> ParseKilohertz(std::string_view text) {
  if (text.empty()) return std::nullopt;
  size_t points = 0, digits = 0;
  for (char c : text) {
    if (c == '.') ++points;
    else if (IsAsciiDigit(c)) ++digits;
    else return std::nullopt;
  }
  if (points > 1 || digits == 0) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !(value > 0) || !std::isfinite(value))
    return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::string> FrequencyReformat(std::string_view item) {
  auto hash = item.find('#');
  bool pactor3 = hash != std::string_view::npos;
  auto number = ParseKilohertz(Trim(item.substr(0, hash)));
  if (!number) return std::nullopt;
  std::string label = FormatNumber(*number, "0.0");
  // Judged as the label reads: 99.96 is 100.0, 0.04 is 0.0.
  double shown = Val(label);
  if (shown < kLowestFrequencyKhz || shown > kHighestFrequencyKhz) return std::nullopt;
  if (pactor3) label += kPactor3Suffix;
  return label;
}

bool IsPactor3Label(std::string_view label) { return label.find(kPactor3Suffix) != std::string_view::npos; }

std::string WithoutPactor3Suffix(std::string_view label) {
  return std::string(label.substr(0, label.find(kPactor3Suffix)));
}

}  // namespace velmora
