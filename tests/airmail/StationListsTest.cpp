// AirMail's systems, stations and frequency lists; the frequencies one
// transceiver serves, by AirMail's groups or the station radio data file;
// the stations around the ship, and locators to positions and ranges.
#include "airmail/FrequencyLists.h"
#include "airmail/MailSystems.h"
#include "airmail/StationEntries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "airmail/FrequencyFilters.h"
#include "airmail/FrequencyLabel.h"
#include "airmail/Locator.h"
#include "airmail/StationRadioData.h"
#include "airmail/StationRanges.h"
#include "common/AtomicFile.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using Strings = std::vector<std::string>;
constexpr auto FolderHint = testing::DataFolderHint;

// A data folder of one station file written by the test.
class OwnStationFile : public ::testing::Test {
 protected:
  void Write(std::string_view system, std::string_view content) {
    testing::WriteBytes(folder.path() / StationFileName(system), content);
  }
  testing::TempFolder folder;
  RecordingMessenger messages;
  AirmailDataFolder data{folder.path().string(), messages};
};

Strings Labels(const std::vector<FrequencyRow>& rows) {
  Strings out;
  for (const auto& r : rows) out.push_back(r.station + " " + r.label);
  return out;
}

// The fixture's data folder, and a station's rows to filter.
class FixtureData : public ::testing::Test {
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

// What the fixture's lists hold is the tool's listing (the tool runs test, VelmoraAirmail);
// here what the listing cannot show.
TEST_F(OwnStationFile, SystemsAreListedByNameWhateverTheirCase) {
  for (const char* name : {"system.pactor.ini", "System.HAM.ini", "SYSTEM.Sailmail.INI", "System.ini", "System.HAM.bak",
                           "Systems.X.ini"})
    testing::WriteBytes(folder.path() / name, "");
  std::filesystem::create_directory(folder.path() / "System.FOLDER.ini");
  SelectionList list;
  ASSERT_TRUE(SystemGetList(data, list, 2));
  EXPECT_EQ(list.entries, (Strings{"HAM", "pactor", "Sailmail"}));
  EXPECT_EQ(list.selected, 2);
  for (int index : {-1, 3}) {
    ASSERT_TRUE(SystemGetList(data, list, index));
    EXPECT_EQ(list.selected, 0) << index;
  }
}

// A missing file, then a station section ended at once; a name not found
// before the end of the file is not. A "Selected" list past the profile
// buffer of 1024 characters still selects the stations at its end.
TEST_F(OwnStationFile, AMissingOrEmptyStationListIsReportedANameNotFoundBeforeTheEndIsNotALongOneIsReadWhole) {
  Write("SAILMAIL", "[Station Info]\r\nWPE=CN87:Friday Harbor\r\n");
  EXPECT_EQ(StationFromStationName(data, "SAILMAIL", "Mobile"), "");
  SelectionList list;
  EXPECT_FALSE(StationGetListAll(data, "HAM", list, 0));
  Write("HAM", "[Station Info]\r\n\r\nW1AW=FN31:x\r\n[Frequency Setup]\r\nSelected=W1AW\r\n");
  EXPECT_FALSE(StationGetListSelected(data, "HAM", list, 0));
  EXPECT_TRUE(list.entries.empty());
  EXPECT_EQ(messages.Texts(),
            (Strings{"StationGetListAll - Open, Unable to open AirMail \"HAM\" Station Info data." +
                         FolderHint(data.Folder()),
                     "StationGetList, Unable to find any selected AirMail \"HAM\"Stations." + FolderHint(data.Folder())}));
  std::string selected;
  for (int i = 1000; i < 1250; ++i) selected += "K" + std::to_string(i) + ",";
  Write("HAM", "[Station Info]\r\nK1000=FN31:x\r\nK1249=FN32:y\r\nW1AW=FN33:z\r\n\r\n[Frequency Setup]\r\nSelected=" +
                   selected + "\r\n");
  ASSERT_TRUE(StationGetListSelected(data, "HAM", list, 0));
  EXPECT_EQ(list.entries, (Strings{"K1000", "K1249"}));
}

TEST_F(OwnStationFile, LinesOfAnyLengthAndEitherEndAreRead) {
  std::string longName(300000, 'n');
  Write("SAILMAIL", "[Station Info]\nAAA=FN31:" + longName + ";P3\nBBB=FN32:Short");
  std::vector<StationEntry> stations;
  ASSERT_TRUE(StationEntriesGet(data, "SAILMAIL", StationListKind::All, stations));
  ASSERT_EQ(stations.size(), 2u);
  EXPECT_EQ(stations[0].name, longName);
  EXPECT_EQ(stations[1].name, "Short") << "the last line has no line end";
}

// A part of a name still finds its station; no name is no station.
TEST_F(FixtureData, SailmailNamesAndKeysConvertBothWaysAndAnExactNameWins) {
  for (auto [system, name, key] : {std::tuple{"SAILMAIL", "Friday Harbor, WA", "WPE"}, {"HAM", "W1AW", "W1AW"},
                                   {"SAILMAIL", "Panama", "HP2B"}, {"SAILMAIL", "Panama City", "HP1A"},
                                   {"SAILMAIL", "Harbor", "WPE"}, {"SAILMAIL", "", ""}})
    EXPECT_EQ(StationFromStationName(fixture, system, name), key) << name;
  EXPECT_EQ(StationNameFromStation(fixture, "SAILMAIL", "WLO"), "Mobile, AL");
  EXPECT_EQ(StationNameFromStation(fixture, "HAM", "Anything"), "Anything");
  EXPECT_TRUE(messages.entries.empty());

  // An unknown name is reported with the last key read.
  EXPECT_EQ(StationFromStationName(fixture, "SAILMAIL", "Nowhere"), "");
  EXPECT_EQ(StationNameFromStation(fixture, "SAILMAIL", "XYZ"), "");
  EXPECT_EQ(messages.Texts(),
            (Strings{"Unable to find AirMail's Nowhere, HP2B in \"" + fixture.File("System.SAILMAIL.ini").string() +
                         "\"." + FolderHint(fixture.Folder()),
                     "Unable to find AirMail's Station Info, XYZ in \"System.SAILMAIL.ini\"." +
                         FolderHint(fixture.Folder())}));
}

TEST_F(OwnStationFile, AListOfNothingButTyposGivesNoRows) {
  Write("HAM", "[Frequency List]\r\nX1=abc, 7O00 ;-5,0\r\nX2= 7000 , 7001.5# ;\r\n");
  std::vector<FrequencyRow> rows;
  EXPECT_FALSE(StationFrequencyListGet(data, "HAM", "X1", rows));
  EXPECT_TRUE(rows.empty());
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_NE(messages.entries[0].text.find("the frequencies \"abc\", \"7O00\", \"-5\", \"0\""), std::string::npos)
      << messages.entries[0].text;
  ASSERT_TRUE(StationFrequencyListGet(data, "HAM", "X2", rows));
  EXPECT_EQ(rows, (std::vector<FrequencyRow>{{"X2", "7000.0", 1, false, false}, {"X2", "7001.5(p3)", 1, true, false}}))
      << "blanks around items are no part of them";
}

// AirMail reads a value through 1024 characters: a longer list arrives cut,
// and what stands after its last separator may be part of a frequency.
TEST_F(OwnStationFile, AListTooLongToReadWholeLosesItsCutEnd) {
  std::string full = "14075";
  while (full.size() < 1017) full += ",14075";  // 1019 characters
  // Skipped: the end of the message, empty for none.
  struct Case { std::string list; size_t rows; std::string lastLabel, skipped; } cases[] = {
      {full + ",7205", 170, "14075.0", ", from \"720\" on."},   // "7205" would be read as 720.0
      {full + ",720", 171, "720.0", ""},                        // 1023 characters: read whole
      {"\"" + full + ",720\"", 170, "14075.0", ", from \"72\" on."},  // the quotes take room
      {full.substr(0, 1014) + "14075.00,7205", 170, "14075.0", "."},  // cut just after a separator
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list.size());
    Write("HAM", "[Frequency List]\r\nW1AW=" + c.list + "\r\n");
    messages.entries.clear();
    std::vector<FrequencyRow> rows;
    ASSERT_TRUE(StationFrequencyListGet(data, "HAM", "W1AW", rows));
    EXPECT_EQ(std::pair(rows.size(), rows.back().label), std::pair(c.rows, c.lastLabel));
    const std::string skipped = "StationFrequencyListGet, Skipped the end of AirMail's Frequency List, W1AW in "
                                "\"System.HAM.ini\", which is longer than 1023 characters" + c.skipped;
    EXPECT_EQ(messages.Texts(), c.skipped.empty() ? Strings{} : Strings{skipped + FolderHint(data.Folder())});
  }
}

