// The ship's position from AirMail's files, the age warning and the sunspot
// number; angle texts, bearings and AirMail's date-time texts (locators and
// ranges are in the station lists test; a station's position, its locator
// read through them: RealVoacapTest's four stations, and the locator that is
// no place told in a box: AutoConnectWindowTest).
#include <gtest/gtest.h>

#include "propagation/AngleText.h"
#include "propagation/Bearing.h"
#include "propagation/DateTimeText.h"
#include "propagation/Positions.h"
#include "propagation/SunSpotNumber.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

std::string Deg(std::string_view a, std::string_view b) { return std::string(a) + kDegreeSign + std::string(b); }

// A data folder with the fixture's files and an "Airmail.ini" of the given lines.
class PositionFiles : public ::testing::Test {
 protected:
  void SetUp() override { testing::CopyFixtureData(temp.path()); }
  void Ini(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    testing::WriteBytes(temp.path() / "Airmail.ini", text);
  }
  AirmailDataFolder Data() { return AirmailDataFolder(temp.path().string(), messages); }
  std::string Hint() { return testing::DataFolderHint(temp.path().string()); }

  testing::TempFolder temp;
  RecordingMessenger messages;
};

TEST_F(PositionFiles, TheShipComesFromTheFirstSourceThatReadsWhole) {
  const std::string report = "[Position Report]", propagation = "[Propagation]";
  const std::string current = "Current Latitude=" + Deg("48", "07.20'N\r\nCurrent Longitude=") + Deg("123", "25.80'W");
  const std::string last = "Latitude=" + Deg("47", "36.50'N\r\nLongitude=") + Deg("122", "20.25'W");
  const std::string propagated = "Latitude=" + Deg("47", "30.00'N\r\nLongitude=") + Deg("122", "15.00'W");
  struct Case { std::vector<std::string> ini; std::optional<LatLon> position; std::vector<std::string> messages; }
  cases[] = {
      {{report, current, "Current Time=05/14/2024 08:30:00", last, "DateTime=05/10/2024 18:45:00", propagation,
        propagated}, LatLon{48.12, -123.43}, {}},
      {{report, current, last, "DateTime=05/10/2024 18:45:00", propagation, propagated},  // no current time
       LatLon{47 + 36.5 / 60, -(122 + 20.25 / 60)}, {}},
      {{report, current, last, "DateTime=soon", propagation, propagated}, LatLon{47.5, -122.25}, {}},
      {{report, current, last}, std::nullopt,
       {"Unable to find AirMail's Propagation, Latitude in \"Airmail.ini\"." + Hint()}},
      {{propagation, "Latitude=47 30.00'N", "Longitude=x"}, std::nullopt, {"Unable for decode Latitude 47 30.00'N"}},
  };
  for (const auto& c : cases) {
    Ini(c.ini);
    messages.entries.clear();
    LatLon position;
    auto data = Data();
    ASSERT_EQ(LatLonGetCurrent(data, position), c.position.has_value()) << c.ini.size();
    if (c.position) {
      EXPECT_NEAR(position.latitude, c.position->latitude, 1e-9);
      EXPECT_NEAR(position.longitude, c.position->longitude, 1e-9);
    }

    EXPECT_EQ(messages.Texts(), c.messages);
  }
}

TEST_F(PositionFiles, AnOldPositionIsWarnedAboutWithItsAge) {
  AutoConnectSettings settings;
  settings.airmailLatLonCheckDays = 30;
  auto data = Data();  // "Current Time" is 05/14/2024 08:30:00
  EXPECT_EQ(LatLonCheckAge(data, settings, {2024, 6, 13, 23, 59, 0}), std::nullopt);
  EXPECT_EQ(LatLonCheckAge(data, settings, {2024, 6, 14, 0, 1, 0}), 31);
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text,
            "Warning, AirMail's Latitude and Longitude Data is older than 31 days.\r\rIf you want to update your "
            "position data you will need to start the AirMail program and then view the Position Report Window via "
            "AirMail's Menu>Window>Position Reports command.");
  EXPECT_EQ(messages.entries[0].icon, MessageIcon::Information);
  // A day-first system's AirMail: 5 June, not 6 May.
  Ini({"[Position Report]", "Current Latitude=" + Deg("48", "07.20'N"), "Current Longitude=" + Deg("123", "25.80'W"),
       "Current Time=05/06/2024 08:30:00"});
  EXPECT_EQ(LatLonCheckAge(data, settings, {2024, 6, 7, 12, 0, 0}, DateOrder::DayMonthYear), std::nullopt);
  settings.airmailLatLonCheck = false;
  EXPECT_EQ(LatLonCheckAge(data, settings, {2025, 1, 1, 0, 0, 0}), std::nullopt);
}

