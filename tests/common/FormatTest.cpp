#include "common/Format.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Halves round away from zero, a rounded zero has no sign, ".0" drops the
// leading zero and "0.0e-0" carries a rounding into the exponent.
TEST(FormatNumber, Patterns) {
  const struct { double value; const char* pattern; const char* text; } cases[] = {
      {43.06640625, "0.0", "43.1"}, {0.25, "0.0", "0.3"},     {-0.25, "0.0", "-0.3"},    {2.5, "0", "3"},
      {9.96, "0.0", "10.0"},        {-0.04, "0.0", "0.0"},    {123456789.0, "0", "123456789"},
      {41.7f, ".0", "41.7"},        {0.5, ".0", ".5"},        {0.0, ".0", ".0"},         {-0.5, ".0", "-.5"},
      {0.18576, ".000", ".186"},    {0.25, "0.0e-0", "2.5e-1"}, {1.0, "0.0e-0", "1.0e0"},
      {0.0996, "0.0e-0", "1.0e-1"}, {0.0, "0.0e-0", "0.0e0"}, {12345.0, "0.0e-0", "1.2e4"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
}

}  // namespace
}  // namespace velmora
