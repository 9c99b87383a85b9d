#include "common/TextParse.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <utility>

namespace velmora {
namespace {

TEST(ParseLeadingNumber, TakesTheLeadingNumberOnly) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"1700", 1700.0}, {"  -12.5abc", -12.5}, {".5", 0.5}, {"+3", 3.0},         {"1e3", 1000.0},  {"2e", 2.0},
      {"", {}},         {"abc", {}},           {"-", {}},    {".", {}},          {"1e999", {}},
  };
  for (const auto& [text, number] : cases) EXPECT_EQ(ParseLeadingNumber(text), number) << text;
  EXPECT_EQ(Val("x"), 0.0);
}

TEST(ParseLeadingNumber, CommaDecimalOnlyWhenAskedAndAlone) {
  EXPECT_EQ(ParseLeadingNumber("0,7"), 0.0);
  EXPECT_EQ(ParseLeadingNumber("0,7", true), 0.7);
  EXPECT_EQ(ParseLeadingNumber("1.5,2", true), 1.5);
}

TEST(ParseBoolean, WordsAndNumbers) {
  EXPECT_EQ(ParseBoolean("True"), true);
  EXPECT_EQ(ParseBoolean("false"), false);
  EXPECT_EQ(ParseBoolean("-1"), true);
  EXPECT_EQ(ParseBoolean("0"), false);
  EXPECT_FALSE(ParseBoolean("yes"));
}

TEST(ParseInteger, RoundsAndRejects) {
  EXPECT_EQ(ParseInteger("2048"), 2048);
  EXPECT_EQ(ParseInteger("2.6"), 3);
  EXPECT_FALSE(ParseInteger("none"));
  EXPECT_FALSE(ParseInteger("1e300"));
  // 2^63 is the first number past the largest long long.
  EXPECT_FALSE(ParseInteger("9223372036854775808"));
  EXPECT_EQ(ParseInteger("-9223372036854775808"), std::numeric_limits<long long>::min());
}

TEST(Mid, NeverReadsOutOfRange) {
  EXPECT_EQ(Mid("abc", 5), "");
  EXPECT_EQ(Mid("abc", 1, 10), "bc");
}

}  // namespace
}  // namespace velmora
