#include "common/Format.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(FormatNumber, FixedPatternsRoundHalfAwayFromZero) {
  EXPECT_EQ(FormatNumber(43.06640625, "0.0"), "43.1");
  EXPECT_EQ(FormatNumber(0.25, "0.0"), "0.3");
  EXPECT_EQ(FormatNumber(-0.25, "0.0"), "-0.3");
  EXPECT_EQ(FormatNumber(2.5, "0"), "3");
  EXPECT_EQ(FormatNumber(9.96, "0.0"), "10.0");
  EXPECT_EQ(FormatNumber(0.0, "0.0"), "0.0");
  EXPECT_EQ(FormatNumber(-0.04, "0.0"), "0.0");
  EXPECT_EQ(FormatNumber(1700.0, "0"), "1700");
  EXPECT_EQ(FormatNumber(0.18576, "0.000"), "0.186");
  EXPECT_EQ(FormatNumber(123456789.0, "0"), "123456789");
}

TEST(FormatNumber, PatternWithoutLeadingZero) {
  EXPECT_EQ(FormatNumber(41.7f, ".0"), "41.7");
  EXPECT_EQ(FormatNumber(0.5, ".0"), ".5");
  EXPECT_EQ(FormatNumber(0.0, ".0"), ".0");
  EXPECT_EQ(FormatNumber(-0.5, ".0"), "-.5");
  EXPECT_EQ(FormatNumber(0.18576, ".000"), ".186");
  EXPECT_EQ(FormatNumber(-127.0f, ".0"), "-127.0");
}

TEST(FormatNumber, ScientificPattern) {
  EXPECT_EQ(FormatNumber(0.25, "0.0e-0"), "2.5e-1");
  EXPECT_EQ(FormatNumber(1.0, "0.0e-0"), "1.0e0");
  EXPECT_EQ(FormatNumber(0.0996, "0.0e-0"), "1.0e-1");
  EXPECT_EQ(FormatNumber(0.0, "0.0e-0"), "0.0e0");
  EXPECT_EQ(FormatNumber(12345.0, "0.0e-0"), "1.2e4");
}

TEST(ShortestSingle, ReadsBackToTheSameSingle) {
  EXPECT_EQ(ShortestSingle(1700.0f), "1700");
  EXPECT_EQ(ShortestSingle(0.5f), "0.5");
  EXPECT_EQ(ShortestSingle(0.7f), "0.7");
  EXPECT_EQ(ShortestSingle(-145.0f), "-145");
  EXPECT_EQ(ShortestSingle(-0.0f), "0");
  EXPECT_EQ(ShortestSingle(1378.125f), "1378.125");
}

}  // namespace
}  // namespace velmora
