// The table model: sort, hit test, tool-tips and the engine's operations
// on cells (which columns each mode shows is the column table's own
// declaration, read by every fill and data file's test).
#include "selection/FrequencyTable.h"

#include <gtest/gtest.h>

#include "selection/FrequencyToolTip.h"
#include "selection/TableColumns.h"
#include "selection/TableGeometry.h"
#include "selection/TableSort.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

FrequencyTable TableOf(const std::vector<testing::TableRow>& rows) {
  testing::SelectionRig rig(kModeMultipleStations);
  rig.Add(rows);
  return rig.table;
}

// Both directions of each kind and a second key also sort the history
// window's columns and AutoSelect's ranking; every direction comes from the
// program's own keys, so there is no unknown one to meet.
TEST(SortCompare, NumbersAndTexts) {
  auto table = TableOf({{"K4CJX", "7102.0(p3)", 60}, {"W1AW", "14075.0", 62}, {"KX1", "7102.0", 60}});
  const struct { int row1, row2; SortKey key; int expected; } cases[] = {
      {1, 3, {kColumnTxConnect, kSortNumericAscending}, 0},  // "(p3)" is no part of the number
      {2, 1, {kColumnTxConnect, kSortNumericAscending}, 1},  // 14075 after 7102, unlike their texts
  };
  RecordingMessenger messages;
  for (const auto& c : cases) {
    SortKey keys[] = {c.key};
    EXPECT_EQ(SortCompare(table, c.row1, c.row2, keys, messages), c.expected) << c.row1 << " " << c.row2;
  }
}

// The cells a click on a real grid hits: FrequencyGridTest.
TEST(GridHitTest, HiddenColumnsHoldNothingAndRowsCountFromTheTopRow) {
  const int widths[] = {0, 10, 0, 20, 5};
  const struct { int x, y, topRow; GridCell expected; } cases[] = {
      {0, 0, 1, {0, 1}}, {11, 5, 1, {0, 3}}, {36, 21, 1, {2, -1}}, {5, 25, 3, {4, 1}}, {5, -1, 1, {-1, 1}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GridHitTest(widths, 10, 5, c.topRow, c.x, c.y), c.expected) << c.x << "," << c.y;
}

// The engine's list cursor over the boxes: WindowPartsTest.
TEST(EngineCells, ColourScrollRequestAndBlink) {
  auto table = TableOf({{"A", "3590.0", 0}, {"A", "7102.0", 0}, {"B", "10140.0", 0}});
  ReasonColors colors;
  table.FrequencyCellColor(3, kColumnTxConnect, kColorWhite);
  EXPECT_EQ(table.ScrollRequestTake(), 3);
  EXPECT_EQ(table.ScrollRequestTake(), std::nullopt) << "asked once";
  table.FrequencyCellBlink(3, kColumnTxConnect);
  table.FrequencyCellColor(3, kColumnTxConnect, kColorWhite);
  EXPECT_EQ(table.ScrollRequestTake(), std::nullopt) << "the blinking cell already has that colour";

  table.BlinkTick();
  EXPECT_EQ(table.Look(3, kColumnTxConnect).back, kColorBlack) << "text and back colour swapped";
  table.FrequencyCellColor(3, kColumnTxConnect, colors[kReasonBusy]);
  EXPECT_EQ(table.Look(3, kColumnTxConnect).fore, colors[kReasonBusy]) << "still swapped, in the new colour";
  table.FrequencyCellBlinkStop();
  EXPECT_EQ(table.Look(3, kColumnTxConnect).back, colors[kReasonBusy]);
  EXPECT_FALSE(table.BlinkActive());
}

// The text on a coloured cell was always black: on a dark colour, which a
// no-connect snapshot recalled from its file may hold, it could not be read.
TEST(CellColours, TheTextReadsOnTheBackColour) {
  auto table = TableOf({{"A", "3590.0", 0}});
  // White, pure red, the scan's green, light grey, the reasons'; black, navy, dark red, dark grey, pure blue.
  std::vector<Bgr> light = {kColorWhite, 0x0000FF, 0x00FF00, 0xC0C0C0};
  for (Bgr reason : ReasonColors{}.slots) light.push_back(reason);
  const std::vector<Bgr> dark = {kColorBlack, 0x800000, 0x000080, 0x404040, 0xFF0000};
  for (const auto& [backs, text] : {std::pair{light, kColorBlack}, std::pair{dark, kColorWhite}})
    for (Bgr back : backs) {
      table.CellColorSet(1, kColumnTxConnect, back);
      EXPECT_EQ(table.Look(1, kColumnTxConnect).fore, text) << std::hex << back;
    }
}

}  // namespace
}  // namespace velmora