TEST(FrequencyReformat, GivesOneDecimalAndThePactor3Suffix) {
  EXPECT_EQ(FrequencyReformat("10147.3#"), "10147.3(p3)");
  EXPECT_EQ(FrequencyReformat("7102.25"), "7102.3");
  EXPECT_EQ(FrequencyReformat("99.96"), "100.0") << "the label decides";
  EXPECT_EQ(FrequencyReformat("30000#"), "30000.0(p3)");
  // Every refused item would give a label that is no HF frequency, or none.
  for (const char* bad : {"", " ", "#", "14O75", "1e4", "inf", "nan", "0", "-7000", "7000.1.2", "0x1A", "7000 kHz",
                          "0.04", ".01#", ".5", "99.9", "30000.1", "99999999999999999999999999999"})
    EXPECT_EQ(FrequencyReformat(bad), std::nullopt) << bad;
}

// By AirMail's groups, or by the station radio data file: only the group or
// the transceiver of a checked row stays, and rows of other stations (the
// plain cases are the selection's MultipleRadioReduce test); a file that
// cannot be read is reported and leaves the rows.
TEST_F(FixtureData, OnlyTheGroupOrTransceiverOfACheckedRowStays) {
  const auto folder = testing::FixturePath("velmora");
  // file: in that folder, none for AirMail's groups; kept: the station's rows left.
  const struct { const char* file; const char* station; Strings checked, kept; } cases[] = {
      {nullptr, "W1AW", {}, {}},  // groups and no checked row: every row goes
      {kStationRadioDataFile, "W1AW", {"14080.0(p3)", "10140.0(p3)"}, {"14075.0", "14080.0(p3)", "10140.0(p3)"}},
      {kStationRadioDataFile, "K4CJX", {}, {"3590.0", "7102.0(p3)", "10145.5", "14105.5(p3)", "21105.0(p3)"}},
      {kStationRadioDataFile, "VE2AFQ", {"7065.0"}, {"3587.5", "7065.0", "14098.0(p3)"}},  // not in the file
      {"missing.txt", "K4CJX", {"14105.5(p3)"}, {"3590.0", "7102.0(p3)", "10145.5", "14105.5(p3)", "21105.0(p3)"}},
  };
  for (const auto& c : cases) {
    size_t end = Load(c.station, c.checked);
    if (c.file) StationStationsGetFile(folder / c.file, messages, "HAM", c.station, rows, 1, end);
    else FrequencyGroupFilter(fixture, "HAM", c.station, rows, 1, end);
    Strings expected{"BEFORE 1000.0"};
    for (const auto& label : c.kept) expected.push_back(std::string(c.station) + " " + label);
    expected.push_back("AFTER 2000.0");
    EXPECT_EQ(Labels(rows), expected) << c.station;
    EXPECT_EQ(end, c.kept.size() + 1) << c.station;
  }
  const std::string start = "StationStationsGetFile - Open, ";
  ASSERT_EQ(messages.entries.size(), 1u) << "the missing file's alone";
  EXPECT_GT(messages.entries[0].text.size(), start.size()) << "with the system's description";
  EXPECT_EQ(messages.entries[0].text.rfind(start, 0), 0u);
  EXPECT_TRUE(messages.entries[0].text.ends_with("\r" + NotReadText(folder / "missing.txt") + ".")) << "named";
  // A system without groups keeps every row.
  rows = {};
  StationFrequencyListGet(fixture, "SAILMAIL", "HP1A", rows);
  size_t end = rows.size();
  FrequencyGroupFilter(fixture, "SAILMAIL", "HP1A", rows, 0, end);
  EXPECT_EQ(end, 2u);
}

