// Keeping the frequencies one transceiver serves, by AirMail's groups or by
// the station radio data file (read and written here too), the stations
// around the ship, and Maidenhead locators to positions and ranges.
#include <gtest/gtest.h>

#include "airmail/FrequencyFilters.h"
#include "airmail/Locator.h"
#include "airmail/StationRanges.h"
#include "airmail/StationRadioData.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using Strings = std::vector<std::string>;

Strings Labels(const std::vector<FrequencyRow>& rows) {
  Strings out;
  for (const auto& r : rows) out.push_back(r.station + " " + r.label);
  return out;
}

class FrequencyFilters : public ::testing::Test {
 protected:
  // The station's rows between two rows of other stations; the end of its rows.
  size_t Load(std::string_view station, const Strings& checked, const AirmailDataFolder* from = nullptr) {
    rows = {{"BEFORE", "1000.0", 1, false, true}};
    StationFrequencyListGet(from ? *from : fixture, "HAM", station, rows);
    for (auto& r : rows)
      for (const auto& c : checked)
        if (r.station == station && r.label == c) r.checked = true;
    size_t end = rows.size();
    rows.push_back({"AFTER", "2000.0", 1, false, true});
    return end;
  }
  RecordingMessenger messages;
  AirmailDataFolder fixture{testing::FixturePath("data").string(), messages};
  std::vector<FrequencyRow> rows;
};

// By AirMail's groups, or by the station radio data file: only the group or
// the transceiver of a checked row stays, and rows of other stations (the
// plain cases are the selection's MultipleRadioReduce test).
TEST_F(FrequencyFilters, OnlyTheGroupOrTransceiverOfACheckedRowStays) {
  const auto file = testing::FixturePath("velmora") / kStationRadioDataFile;
  const struct {
    bool byFile;
    const char* station;
    Strings checked;
    Strings kept;  // the station's rows left
  } cases[] = {
      {false, "W1AW", {}, {}},  // groups and no checked row: every row goes
      {true, "W1AW", {"14080.0(p3)", "10140.0(p3)"}, {"14075.0", "14080.0(p3)", "10140.0(p3)"}},  // both lines
      {true, "K4CJX", {}, {"3590.0", "7102.0(p3)", "10145.5", "14105.5(p3)", "21105.0(p3)"}},  // nothing checked
      {true, "VE2AFQ", {"7065.0"}, {"3587.5", "7065.0", "14098.0(p3)"}},  // a station the file does not list
  };
  for (const auto& c : cases) {
    size_t end = Load(c.station, c.checked);
    if (c.byFile) StationStationsGetFile(file, messages, "HAM", c.station, rows, 1, end);
    else FrequencyGroupFilter(fixture, "HAM", c.station, rows, 1, end);
    Strings expected{"BEFORE 1000.0"};
    for (const auto& label : c.kept) expected.push_back(std::string(c.station) + " " + label);
    expected.push_back("AFTER 2000.0");
    EXPECT_EQ(Labels(rows), expected) << c.station;
    EXPECT_EQ(end, c.kept.size() + 1) << c.station;
  }
  EXPECT_TRUE(messages.entries.empty());
  // A system without groups keeps every row.
  rows = {};
  StationFrequencyListGet(fixture, "SAILMAIL", "HP1A", rows);
  size_t end = rows.size();
  FrequencyGroupFilter(fixture, "SAILMAIL", "HP1A", rows, 0, end);
  EXPECT_EQ(end, 2u);
}

TEST_F(FrequencyFilters, LabelsAreComparedWhole) {
  testing::TempFolder folder;
  testing::WriteBytes(folder.path() / "System.HAM.ini", "[Frequency List]\r\nX=4075,7000;14075#,14075\r\n");
  AirmailDataFolder data(folder.path().string(), messages);
  size_t end = Load("X", {"14075.0"}, &data);
  FrequencyGroupFilter(data, "HAM", "X", rows, 1, end);
  EXPECT_EQ(Labels(rows), (Strings{"BEFORE 1000.0", "X 14075.0(p3)", "X 14075.0", "AFTER 2000.0"}))
      << "4075.0 is not part of 14075.0's group";
}

TEST_F(FrequencyFilters, AnUnreadableRadioDataFileIsReportedAndLeavesTheRows) {
  size_t end = Load("K4CJX", {"14105.5(p3)"});
  auto before = rows;
  StationStationsGetFile(testing::FixturePath("velmora") / "missing.txt", messages, "HAM", "K4CJX", rows, 1, end);
  EXPECT_EQ(rows, before);
  EXPECT_EQ(end, 6u);
  const std::string start = "StationStationsGetFile - Open, ";
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_GT(messages.entries[0].text.size(), start.size()) << "with the system's description";
  EXPECT_EQ(messages.entries[0].text.rfind(start, 0), 0u);
}

TEST_F(FrequencyFilters, NoPositionOrNoStationFileGivesNoStations) {
  EXPECT_FALSE(StationGetAll(fixture, "HAM", std::nullopt));
  EXPECT_TRUE(messages.entries.empty());
  EXPECT_FALSE(StationGetAll(fixture, "PACTOR", LatLon{41.70, -72.73}));
  ASSERT_EQ(messages.entries.size(), 1u);
  const auto& text = messages.entries[0].text;
  EXPECT_EQ(text.rfind("StationGetAll, Unable to open Airmail \"PACTOR\" Station data.", 0), 0u);
  EXPECT_TRUE(text.ends_with("\r" + testing::DataFolderHint(fixture.Folder()))) << text;
}

TEST(StationRadioData, WrittenWholeAndReadBackWithoutHarmFromOddLines) {
  testing::TempFolder folder;
  const auto file = folder.path() / kStationRadioDataFile;
  FileFailure failure;
  std::error_code error;
  std::vector<StationRadioRecord> records{{"HAM", "W1AW", "1", {"14075.0", "14080.0(p3)"}},
                                          {"SAILMAIL", "WPE", "2", {}}};
  ASSERT_TRUE(StationRadioDataWrite(file, records, error)) << error.message();
  EXPECT_EQ(testing::ReadBytes(file),
            "System,Station,Tx Rc,Frequency\r\nHAM,W1AW,1,14075.0 14080.0(p3)\r\nSAILMAIL,WPE,2,\r\n");
  EXPECT_EQ(StationRadioDataRead(file, failure), records);

  testing::WriteBytes(file, "header\nHAM,W1AW\n\nHAM,KX1,1,7101.0  7103.0(p3),x\nHAM,W1,2,14110.0");
  EXPECT_EQ(StationRadioDataRead(file, failure),
            (std::vector<StationRadioRecord>{{"HAM", "W1AW", "", {}},
                                             {"HAM", "KX1", "1", {"7101.0", "7103.0(p3),x"}},
                                             {"HAM", "W1", "2", {"14110.0"}}}));
  testing::WriteBytes(file, "header\nHAM,W1,2,14110.0\n" + std::string(kDataFileLimit, '\n'));
  EXPECT_FALSE(StationRadioDataRead(file, failure)) << "past any data file's size";
  EXPECT_EQ(failure.error, std::errc::file_too_large);
  EXPECT_FALSE(StationRadioDataWrite(folder.path() / "missing" / kStationRadioDataFile, records, error));
  EXPECT_TRUE(error) << "a failed write says why";
}

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
