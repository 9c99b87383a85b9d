// Station offsets and history: the beam and daily-window arithmetic, the
// history's limits, and both files as the program reads and writes them.
#include <gtest/gtest.h>

#include "common/ProfileFile.h"
#include "selection/StationHistoryData.h"
#include "selection/StationOffsets.h"
#include "selection/TableColumns.h"
#include "tests/common/CommaLocale.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

TEST(BeamLoss, ThreeDecibelsAtTheEdgeTwentyBehind) {
  const struct { double beamwidth, mainbeam, azimuth, loss; } cases[] = {
      {60, 90, 120, 3}, {60, 90, 270, 20}, {60, 90, 100, 1}, {60, 350, 10, 2}, {360, 90, 270, 0},
      {0, 90, 90, 0},      // a beam of no width: no loss on its axis
      {0, 90, 180, 11.5},  // and outside the beam anywhere else
  };
  for (const auto& c : cases)
    EXPECT_NEAR(BeamLoss(c.beamwidth, c.mainbeam, c.azimuth), c.loss, 1e-9)
        << c.beamwidth << " " << c.mainbeam << " " << c.azimuth;
}

TEST(OffsetWindow, WrapsPastMidnightAndNeverHoldsWhenEmpty) {
  struct Case { int start, stop, time; bool holds; };
  const Case cases[] = {{2200, 600, 2330, true}, {2200, 600, 100, true}, {2200, 600, 1200, false},
                        {0, 2400, 0, true},      {0, 2400, 2359, true},  {800, 800, 800, false}};
  for (const auto& c : cases) EXPECT_EQ(OffsetWindowHolds(c.start, c.stop, c.time), c.holds) << c.start << "-" << c.stop;
}

TEST(StationHistory, MarksStopAtTheirLimits) {
  AutoConnectSettings settings;
  struct Case { double value; int outcome; double next; };
  const Case cases[] = {{3.5, 1, 4.0}, {-2.8, -1, -3.0}, {0, 1, 1.0}, {0, -1, -0.5}, {2.0, 0, 2.0}};
  for (const auto& c : cases) EXPECT_NEAR(StationHistoryNext(c.value, c.outcome, settings), c.next, 1e-6);
}

// Frequency texts and station names a line cannot hold as they are read
// back as the profile writer's names do (ProfileFileTest).
TEST(StationHistory, TheFileIsCreatedAndWrittenWithAPointUnderAnyLocale) {
  testing::TempFolder folder;
  auto file = folder.path() / kStationHistoryDataFile;
  AutoConnectSettings settings;
  RecordingMessenger messages;
  StationHistoryFile history(file, settings, messages);
  testing::CommaLocale comma;
  history.StationHistorySet("HAM", "W1AW", "7102.0", 1);
  history.StationHistorySet("HAM", "W1AW", "7102.0", -1);
  EXPECT_EQ(ProfileRead(file, "HAM,W1AW", "7102.0"), "0.5") << "never 0,5";
  EXPECT_TRUE(messages.entries.empty());
}

// A table of one station's rows with an SNR of 50 each.
struct OffsetRig : testing::SelectionRig {
  std::filesystem::path offsets = program / kStationOffsetDataFile;
  std::string system = "HAM", station = "K4CJX";
  explicit OffsetRig(const std::vector<std::string>& labels) : SelectionRig(kModeMultipleStations) {
    for (const auto& label : labels) Add({{station, label, 50}});
  }
  void Apply(int mode = kModeMultipleStations) {
    StationOffsetRows rows{system, station, 1, table.DataRows(), 100, 1200, kColumnTxConnect, kColumnSnr,
                           kColumnStnAnt, true, mode};
    StationOffsetGet(table, rows, StationOffsetDataGet(offsets, system, data), messages, colors);
  }
  std::string Snr(int row) const { return table.CellGet(row, kColumnSnr); }
};

