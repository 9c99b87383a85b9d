// Maidenhead locators to positions, and ranges between positions.
#include "airmail/Locator.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(GridToLatLon, AFourCharacterLocatorGetsTheMiddleSubsquare) {
  std::string locator = "cm87";
  LatLon p;
  ASSERT_TRUE(GridToLatLon(locator, p, nullptr));
  EXPECT_EQ(locator, "CM87MM");
  EXPECT_DOUBLE_EQ(p.latitude, 37 + (12 * 59.0 / 23) / 60);
  EXPECT_DOUBLE_EQ(p.longitude, -124 + (24 * 59.0 / 23) / 60);
}

TEST(GridToLatLon, OnlyTheFirstSixCharactersCount) {
  std::string longer = "CM87XX99", six = "CM87XX";
  LatLon a, b;
  ASSERT_TRUE(GridToLatLon(longer, a, nullptr));
  ASSERT_TRUE(GridToLatLon(six, b, nullptr));
  EXPECT_EQ(a.latitude, b.latitude);
  EXPECT_EQ(a.longitude, b.longitude);
}

TEST(GridToLatLon, AShortLocatorFailsWithAMessageWhenAskedFor) {
  std::string locator = "cm8";
  LatLon p;
  EXPECT_FALSE(GridToLatLon(locator, p, nullptr));
  RecordingMessenger messages;
  EXPECT_FALSE(GridToLatLon(locator, p, &messages));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to Convert Grid CM8 to Lat/Lon"});
  std::string empty;
  EXPECT_FALSE(GridToLatLon(empty, p, nullptr));
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
