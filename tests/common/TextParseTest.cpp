#include "common/TextParse.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmora {
namespace {

TEST(ParseLeadingNumber, TakesTheLeadingNumberOnly) {
  EXPECT_EQ(ParseLeadingNumber("1700"), 1700.0);
  EXPECT_EQ(ParseLeadingNumber("  -12.5abc"), -12.5);
  EXPECT_EQ(ParseLeadingNumber(".5"), 0.5);
  EXPECT_EQ(ParseLeadingNumber("+3"), 3.0);
  EXPECT_EQ(ParseLeadingNumber("1e3"), 1000.0);
  EXPECT_EQ(ParseLeadingNumber("2e"), 2.0);
  EXPECT_FALSE(ParseLeadingNumber(""));
  EXPECT_FALSE(ParseLeadingNumber("abc"));
  EXPECT_FALSE(ParseLeadingNumber("-"));
  EXPECT_FALSE(ParseLeadingNumber("."));
  EXPECT_FALSE(ParseLeadingNumber("1e999"));
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