TEST_F(PositionFiles, TheSunspotNumber) {
  // No ssn: no key.
  struct Case { std::string ssn; bool fromAirmail, ok; float number; size_t messages; } cases[] = {
      {"SSN=112", true, true, 112, 0},  {"SSN=85.5", true, true, 85.5f, 0},
      {"SSN=85,5", true, true, 85.5f, 0},  // a comma-decimal system's AirMail
      {"SSN=1,5.5", true, true, 170, 1},
      {"SSN=high", true, true, 170, 1},  // keeps the stored number
      {"", true, false, 170, 1},        {"SSN=112", false, true, 170, 0},
      {"SSN=1e300", true, true, 170, 1}, {"SSN=-5", true, true, 170, 1},  // beyond a single, below zero
  };
  for (const auto& c : cases) {
    Ini({"[Propagation]", c.ssn});
    messages.entries.clear();
    AutoConnectSettings settings;
    settings.propagationModelSunSpot = c.fromAirmail;
    float number = 0;
    auto data = Data();
    EXPECT_EQ(SunSpotNumberGet(data, settings, number), c.ok) << c.ssn;
    if (c.ok) { EXPECT_EQ(number, c.number) << c.ssn; }

    EXPECT_EQ(settings.propagationModelSunSpotNumber, c.number) << c.ssn;
    EXPECT_EQ(messages.entries.size(), c.messages) << c.ssn;
  }
}

TEST(AngleText, DecodesAndPrints) {
  struct Case { std::string text; bool latitude; std::optional<double> value; } cases[] = {
      {Deg("12", "30.00'S"), true, -12.5}, {Deg("12", "30.00'"), true, 12.5},
      {Deg("123", "25.80'w  "), false, -123.43},  // lower case, trailing blanks
      {"48\u00B007.20'N", true, 48.12},            // UTF-8 degree sign
      {Deg("12", "30,00'S"), true, -12.5},        // comma-decimal minutes
      {"12 30.00'N", true, std::nullopt},         // no degree sign
      {Deg("12", "30.00N"), true, std::nullopt},  // no apostrophe
      {Deg("1x", "30.00'N"), true, std::nullopt},
      {Deg("12", "75.00'N"), true, std::nullopt},  // minutes past 60
      {Deg("95", "00.00'N"), true, std::nullopt},  // no such latitude
  };
  for (const auto& c : cases) {
    double value = 99;
    RecordingMessenger messages;
    bool ok = c.latitude ? LatitudeFromString(c.text, value, &messages) : LongitudeFromString(c.text, value, &messages);
    ASSERT_EQ(ok, c.value.has_value()) << c.text;
    if (ok) {
      EXPECT_NEAR(value, *c.value, 1e-12) << c.text;
      EXPECT_TRUE(messages.entries.empty());
    } else {
      EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable for decode Latitude " + c.text}) << c.text;
    }
  }
  struct Printed { double value; bool latitude; std::string text; } printed[] = {
      {-0.5, true, Deg("00", "30.00'S")},         {-122.25, false, Deg("122", "15.00'W")},
      {12.99999999, true, Deg("13", "00.00'N")},  // 59.9999994 minutes carry
      {-179.99999, false, Deg("180", "00.00'W")},
      {1e300, true, ""}, {180.5, false, ""},  // a garbled file's: no such place
  };
  for (const auto& c : printed)
    EXPECT_EQ(c.latitude ? LatitudeToString(c.value) : LongitudeToString(c.value), c.text) << c.value;
}

