// Maidenhead locators to positions, and ranges between positions.
#include "airmail/Locator.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(GridToLatLon, AFourCharacterLocatorGetsTheMiddleSubsquareAndOnlySixCount) {
  std::string locator = "cm87", longer = "CM87MM99";
  LatLon p, q;
  ASSERT_TRUE(GridToLatLon(locator, p, nullptr));
  EXPECT_EQ(locator, "CM87MM");
  EXPECT_DOUBLE_EQ(p.latitude, 37 + (12 * 59.0 / 23) / 60);
  EXPECT_DOUBLE_EQ(p.longitude, -124 + (24 * 59.0 / 23) / 60);
  ASSERT_TRUE(GridToLatLon(longer, q, nullptr));
  EXPECT_EQ(q.latitude, p.latitude);
  EXPECT_EQ(q.longitude, p.longitude);
}

// The message itself is met through the station ranges (FrequencyFiltersTest).
TEST(GridToLatLon, AShortOrImpossibleLocatorFailsQuietlyWithoutAMessenger) {
  for (std::string locator : {"cm8", "", "ZZ99ZZ", "FN3!AB", "FN42HZ", "SA00AA"}) {
    LatLon p;
    EXPECT_FALSE(GridToLatLon(locator, p, nullptr)) << locator;
  }
}

TEST(LatLonGetRange, OneNauticalMilePerMinuteOfArc) {
  EXPECT_NEAR(LatLonGetRange({0, 0}, {0, 1}), 60, 1e-6);
  EXPECT_EQ(LatLonGetRange({12.5, -45}, {12.5, -45}), 0);
  EXPECT_NEAR(LatLonGetRange({10, 170}, {10, -170}), LatLonGetRange({10, -170}, {10, 170}), 1e-9);
  EXPECT_NEAR(LatLonGetRange({90, 0}, {-90, 0}), 10800, 1e-6);
  EXPECT_NEAR(LatLonGetRange({33 + 57.0 / 60, -(118 + 24.0 / 60)}, {40 + 38.0 / 60, -(73 + 47.0 / 60)}), 2144, 1)
      << "LAX to JFK, 0.623585 rad of arc";
}

}  // namespace
}  // namespace velmora
