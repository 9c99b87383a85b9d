// The AutoConnect options dialog's model: its settings table and the three
// grids over real files, above all the offsets grid's check of its cells.
#include <gtest/gtest.h>

#include "common/TextFileLines.h"
#include "reports/AutoConnectOptions.h"
#include "reports/OptionsGrids.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using testing::ReadBytes;

TEST(OptionsGrids, OffsetCellsAreCheckedOnApplyAndTheFileWrittenWholeOrNotAtAll) {
  testing::TempFolder folder;
  const auto file = folder.path() / "StationOffsetData.txt";
  RecordingMessenger messages;
  const GridRow good{"SAILMAIL", "Cape Town, ZA", "7102.0,  10147.3", "1.5", "60", "90", "2200", "0600"};
  ASSERT_TRUE(OffsetGridSave(file, {good, {"HAM", "K4CJX", "14075.0", "-2", "", "", "", ""}}, messages));
  const std::string written = ReadBytes(file);
  EXPECT_NE(written.find("SAILMAIL,\"Cape Town, ZA\",7102.0 10147.3,1.5,60,90,2200,0600\r\n"), std::string::npos)
      << written;
  auto rows = OffsetGridRecall(file, messages);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][2], "7102.0, 10147.3");

  struct Case {
    size_t column;
    const char* cell;
    const char* message;
  };
  const Case cases[] = {
      {3, "1e39", "OffsetDataSave, Row 2, Column Offset: \"1e39\" is not a number"},  // past a single
      {7, "2460", "OffsetDataSave, Row 2, Column Stop: \"2460\" is not a time hhmm from 0000 to 2400"},
      {1, " ", "OffsetDataSave, Row 2, Column Station: is empty"},
  };
  for (const auto& c : cases) {
    GridRow bad = good;
    bad[c.column] = c.cell;
    RecordingMessenger refused;
    EXPECT_FALSE(OffsetGridSave(file, {good, bad}, refused)) << c.cell;
    EXPECT_EQ(refused.Texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(ReadBytes(file), written) << c.cell;
  }
}

TEST(OptionsGrids, TheHistoryGridRoundTripsAndBothGridsRefuseBadCells) {
  testing::TempFolder folder;
  const auto radio = folder.path() / "StationRadioData.txt", history = folder.path() / "StationHistoryData.txt";
  RecordingMessenger messages;
  EXPECT_FALSE(RadioGridSave(radio, {{"HAM", "W1AW", "one", "14075.0"}}, messages));
  EXPECT_FALSE(RadioGridSave(radio, {{"HAM", "W1AW", "1e21", "14075.0"}}, messages));

  ASSERT_TRUE(HistoryGridSave(history, {{"HAM", "W1AW", "14075.0", "1.5"}, {"HAM", "W1AW", "7000.0", "-3"}},
                              messages));
  EXPECT_EQ(HistoryGridRecall(history, messages),
            (GridRows{{"HAM", "W1AW", "14075.0", "1.50"}, {"HAM", "W1AW", "7000.0", "-3.00"}}));
  EXPECT_FALSE(HistoryGridSave(history, {{"HAM", "W1AW", "14075.0", "1,5"}}, messages));
  EXPECT_EQ(HistoryGridRecall(history, messages).size(), 2u);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
                                  "StationsFileDataSave, Row 1, Column Tx Rc: \"one\" is not a number",
                                  "StationsFileDataSave, Row 1, Column Tx Rc: \"1e21\" is not a transceiver number",
                                  "HistoryDataSave, Row 1, Column Offset: \"1,5\" is not a number"}));
}

TEST(OptionsGrids, TheStationFilesFeedTheOffsetsCheckAndCellChoices) {
  RecordingMessenger messages;
  AirmailDataFolder data(VELMORA_SOURCE_DIR "/tests/airmail/fixture/data", messages);
  // The offsets' "Check": each frequency its station lacks is asked about, and No ends it.
  OffsetGridCheck({{"HAM", "W1AW", "14075.0, 9999.0"}, {"HAM", "K4CJX", "1.0"}}, data, messages);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{
                                  "HAM W1AW frequency 9999.0 not found in Station's Frequency List\r\r"
                                  "Do you wish to Continue?"});

  // The offsets grid's editors: systems, the system's stations by name, the station's labels.
  using Choices = std::vector<std::string>;
  EXPECT_EQ(OffsetCellChoices({"HAM", "W1AW"}, 0, data), (Choices{"HAM", "SAILMAIL"}));
  EXPECT_EQ(OffsetCellChoices({"SAILMAIL", "WPE"}, 1, data).at(0), "Friday Harbor, WA");
  EXPECT_EQ(OffsetCellChoices({"HAM", "W1AW"}, 2, data), (Choices{"14075.0", "14080.0(p3)", "10140.0(p3)"}));
  EXPECT_EQ(OffsetCellChoices({"SAILMAIL", "Mobile, AL"}, 2, data), (Choices{"6318.5(p3)", "8420.5(p3)", "12680.5(p3)"}));
  EXPECT_TRUE(OffsetCellChoices({"HAM", "W1AW", "14075.0"}, 3, data).empty());
  AirmailDataFolder none(VELMORA_SOURCE_DIR "/tests/no such folder", messages);
  EXPECT_FALSE(RadioGridFromHamGroups(none, messages));
  EXPECT_EQ(messages.Texts().back().rfind("StationsAirmailSetStations, Unable to open Airmail \"HAM\" Station data.\r", 0),
            0u);
  EXPECT_NE(messages.Texts().back().find("\r\rPlease check that the AirMail's Data Folder \""), std::string::npos)
      << "with the system's reason between";
}

