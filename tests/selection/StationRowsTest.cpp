// A station's rows: labels from AirMail's list, the prediction's cells and
// the corrections, for the moment the time shift gives.
#include "selection/StationRows.h"

#include <gtest/gtest.h>

#include "selection/FrequencyToolTip.h"
#include "selection/StationHistoryData.h"
#include "selection/StationOffsets.h"
#include "selection/TableColumns.h"
#include "common/UtcAddHours.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

using testing::WriteBytes;

TEST(LufMufText, TheMufInsideTheRangeAndTheNearerLimitOutsideIt) {
  const struct { double frequency, luf, muf; std::string text; } cases[] = {
      {7000, 3000, 9876.5, "9876.5"},        {16000, 3000, 9876.5, ">    9876.5"},
      {2000, 2500.5, 15000, "<    2500.5"},  {3000, 3000, 3000, "3000.0"},
  };
  for (const auto& c : cases) EXPECT_EQ(LufMufText(c.frequency, c.luf, c.muf), c.text) << c.frequency;
}

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
    EXPECT_EQ(rig.table.CellGet(1, kColumnLayer), "   2F2  ") << "the mode as it came, two blanks either side";
    EXPECT_EQ(rig.table.CellGet(2, kColumnLufMuf), "15000.0");
    EXPECT_EQ(rig.table.CellGet(1, kColumnAzimuth), "45");
    EXPECT_EQ(rig.table.CellGet(1, kColumnStnAz), "120");
    EXPECT_EQ(rig.table.CellGet(1, kColumnRange), "89") << "FN31PR from 41N 71W";
  }
}

TEST(StationRows, OffsetAndHistoryColourTheSnrAndNameThemselvesInTheToolTip) {
  RowsRig rig, later;
  for (auto* r : {&rig, &later}) WriteBytes(r->program / kStationOffsetDataFile, "HAM,W1AW,14075.0,3,,,0000,0100\r\n");
  WriteBytes(rig.program / kStationHistoryDataFile, "[HAM,W1AW]\r\n14075.0=-0.5\r\n");
  // 23:30 plus an hour's shift: the offset's window 0000-0100 holds.
  ASSERT_TRUE(rig.Fill("W1AW", 1.0));
  EXPECT_EQ(rig.table.CellGet(1, kColumnSnr), "57.5");
  ToolTipContext context{kModeMultipleStations, true, true, rig.colors};
  EXPECT_EQ(FrequencyMouseMove(rig.table, 1, kColumnSnr, context),
            "Station Offset of 3.0 dB,  Station History of -0.5 dB");
  EXPECT_EQ(rig.table.CellGet(2, kColumnSnr), "55.0");
  EXPECT_EQ(FrequencyMouseMove(rig.table, 2, kColumnSnr, context), "Signal to Noise Ratio (dB)");
  ASSERT_TRUE(later.Fill("W1AW"));
  EXPECT_EQ(later.table.CellGet(1, kColumnSnr), "55.0") << "at 23:30 the window is closed";
}

TEST(StationRows, AnOffsetsNameOfNoStationIsToldOncePerFill) {
  RowsRig rig;
  WriteBytes(rig.program / kStationOffsetDataFile, "SAILMAIL,Mobile,6318.5(p3),3\r\nSAILMAIL,Nowhere,8146.0,1\r\n");
  StationRows rows = rig.Filler();
  for (auto station : {"WLO", "WPE", "HP1A"})
    ASSERT_TRUE(rows.StationRowsAddAndFill("SAILMAIL", station, rig.first, rig.last));
  EXPECT_EQ(rig.table.CellGet(1, kColumnSnr), "58.0");
  ASSERT_EQ(rig.messages.entries.size(), 1u);
  EXPECT_TRUE(rig.messages.Texts()[0].starts_with("Unable to find AirMail's Nowhere, HP2B in "));
}

TEST(StationRows, AFailedPredictionLeavesTheRowsWithoutIt) {
  RowsRig rig;
  rig.predictions.fail = true;
  EXPECT_FALSE(rig.Fill("W1AW"));
  EXPECT_EQ(rig.table.DataRows(), 3);
  EXPECT_EQ(rig.table.CellGet(1, kColumnSnr), "");
  rig.predictions.fail = false;
  EXPECT_FALSE(rig.Fill("N0LOC")) << "no position, no prediction";
  EXPECT_FALSE(rig.Fill("K1NOF")) << "no frequency list";
}

}  // namespace
}  // namespace velmora