TEST(LatLonGetBearing, BearingsBothWays) {
  const LatLon lax{33 + 57.0 / 60, -(118 + 24.0 / 60)}, jfk{40 + 38.0 / 60, -(73 + 47.0 / 60)};
  struct Case { LatLon from, to; double atFrom, atTo, tolerance; bool none = false; } cases[] = {
      {{0, 0}, {10, 0}, 0, 180, 1e-9},                  // same meridian: no division by zero
      {{10, 170}, {10, -170}, 88.246, 271.754, 0.001},  // across the date line, eastward
      {lax, jfk, 65.892, 273.858, 0.001},               // the navigators' textbook example: 66 degrees
      {{90, 0}, {10, 20}, 180, 0, 1e-9},                // from the north pole everything is south
      {{-78, -160}, {-41.3, 174.8}, 328.777, 171.752, 0.001},  // the Ross Sea to Wellington, as VOACAP has it
      {{12.5, -45}, {12.5, -45}, 0, 0, 0, true},  // coincident
      {{20, 30}, {-20, -150}, 0, 0, 0, true},     // antipodal
      {{10, 180}, {10, -180}, 0, 0, 0, true},     // one place, both ways of writing it
  };
  for (const auto& c : cases) {
    auto b = LatLonGetBearing(c.from, c.to);
    ASSERT_EQ(b.has_value(), !c.none) << c.from.latitude << "," << c.from.longitude;
    if (!b) continue;
    EXPECT_NEAR(b->atFrom, c.atFrom, c.tolerance) << c.from.latitude << "," << c.from.longitude;
    EXPECT_NEAR(b->atTo, c.atTo, c.tolerance) << c.from.latitude << "," << c.from.longitude;
  }
}

TEST(DateTimeFromText, ReadsWhatAirmailAndOthersWrite) {
  using T = UtcDateTime;
  using enum DateOrder;
  struct Case { std::string text; std::optional<T> value; DateOrder order = MonthDayYear; } cases[] = {
      {"05/14/2024 08:30:00", T{2024, 5, 14, 8, 30, 0}}, {"5/14/2024 8:30:00 PM", T{2024, 5, 14, 20, 30, 0}},
      {"14/05/2024 08:30", T{2024, 5, 14, 8, 30, 0}}, {"2024-05-14T08:30:00Z", T{2024, 5, 14, 8, 30, 0}},
      {"14.05.2024 08:30", T{2024, 5, 14, 8, 30, 0}}, {"14-May-24 08:30", T{2024, 5, 14, 8, 30, 0}},
      {"May 14, 2024", T{2024, 5, 14, 0, 0, 0}}, {"08:30", T{1899, 12, 30, 8, 30, 0}},
      {"02/30/2024 08:30", std::nullopt},
      // Days and months past 255 must not wrap into range (every form's date is checked alike).
      {"05/270/2024 08:30", std::nullopt}, {"2024-261-05", std::nullopt}, {"05/14/2024 25:00", std::nullopt},
      // In the order of the user's regional settings; a second number past 12 can only be the day.
      {"05/06/2024 08:30", T{2024, 6, 5, 8, 30, 0}, DayMonthYear}, {"05/14/2024", T{2024, 5, 14}, DayMonthYear},
      {"24/05/06", T{2024, 5, 6}, YearMonthDay}, {"05/14/2024", T{2024, 5, 14}, YearMonthDay},
  };
  auto all = [](const T& t) { return std::vector{t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond}; };
  for (const auto& c : cases) {
    auto value = DateTimeFromText(c.text, c.order);
    ASSERT_EQ(value.has_value(), c.value.has_value()) << c.text;
    if (!value) continue;
    EXPECT_EQ(all(*value), all(*c.value)) << c.text;
  }
  for (auto [pattern, order] : {std::pair{"M/d/yyyy", MonthDayYear}, {"dd/MM/yyyy", DayMonthYear},
                                {"yyyy-MM-dd", YearMonthDay}, {"'Day' d. MMMM yy", DayMonthYear}, {"", MonthDayYear}})
    EXPECT_EQ(DateOrderFromPattern(pattern), order) << pattern;
}

}  // namespace
}  // namespace velmora
