// Keeping the frequencies one transceiver serves, by AirMail's groups or by
// the station radio data file, and the stations nearest first.
#include <gtest/gtest.h>

#include <cmath>

#include "airmail/FrequencyFilters.h"
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
// the transceiver of a checked row stays, and rows of other stations.
TEST_F(FrequencyFilters, OnlyTheGroupOrTransceiverOfACheckedRowStays) {
  const auto file = testing::FixturePath("velmora") / kStationRadioDataFile;
  const struct {
    bool byFile;
    const char* station;
    Strings checked;
    Strings kept;  // the station's rows left
  } cases[] = {
      {false, "W1AW", {"14075.0"}, {"14075.0", "14080.0(p3)"}},
      {false, "W1AW", {}, {}},  // groups and no checked row: every row goes
      {true, "K4CJX", {"14105.5(p3)"}, {"10145.5", "14105.5(p3)", "21105.0(p3)"}},
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

// Newington, Connecticut.
const LatLon kShip{41.70, -72.73};

// The order, nearest first, and the stations left out are met through the
// configuration's tests (selection); here the ranges themselves.
TEST_F(FrequencyFilters, StationsComeWithTheirRangeInWholeMiles) {
  auto stations = StationGetAll(fixture, "HAM", kShip);
  ASSERT_TRUE(stations && !stations->empty());
  EXPECT_EQ((*stations)[0].key, "W1AW");
  EXPECT_EQ((*stations)[0].range, std::round((*stations)[0].range));
  EXPECT_LT((*stations)[0].range, 10);
  EXPECT_GT(stations->back().range, 500);
}

TEST_F(FrequencyFilters, NoPositionOrNoStationFileGivesNoStations) {
  EXPECT_FALSE(StationGetAll(fixture, "HAM", std::nullopt));
  EXPECT_TRUE(messages.entries.empty());
  EXPECT_FALSE(StationGetAll(fixture, "PACTOR", kShip));
  ASSERT_EQ(messages.entries.size(), 1u);
  const auto& text = messages.entries[0].text;
  EXPECT_EQ(text.rfind("StationGetAll, Unable to open Airmail \"PACTOR\" Station data.", 0), 0u);
  EXPECT_TRUE(text.ends_with("\r" + testing::DataFolderHint(fixture.Folder()))) << text;
}

}  // namespace
}  // namespace velmora
