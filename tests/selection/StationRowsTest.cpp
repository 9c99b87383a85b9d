// A station's rows: labels from AirMail's list, the prediction's cells and
// the corrections for the moment the time shift gives; the offsets' beam and
// daily-window arithmetic, the history's limits, and both files as the
// program reads and writes them.
#include "selection/StationRows.h"

#include <gtest/gtest.h>

#include "common/Format.h"
#include "common/ProfileFile.h"
#include "common/SystemLib.h"
#include "common/UtcAddHours.h"
#include "selection/AirmailStationGeometry.h"
#include "selection/FrequencyToolTip.h"
#include "selection/StationHistoryData.h"
#include "selection/StationOffsets.h"
#include "selection/TableColumns.h"
#include "tests/common/CommaLocale.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

using testing::WriteBytes;

struct RowsRig : testing::SelectionRig {
  int first = 0, last = 0;
  explicit RowsRig(int mode = kModeMultipleStations) : SelectionRig(mode) {}
  StationRows Filler(double timeShift = 0) {
    return StationRows(table, settings, settings.modeIndex, Rows(), *geometry.ship, UtcAddHours(clock.now, timeShift));
  }
  bool Fill(std::string_view station, double timeShift = 0) {
    return Filler(timeShift).StationRowsAddAndFill("HAM", station, first, last);
  }
};

TEST(StationRows, PredictionCellsAndTheSlopeAddedWhereAutoSelectUsesIt) {
  const struct { int mode; bool addSlope; std::string snr; } cases[] = {{kModeMultipleStations, true, "57.5"},
                        {kModeMultipleStations, false, "55.0"},
                        {kModeScanStations, true, "55.0"}};
  for (const auto& c : cases) {
    RowsRig rig(c.mode);
    rig.settings.autoSelectAddSnrSlope = c.addSlope;
    rig.predictions.slope = [](const std::string&, double) { return 2.5; };
    ASSERT_TRUE(rig.Fill("W1AW"));
    ASSERT_EQ(rig.last, 3);
    EXPECT_EQ(rig.table.CellGet(1, kColumnSnr), c.snr) << c.mode;
    EXPECT_EQ(rig.table.CellGet(1, kColumnSlope), "2.5");
    EXPECT_EQ(rig.table.CellGet(2, kColumnLufMuf), "15000.0");
    EXPECT_EQ(rig.table.CellGet(1, kColumnRange), "89") << "FN31PR from 41N 71W";
  }
}

TEST(StationRows, OffsetAndHistoryColourTheSnrAndNameThemselvesInTheToolTip) {
  RowsRig rig;
  WriteBytes(rig.program / kStationOffsetDataFile, "HAM,W1AW,14075.0,3,,,0000,0100\r\n");
  WriteBytes(rig.program / kStationHistoryDataFile, "[HAM,W1AW]\r\n14075.0=-0.5\r\n");
  // 23:30 plus an hour's shift: the offset's window 0000-0100 holds (a
  // window closed: the offsets' table).
  ASSERT_TRUE(rig.Fill("W1AW", 1.0));
  EXPECT_EQ(rig.table.CellGet(1, kColumnSnr), "57.5");
  ToolTipContext context{kModeMultipleStations, true, true, rig.colors};
  EXPECT_EQ(FrequencyMouseMove(rig.table, 1, kColumnSnr, context),
            "Station Offset of 3.0 dB,  Station History of -0.5 dB");
  EXPECT_EQ(rig.table.CellGet(2, kColumnSnr), "55.0");
  EXPECT_EQ(FrequencyMouseMove(rig.table, 2, kColumnSnr, context), "Signal to Noise Ratio (dB)");
}

TEST(StationRows, AnOffsetsNameOfNoStationIsToldOncePerFillAndAFailedPredictionLeavesTheRowsWithoutIt) {
  RowsRig rig;
  WriteBytes(rig.program / kStationOffsetDataFile, "SAILMAIL,Mobile,6318.5(p3),3\r\nSAILMAIL,Nowhere,8146.0,1\r\n");
  StationRows rows = rig.Filler();
  for (auto station : {"WLO", "WPE", "HP1A"})
    ASSERT_TRUE(rows.StationRowsAddAndFill("SAILMAIL", station, rig.first, rig.last));
  EXPECT_EQ(rig.table.CellGet(1, kColumnSnr), "58.0");
  ASSERT_EQ(rig.messages.entries.size(), 1u);
  EXPECT_TRUE(rig.messages.Texts()[0].starts_with("Unable to find AirMail's Nowhere, HP2B in "));
  // A failed prediction leaves the rows without it.
  RowsRig failed;
  failed.predictions.fail = true;
  EXPECT_FALSE(failed.Fill("W1AW"));
  EXPECT_EQ(failed.table.DataRows(), 3);
  EXPECT_EQ(failed.table.CellGet(1, kColumnSnr), "");
  failed.predictions.fail = false;
  EXPECT_FALSE(failed.Fill("N0LOC")) << "no position, no prediction";
  EXPECT_FALSE(failed.Fill("K1NOF")) << "no frequency list";
}