TEST(OptionsGrids, TwoRadioSourcesAreComparedUntilTheUserSaysNo) {
  const GridRows file{{"HAM", "W1AW", "1", "14075.0, 14080.0(p3)"}, {"HAM", "W1AW", "2", "10140.0(p3)"},
                      {"HAM", "KX1", "1", "7101.0"}, {"HAM", "K4CJX", "1", "3590.0"}};
  const GridRows ham{{"HAM", "W1AW", "1", "14075.0 14080.0(p3)"}, {"HAM", "KX1", "1", "7103.0"},
                     {"HAM", "VE2AFQ", "1", "3587.5"}, {"HAM", "VE2AFQ", "2", "14098.0(p3)"}};
  const std::string more = "\r\rWould you like to continue checking?";
  RecordingMessenger yes(true);
  RadioSourcesCompare(file, ham, yes);
  EXPECT_EQ(yes.Texts(), (std::vector<std::string>{"Missing Station K4CJX" + more,
                                                   "Different Frequency Data for Station KX1 and TxRc 1" + more,
                                                   "Missing Data for Station W1AW and TxRc 2" + more,
                                                   "Missing Station VE2AFQ" + more}));
  RecordingMessenger no(false);
  RadioSourcesCompare(file, ham, no);
  EXPECT_EQ(no.Texts().size(), 1u);
}

TEST(OptionsGrids, TheDifferenceViewKeepsTheRowsWithoutAPartner) {
  const GridRow w1{"HAM", "W1AW", "1", "14075.0"}, w1b{"HAM", "W1AW", "1", "7101.0"}, w2{"HAM", "W1AW", "2", "x"},
      kx{"HAM", "KX1", "1", "7103.0"};
  const GridRows none{{"No Errors"}};
  struct Case {
    GridRows first, second, firstLeft, secondLeft;
  } cases[] = {
      {{w1, kx}, {kx, w1b}, none, none},        // matched by the first three cells only
      {{w1, w1, kx}, {w1}, {w1, kx}, none},     // each row takes one partner
      {{w2}, {w1, kx}, {w2}, {w1, kx}},         // a single row left is still a difference
      {{}, {}, none, none},
  };
  for (const auto& c : cases) {
    auto [first, second] = RadioSourcesDifference(c.first, c.second);
    EXPECT_EQ(first, c.firstLeft);
    EXPECT_EQ(second, c.secondLeft);
  }
}

// AirMail's frequency document is refused unread past the size any real one has.
TEST(OptionsGrids, TheRadioGridRefusesAnOversizedFrequencyDocument) {
  testing::TempFolder folder;
  const auto file = folder.path() / "FreqList.rtf";
  testing::WriteBytes(file, "");
  std::filesystem::resize_file(file, kDataFileLimit + 1);
  RecordingMessenger messages;
  EXPECT_FALSE(RadioGridFromFreqList(file, messages));
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text.rfind("StationsFileUpdate - Read, ", 0), 0u) << messages.entries[0].text;
}

TEST(AutoConnectOptions, ApplyStoresEveryBoxOrNone) {
  AutoConnectSettings settings;
  auto values = OptionsDataSet(settings);
  values["Airmail Lat/Lon Check"] = "False";
  values["Airmail Lat/Lon Check Days"] = "x";  // not taken while unchecked
  RecordingMessenger messages;
  ASSERT_TRUE(OptionsApply(values, settings, messages));
  EXPECT_FALSE(settings.airmailLatLonCheck);
  EXPECT_EQ(settings.airmailLatLonCheckDays, 7);

  const AutoConnectSettings before = settings;
  values["Station History Max"] = "9";
  values["Propagation Model Q Index"] = "3,5";
  EXPECT_FALSE(OptionsApply(values, settings, messages));
  EXPECT_EQ(settings, before);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{
                                  "Propagation Option Error, Propagation Model Q Index: Type mismatch"});

  // Knowledge that fades in no time would be no knowledge.
  values["Propagation Model Q Index"] = "3.5";
  values["Station Occupancy Half Life"] = "0";
  EXPECT_FALSE(OptionsApply(values, settings, messages));
  EXPECT_EQ(settings, before);
  EXPECT_EQ(messages.Texts().back(), "History Option Error, Station Occupancy Half Life: must be more than 0 days");
}

// Each model has its own Es adjustment (ICEPAC's is in the window test).
TEST(AutoConnectOptions, EsFollowsTheModel) {
  EXPECT_EQ(EsAdjustAfterModel(kModelVoacap, "0.7"), "0");
  EXPECT_EQ(EsAdjustAfterModel(kModelRec533, "0.7"), "0.7");
}

}  // namespace
}  // namespace velmora
