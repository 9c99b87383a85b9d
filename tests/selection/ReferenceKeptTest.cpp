// What the data files keep of the table and tell of themselves.
#include <gtest/gtest.h>

#include "common/TextFileLines.h"
#include "selection/NoConnectData.h"
#include "selection/ReferenceData.h"
#include "selection/TableColumns.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

const DataConditions kKeptConditions{{2005, 3, 14, 18, 30, 0, 0}, "HAM", {41.5, -71.25}, 112.5f};

// "Rx Pwr" as the reference with a silent S-meter: "Ref" stays empty where
// "Rx Snr" was measured; such rows are saved, and a table with no measured
// row is refused, never saved as headings alone.
TEST(ReferenceKept, EveryMeasuredRowIsSavedAndATableWithoutOneIsRefused) {
  // Rows saved: the measured row and its neighbour of the same station.
  struct Case { const char *pwr, *snr, *ref; size_t rows; } cases[] = {
      {"", "12", "", 2}, {"-80", "", "", 2}, {"", "", "14", 2}, {"", "", "", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pwr) + "/" + c.snr + "/" + c.ref);
    testing::SelectionRig rig(kModeReferenceStations);
    for (const char* frequency : {"7000.0", "10000.0"}) {
      int row = rig.table.RowAdd();
      rig.table.CellSet(row, kColumnStation, "W1AW");
      rig.table.CellSet(row, kColumnFrequency, frequency);
    }
    rig.table.CellSet(1, kColumnRxPwr, c.pwr);
    rig.table.CellSet(1, kColumnRxSnr, c.snr);
    rig.table.CellSet(1, kColumnRef, c.ref);
    auto file = ReferenceStationSave(rig.table, rig.program, kKeptConditions, rig.messages);
    ASSERT_EQ(file.has_value(), c.rows > 0);
    if (!file) {
      EXPECT_EQ(rig.messages.Texts(), std::vector<std::string>{kReferenceNothingMeasured});
      EXPECT_FALSE(std::filesystem::exists(rig.program / "Data" / "2005-03-14 183000.ref"));
      continue;
    }
    EXPECT_EQ(SplitLines(testing::ReadBytes(*file)).size(), 3 + c.rows);
  }
}

// State 0, in a check-box column too; and saved so again.
TEST(ReferenceKept, ANoConnectCellWithoutABoxIsRecalledWithoutOne) {
  testing::SelectionRig rig(kModeNoConnectData);
  std::string row;
  for (int column = 0; column < kColumnCount; ++column) {
    const char* text = column == kColumnStation ? "W1AW" : column == kColumnRxCheck ? "7102.0" : "";
    const char* state = column == kColumnTxConnect ? "2" : "0";
    row += std::string(column ? "," : "") + text + ",1,FFFFFF," + state;
  }
  auto file = rig.program / "a.nct";
  testing::WriteBytes(file, "2005-03-14 18:30:00,5\r\nHAM,41.5,-71.25,112.5\r\nheading\r\n" + row + "\r\n");
  ASSERT_TRUE(NoConnectDataRecall(rig.table, file, rig.messages));
  EXPECT_FALSE(rig.table.HasCheckBox(1, kColumnRxCheck));
  EXPECT_FALSE(rig.table.FrequencyClick(1, kColumnRxCheck)) << "no box to click";
  EXPECT_EQ(rig.table.CellGet(1, kColumnRxCheck), "7102.0");
  EXPECT_TRUE(rig.table.CheckGet(1, kColumnTxConnect));

  ASSERT_EQ(NoConnectDataWrite(rig.table, rig.program / "b.nct", kKeptConditions, kModeNoConnectData), "");
  testing::SelectionRig again(kModeNoConnectData);
  ASSERT_TRUE(NoConnectDataRecall(again.table, rig.program / "b.nct", again.messages));
  EXPECT_FALSE(again.table.HasCheckBox(1, kColumnRxCheck));
  EXPECT_TRUE(again.table.HasCheckBox(1, kColumnTxConnect));
}

// The list is built again at every rebuild of the window's table.
TEST(ReferenceKept, AnUnreadableFileOfTheListIsToldOnceUntilItChanges) {
  testing::SelectionRig rig(kModeReferenceData);
  std::filesystem::create_directories(rig.program / "Data");
  const auto bad = rig.program / "Data" / "2005-03-14 183000.ref";
  testing::WriteBytes(bad, "no date\r\n");
  ReferenceFilesTold told;
  for (int build = 0; build < 3; ++build) {
    if (build == 2)
      std::filesystem::last_write_time(bad, std::filesystem::last_write_time(bad) + std::chrono::hours(1));
    auto list = ReferenceListBuild(rig.program, rig.settings, rig.Rows(), rig.clock, &told);
    EXPECT_TRUE(list.rows.empty());
  }
  EXPECT_EQ(rig.messages.entries.size(), 2u) << "once, and again once changed";
}

}  // namespace
}  // namespace velmora