// AirMail's station file is read once for all the stations of a fill, not
// once each (a file of thousands took seconds), and again when AirMail has
// changed it. A change that keeps the size and the time written shows which
// reading W1AW's position (the latitude) and rows came from.
TEST(StationRows, TheStationFileIsReadOnceUntilItChanges) {
  RowsRig rig;
  AirmailStationGeometry geometry(rig.data);
  StationRows rows = rig.Filler();
  auto read = [&](std::string_view station) {
    rows.StationRowsAdd("HAM", station, rig.first, rig.last);
    const auto position = geometry.StationPosition("HAM", station).value_or(LatLon{});
    return FormatNumber(position.latitude, "0") + " " + rig.table.CellGet(rig.first, kColumnTxConnect);
  };
  const auto file = rig.data.File("System.HAM.ini");
  const auto written = std::filesystem::last_write_time(file);
  read("KX1");
  std::string text = testing::ReadBytes(file);
  text.replace(text.find("W1AW=FN31"), 9, "W1AW=EM31");
  text.replace(text.find("W1AW=14075"), 10, "W1AW=14095");
  WriteBytes(file, text);
  std::filesystem::last_write_time(file, written);
  EXPECT_EQ(read("W1AW"), "42 14075.0") << "the file as read for the first station";
  std::filesystem::last_write_time(file, written + std::chrono::seconds(2));
  EXPECT_EQ(read("W1AW"), "32 14095.0") << "the file as AirMail changed it";
}

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

// Frequency texts and station names a line cannot hold as they are read
// back as the profile writer's names do (ProfileKeysTest).
TEST(StationHistory, MarksStopAtTheirLimitsAndAreWrittenWithAPointUnderAnyLocaleAndAValueNoSingleHoldsIsNone) {
  testing::SelectionRig rig;
  auto file = rig.program / kStationHistoryDataFile;
  StationHistoryFile history(file, rig.settings, rig.messages);
  testing::CommaLocale comma;
  history.StationHistorySet("HAM", "W1AW", "7102.0", 1);
  history.StationHistorySet("HAM", "W1AW", "7102.0", -1);
  EXPECT_EQ(ProfileRead(file, "HAM,W1AW", "7102.0"), "0.5") << "never 0,5";
  // A value no single holds (edited by hand) is none: the mark starts from 0.
  testing::WriteBytes(file, "[HAM,W1AW]\r\n7102.0=1e39\r\n");
  history.StationHistorySet("HAM", "W1AW", "7102.0", -1);
  EXPECT_EQ(ProfileRead(file, "HAM,W1AW", "7102.0"), "-0.5");
  EXPECT_TRUE(rig.messages.entries.empty());
  // A file that cannot be written (a spreadsheet holds it) takes the mark with the next one.
  const auto held = rig.program / "held";
  StationHistoryFile later(held / kStationHistoryDataFile, rig.settings, rig.messages);
  later.StationHistorySet("HAM", "W1AW", "7102.0", 1);
  later.StationHistorySet("HAM", "W1AW", "7102.0", 1);  // still refused: told once, not a box per call
  ASSERT_EQ(rig.messages.entries.size(), 1u);
  EXPECT_EQ(rig.messages.entries[0].text.rfind("StationHistorySet, ", 0), 0u);
  EXPECT_NE(rig.messages.entries[0].text.find(NotWrittenText(held / kStationHistoryDataFile)), std::string::npos);
  std::filesystem::create_directory(held);
  later.StationHistorySet("HAM", "W1AW", "7102.0", 1);
  EXPECT_EQ(ProfileRead(held / kStationHistoryDataFile, "HAM,W1AW", "7102.0"), "3");
  // Refused again after a write, told again; with no call after it, the program's end writes it.
  std::filesystem::rename(held, rig.program / "moved");
  later.StationHistorySet("HAM", "W1AW", "7102.0", 1);
  EXPECT_EQ(rig.messages.entries.size(), 2u);
  std::filesystem::rename(rig.program / "moved", held);
  later.StationHistoryEnd();
  EXPECT_EQ(ProfileRead(held / kStationHistoryDataFile, "HAM,W1AW", "7102.0"), "4");
  // Marks stop at their limits.
  struct Case { double value; int outcome; double next; };
  const Case cases[] = {{3.5, 1, 4.0}, {-2.8, -1, -3.0}, {0, 1, 1.0}, {0, -1, -0.5}, {2.0, 0, 2.0}};
  for (const auto& c : cases) EXPECT_NEAR(StationHistoryNext(c.value, c.outcome, rig.settings), c.next, 1e-6);
}

