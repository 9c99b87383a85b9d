// Numbers read from texts and written as texts; UTC times moved by hours
// across days, months and years.
#include "common/Format.h"
#include "common/TextParse.h"
#include "common/UtcAddHours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>

namespace velmora {
namespace {

// A comma is a decimal point only when asked for, and only the first.
TEST(ParseLeadingNumber, TakesTheLeadingNumberOnly) {
  const std::tuple<const char*, bool, std::optional<double>> cases[] = {
      {"  -12.5abc", false, -12.5}, {".5", false, 0.5}, {"1e3", false, 1000.0}, {"2e", false, 2.0},
      {"", false, {}},              {"-", false, {}},   {"1e999", false, {}},   {"0,7", false, 0.0},
      {"0,7", true, 0.7},           {"1.5,2", true, 1.5},
  };
  for (const auto& [text, comma, number] : cases) EXPECT_EQ(ParseLeadingNumber(text, comma), number) << text;
  EXPECT_EQ(Val("x"), 0.0);
}

// 2^63 is the first number past the largest long long; a boolean is a word or a number.
TEST(ParseInteger, RoundsAndRejectsAndBooleansAreWordsOrNumbers) {
  const std::pair<const char*, std::optional<long long>> cases[] = {
      {"2048", 2048}, {"2.6", 3}, {"none", {}}, {"1e300", {}}, {"9223372036854775808", {}},
      {"-9223372036854775808", std::numeric_limits<long long>::min()}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseInteger(text), value) << text;
  const std::pair<const char*, std::optional<bool>> booleans[] = {
      {"True", true}, {"false", false}, {"-1", true}, {"0", false}, {"yes", {}}};
  for (const auto& [text, value] : booleans) EXPECT_EQ(ParseBoolean(text), value) << text;
}

// Halves round away from zero, a rounded zero has no sign, ".0" drops the
// leading zero and "0.0e-0" carries a rounding into the exponent.
TEST(FormatNumber, Patterns) {
  const struct { double value; const char* pattern; const char* text; } cases[] = {
      {43.06640625, "0.0", "43.1"}, {0.25, "0.0", "0.3"}, {-0.25, "0.0", "-0.3"}, {9.96, "0.0", "10.0"},
      {-0.04, "0.0", "0.0"},        {123456789.0, "0", "123456789"}, {41.7f, ".0", "41.7"}, {-0.5, ".0", "-.5"},
      {0.0, ".0", ".0"},            {0.25, "0.0e-0", "2.5e-1"}, {0.0996, "0.0e-0", "1.0e-1"}, {0.0, "0.0e-0", "0.0e0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
}

TEST(UtcAddHours, CrossesDaysMonthsAndYears) {
  const struct { UtcDateTime from; double hours; UtcDateTime to; } cases[] = {
      {{2024, 2, 28, 23, 0, 0, 0}, 1.5, {2024, 2, 29, 0, 30, 0, 0}},
      {{2024, 3, 1, 1, 0, 0, 0}, -2, {2024, 2, 29, 23, 0, 0, 0}},
      // Shifts no one means neither overflow nor leave the calendar's years.
      {{2024, 5, 14, 12, 0, 0, 0}, 2.3e8, {9999, 12, 31, 23, 59, 0, 0}},
      {{2024, 5, 14, 12, 0, 0, 0}, -1e300, {1, 1, 1, 0, 0, 0, 0}},
      {{2024, 5, 14, 12, 0, 0, 0}, std::nan(""), {2024, 5, 14, 12, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    auto t = UtcAddHours(c.from, c.hours);
    EXPECT_EQ(std::tie(t.year, t.month, t.day, t.hour, t.minute), std::tie(c.to.year, c.to.month, c.to.day, c.to.hour, c.to.minute));
  }
}

}  // namespace
}  // namespace velmora