TEST(StationOffsets, RecordsWindowsAndFileProblemsAtTheTable) {
  const std::string unmatched =
      "Station's Offset Frequency 7102.0 10147.3 not found in HAM K4CJX frequency list.\r\r"
      "Please check Options Station Offset.";
  auto refused = [](std::string line) { return "StationOffsetGet - Read, Type mismatch in line 2: \"" + line + "\""; };
  // No content: no file.
  struct Case { std::optional<std::string> content; int mode; std::string snr; std::vector<std::string> messages; };
  const int stations = kModeMultipleStations;
  const Case cases[] = {
      {std::nullopt, stations, "50.0", {}},
      {"HAM,K4CJX,7102.0,2\r\n", stations, "52.0", {}},  // a first line that is a record counts
      // The rig's azimuth of 100 lies 10 degrees off the beam: 1 dB less.
      {"HAM,K4CJX,7102.0,4,60,90,0000,2400\r\n", stations, "53.0", {}},
      {"System,Station,Frequency,Offset\r\nHAM,K4CJX,7102.0,2\r\n", stations, "52.0", {}},
      // Empty fields keep their defaults; the window 2200-0600 is closed at 1200.
      {"HAM,K4CJX,7102.0,2,,,,\r\nHAM,K4CJX,7102.0,1,,,2200,0600\r\n", stations, "52.0", {}},
      {"HAM,K4CJX,7102.0,2\r\nHAM,K4CJX,7102.0,two\r\n", stations, "50.0", {refused("HAM,K4CJX,7102.0,two")}},
      {"HAM,K4CJX,7102.0,2\r\nHAM,K4CJX\r\n", stations, "50.0", {refused("HAM,K4CJX")}},
      // The stop time is the rest of the line: its leading number counts.
      {"H\r\nHAM,K4CJX,7102.0,2,,,0000,2400 until the mast is mended, then 1800\r\n", stations, "52.0", {}},
      {"H\r\nHAM,K4CJX,7102.0,2,,,0000,until\r\n", stations, "50.0", {refused("HAM,K4CJX,7102.0,2,,,0000,until")}},
      // Numbers their type cannot hold are refused, not changed.
      {"H\r\nHAM,K4CJX,7102.0,1e39\r\n", stations, "50.0", {refused("HAM,K4CJX,7102.0,1e39")}},
      {"H\r\nHAM,K4CJX,7102.0,2,,,0,4294967296\r\n", stations, "50.0", {refused("HAM,K4CJX,7102.0,2,,,0,4294967296")}},
      {"HAM,K4CJX,7102.0 10147.3,1\r\n", stations, "51.0", {unmatched}},  // a frequency the station lacks
      {"HAM,K4CJX,7102.0 10147.3,1\r\n", kModeReferenceData, "51.0", {}},
      {"HAM,K4CJX,7102.0,2\r\n" + std::string(kDataFileLimit, '\n'), stations, "50.0",
       {"StationOffsetGet - Read, File too large"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content.value_or("no file").substr(0, 100) + " mode " + std::to_string(c.mode));
    OffsetRig rig({"7102.0", "17102.0"});
    if (c.content) WriteBytes(rig.offsets, *c.content);
    rig.Apply(c.mode);
    EXPECT_EQ(rig.Snr(1), c.snr);
    EXPECT_EQ(rig.Snr(2), "50.0") << "7102.0 is no offset for 17102.0";
    EXPECT_EQ(rig.messages.Texts(), c.messages);
  }
}

// Read back through the options dialog's grid: OptionsTest.
TEST(StationOffsets, WrittenWithAHeadingAndPointsUnderAnyLocale) {
  testing::TempFolder folder;
  auto file = folder.path() / kStationOffsetDataFile;
  std::vector<StationOffsetRecord> records = {{"HAM", "W1AW", "14075.0 14080.0(p3)", 2.5f, 60, 90, 2200, 600},
                                              {"SAILMAIL", "Mobile, AL", "6318.5(p3)", -1.5f, 360, 0, 0, 2400}};
  testing::CommaLocale comma;
  std::error_code error;
  ASSERT_TRUE(StationOffsetDataWrite(file, records, error)) << error.message();
  EXPECT_EQ(ReadBytes(file), std::string(kStationOffsetHeading) +
                                 "\r\nHAM,W1AW,14075.0 14080.0(p3),2.5,60,90,2200,0600\r\n"
                                 "SAILMAIL,\"Mobile, AL\",6318.5(p3),-1.5,360,0,0000,2400\r\n");
}

TEST(StationHistory, ValuesAreAddedToTheSnrAndShown) {
  OffsetRig rig({"7102.0", "3590.0"});
  auto file = rig.program / kStationHistoryDataFile;
  WriteBytes(file, "[HAM,K4CJX]\r\n7102.0=-0,5\r\n3590.0=junk\r\n");
  StationHistoryRows rows{"HAM", "K4CJX", 1, 2, kColumnTxConnect, kColumnSnr, kColumnHistory, false};
  StationHistoryGet(rig.table, rows, file, rig.colors);
  EXPECT_EQ(rig.Snr(1), "49.5") << "a value written with a decimal comma reads as meant";
  EXPECT_TRUE(rig.table.CellAt(1, kColumnSnr).bold) << "bold without the colour flag";
  EXPECT_EQ(rig.table.CellGet(1, kColumnHistory), "-0.5");
  EXPECT_EQ(rig.Snr(2), "50.0");
}

}  // namespace
}  // namespace velmora