// A table of one station's rows with an SNR of 50 each.
struct OffsetRig : testing::SelectionRig {
  std::filesystem::path offsets = program / kStationOffsetDataFile;
  explicit OffsetRig(const std::vector<std::string>& labels) : SelectionRig(kModeMultipleStations) {
    for (const auto& label : labels) Add({{"K4CJX", label, 50}});
  }
  std::string Snr(int row) const { return table.CellGet(row, kColumnSnr); }
};

TEST(StationOffsets, RecordsWindowsAndFileProblemsAtTheTable) {
  const std::string unmatched =
      "Station's Offset Frequency 7102.0 10147.3 not found in HAM K4CJX frequency list.\r\r"
      "Please check Options Station Offset.";
  auto refused = [](std::string line) { return "StationOffsetGet - Read, Type mismatch in line 2: \"" + line + "\""; };
  // No content: no file. The second row's label and SNR after the offsets.
  struct Case { std::optional<std::string> content; int mode; std::string snr; std::vector<std::string> messages;
                std::string label2 = "17102.0", snr2 = "50.0"; };
  const int stations = kModeMultipleStations;
  const Case cases[] = {
      {std::nullopt, stations, "50.0", {}},
      {"HAM,K4CJX,7102.0,2\r\n", stations, "52.0", {}},  // a first line that is a record counts
      // The rig's azimuth of 100 lies 10 degrees off the beam: 1 dB less.
      {"HAM,K4CJX,7102.0,4,60,90,0000,2400\r\n", stations, "53.0", {}},
      {"System,Station,Frequency,Offset\r\nHAM,K4CJX,7102.0,2\r\n", stations, "52.0", {}},
      // Empty fields keep their defaults; the window 2200-0600 is closed at 1200, and an empty
      // one never holds (the wrap past midnight hour by hour: PropagationHours' test).
      {"HAM,K4CJX,7102.0,2,,,,\r\nHAM,K4CJX,7102.0,1,,,2200,0600\r\n", stations, "52.0", {}},
      {"HAM,K4CJX,7102.0,1,,,1200,1200\r\n", stations, "50.0", {}},
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
       {"StationOffsetGet - Read, File too large\r<file>"}},
      // A frequency the station lists twice (in two of its groups) is found at both, not reported missing.
      {"HAM,K4CJX,7102.0,2\r\n", stations, "52.0", {}, "7102.0", "52.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content.value_or("no file").substr(0, 100) + " mode " + std::to_string(c.mode) + " " + c.label2);
    OffsetRig rig({"7102.0", c.label2});
    if (c.content) WriteBytes(rig.offsets, *c.content);
    // The rows' azimuth is 100, the hour 1200.
    StationOffsetRows rows{"HAM", "K4CJX", 1, 2, 100, 1200, kColumnTxConnect, kColumnSnr, kColumnStnAnt, true, c.mode};
    StationOffsetGet(rig.table, rows, StationOffsetDataGet(rig.offsets, "HAM", rig.data), rig.messages, rig.colors);
    EXPECT_EQ(rig.Snr(1), c.snr);
    EXPECT_EQ(rig.Snr(2), c.snr2) << "7102.0 is an offset for 7102.0 only";
    // A file that cannot be read is named ("<file>"): held shut elsewhere, it is the one to close.
    std::vector<std::string> told = c.messages;
    for (auto& text : told)
      if (auto at = text.find("<file>"); at != std::string::npos) text.replace(at, 6, NotReadText(rig.offsets) + ".");
    EXPECT_EQ(rig.messages.Texts(), told);
  }
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
