// The ship's and the stations' positions from AirMail's files, the age
// warning and the sunspot number.
#include <gtest/gtest.h>

#include "propagation/Positions.h"
#include "propagation/SunSpotNumber.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

constexpr char kDeg = '\xB0';

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
  const std::string current =
      std::string("Current Latitude=48") + kDeg + "07.20'N\r\nCurrent Longitude=123" + kDeg + "25.80'W";
  const std::string last = std::string("Latitude=47") + kDeg + "36.50'N\r\nLongitude=122" + kDeg + "20.25'W";
  const std::string propagated = std::string("Latitude=47") + kDeg + "30.00'N\r\nLongitude=122" + kDeg + "15.00'W";
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

TEST_F(PositionFiles, AStationComesFromItsLocator) {
  auto data = Data();
  LatLon wlo;
  ASSERT_TRUE(LatLonGetStation(data, "SAILMAIL", "WLO", wlo, true));  // EM60 becomes EM60MM
  EXPECT_NEAR(wlo.latitude, 30 + (12 * 59.0 / 23) / 60, 1e-12);
  EXPECT_NEAR(wlo.longitude, 2 * (-50 + 6 + (12 * 59.0 / 23) / 60), 1e-12);
  LatLon p;
  EXPECT_FALSE(LatLonGetStation(data, "HAM", "N0LOC", p, true)) << "no locator before a \":\"";
  EXPECT_FALSE(LatLonGetStation(data, "HAM", "ZZ9BAD", p, true));
  EXPECT_FALSE(LatLonGetStation(data, "HAM", "NOSUCH", p, false));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to Convert Grid CM8 to Lat/Lon"});
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
  settings.airmailLatLonCheck = false;
  EXPECT_EQ(LatLonCheckAge(data, settings, {2025, 1, 1, 0, 0, 0}), std::nullopt);
}

TEST_F(PositionFiles, TheSunspotNumber) {
  // No ssn: no key.
  struct Case { std::string ssn; bool fromAirmail, ok; float number; size_t messages; } cases[] = {
      {"SSN=112", true, true, 112, 0},  {"SSN=85.5", true, true, 85.5f, 0},
      {"SSN=high", true, true, 170, 1},  // keeps the stored number
      {"", true, false, 170, 1},        {"SSN=112", false, true, 170, 0},
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

}  // namespace
}  // namespace velmora