TEST_F(FixtureData, LabelsAreComparedWhole) {
  testing::TempFolder folder;
  testing::WriteBytes(folder.path() / "System.HAM.ini", "[Frequency List]\r\nX=4075,7000;14075#,14075\r\n");
  AirmailDataFolder data(folder.path().string(), messages);
  size_t end = Load("X", {"14075.0"}, &data);
  FrequencyGroupFilter(data, "HAM", "X", rows, 1, end);
  EXPECT_EQ(Labels(rows), (Strings{"BEFORE 1000.0", "X 14075.0(p3)", "X 14075.0", "AFTER 2000.0"}))
      << "4075.0 is not part of 14075.0's group";
}

TEST_F(FixtureData, StationsComeInWholeMilesAndNoneWithoutAPositionOrStationFile) {
  auto stations = StationGetAll(fixture, "HAM", LatLon{41.70, -72.73});
  ASSERT_TRUE(stations && !stations->empty());
  EXPECT_EQ((*stations)[0].key, "W1AW");
  EXPECT_EQ((*stations)[0].range, std::round((*stations)[0].range));
  EXPECT_EQ(messages.entries.size(), 1u) << "the fixture's one station with a cut locator, CM8";
  messages.entries.clear();
  EXPECT_FALSE(StationGetAll(fixture, "HAM", std::nullopt));
  EXPECT_TRUE(messages.entries.empty());
  EXPECT_FALSE(StationGetAll(fixture, "PACTOR", LatLon{41.70, -72.73}));
  ASSERT_EQ(messages.entries.size(), 1u);
  const auto& text = messages.entries[0].text;
  // The system's reason on a line of its own, not run on after "data.".
  EXPECT_EQ(text.rfind("StationGetAll, Unable to open Airmail \"PACTOR\" Station data.\r", 0), 0u) << text;
  EXPECT_TRUE(text.ends_with("\r" + testing::DataFolderHint(fixture.Folder()))) << text;
}

