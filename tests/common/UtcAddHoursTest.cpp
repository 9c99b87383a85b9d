// The time shift of predictions across days, months and years.
#include "common/UtcAddHours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace velmora {
namespace {

TEST(UtcAddHours, CrossesDaysMonthsAndYears) {
  const struct { UtcDateTime from; double hours; UtcDateTime to; } cases[] = {
      {{2024, 2, 28, 23, 0, 0, 0}, 1.5, {2024, 2, 29, 0, 30, 0, 0}},
      {{2024, 12, 31, 22, 0, 0, 0}, 3, {2025, 1, 1, 1, 0, 0, 0}},
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