TEST(StationRadioData, WrittenWholeAndReadBackWithoutHarmFromOddLines) {
  testing::TempFolder folder;
  const auto file = folder.path() / kStationRadioDataFile;
  FileFailure failure;
  std::error_code error;
  std::vector<StationRadioRecord> records{{"HAM", "W1AW", "1", {"14075.0", "14080.0(p3)"}},
                                          {"SAILMAIL", "WPE", "2", {}}};
  ASSERT_TRUE(WriteFileAtomically(file, StationRadioDataText(records), error)) << error.message();
  EXPECT_EQ(testing::ReadBytes(file),
            "System,Station,Tx Rc,Frequency\r\nHAM,W1AW,1,14075.0 14080.0(p3)\r\nSAILMAIL,WPE,2,\r\n");
  EXPECT_EQ(StationRadioDataRead(file, failure), records);

  testing::WriteBytes(file, "header\nHAM,W1AW\n\nHAM,KX1,1,7101.0  7103.0(p3),x\nHAM,W1,2,14110.0");
  EXPECT_EQ(StationRadioDataRead(file, failure),
            (std::vector<StationRadioRecord>{{"HAM", "W1AW", "", {}},
                                             {"HAM", "KX1", "1", {"7101.0", "7103.0(p3),x"}},
                                             {"HAM", "W1", "2", {"14110.0"}}}));
  // Written by hand without the header: the first line is a record.
  testing::WriteBytes(file, "HAM,W1AW,1,14075.0\r\n");
  EXPECT_EQ(StationRadioDataRead(file, failure), (std::vector<StationRadioRecord>{{"HAM", "W1AW", "1", {"14075.0"}}}));
}

// A short or impossible locator fails quietly without a messenger (the
// message itself: the station ranges).
TEST(GridToLatLon, AFourCharacterLocatorGetsTheMiddleSubsquareAndOnlySixCount) {
  std::string locator = "cm87", longer = "CM87MM99";
  LatLon p, q;
  ASSERT_TRUE(GridToLatLon(locator, p, nullptr) && GridToLatLon(longer, q, nullptr));
  EXPECT_EQ(locator, "CM87MM");
  EXPECT_DOUBLE_EQ(p.latitude, 37 + (12 * 59.0 / 23) / 60);
  EXPECT_DOUBLE_EQ(p.longitude, -124 + (24 * 59.0 / 23) / 60);
  EXPECT_EQ(std::pair(q.latitude, q.longitude), std::pair(p.latitude, p.longitude));
  for (std::string bad : {"cm8", "", "ZZ99ZZ", "FN3!AB", "FN42HZ", "SA00AA"})
    EXPECT_FALSE(GridToLatLon(bad, p, nullptr)) << bad;
}

TEST(LatLonGetRange, OneNauticalMilePerMinuteOfArc) {
  EXPECT_EQ(LatLonGetRange({12.5, -45}, {12.5, -45}), 0);
  EXPECT_NEAR(LatLonGetRange({90, 0}, {-90, 0}), 10800, 1e-6);
  EXPECT_NEAR(LatLonGetRange({33 + 57.0 / 60, -(118 + 24.0 / 60)}, {40 + 38.0 / 60, -(73 + 47.0 / 60)}), 2144, 1)
      << "LAX to JFK, 0.623585 rad of arc";
}

}  // namespace
}  // namespace velmora
