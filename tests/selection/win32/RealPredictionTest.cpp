// The table fill of mode 2 for the fixture's ship and two SAILMAIL
// stations with the real VOACAP: every prediction cell is the program's own
// number for the same deck, interpolated to the minute (a second fill
// within the hour: RealVoacapTest and ModelPredictionsTest).
#include <gtest/gtest.h>

#include "common/Format.h"
#include "propagation/JointDeck.h"
#include "selection/StationRows.h"
#include "tests/selection/win32/RealPredictionRig.h"

namespace velmora {
namespace {

TEST(RealPrediction, TheTablesCellsAreTheProgramsNumbers) {
  if (!testing::ItshfbcInstall()) GTEST_SKIP() << "no VOACAP in ../shared/itshfbc to copy to c:\\itshfbc";
  testing::RealPredictionRig rig;
  rig.Fill(2500);  // WPE and WLO; the Panama stations lie farther
  EXPECT_TRUE(rig.messages.entries.empty()) << rig.messages.Texts()[0];
  ASSERT_EQ(rig.runs.outputs.size(), 1u) << "both stations in one run";
  auto outputs = JointOutputSplit(rig.runs.outputs[0], 2);
  ASSERT_TRUE(outputs);
  ASSERT_EQ(rig.table.DataRows(), 4 + 3);

  const double m = 45 / 60.0;
  auto at = [m](double x1, double x2) { return x1 + (x2 - x1) * m; };
  struct Station {
    const char* key;
    size_t frequencies;
  } stations[] = {{"WPE", 4}, {"WLO", 3}};  // nearest first
  int row = 1;
  for (size_t s = 0; s < 2; ++s) {
    auto tables = testing::ProgramTables((*outputs)[s]);
    const auto &a = tables[14], &b = tables[15];
    for (size_t k = 0; k < stations[s].frequencies; ++k, ++row) {
      ASSERT_EQ(rig.table.CellGet(row, kColumnStation), stations[s].key);
      SCOPED_TRACE(rig.table.CellGet(row, kColumnStation) + " " + rig.table.CellGet(row, kColumnTxConnect));
      auto value = [&](const char* table) { return at(a.rows.at(table)[k + 1], b.rows.at(table)[k + 1]); };
      EXPECT_EQ(rig.table.CellGet(row, kColumnLufMuf), LufMufText(rig.table.CellValue(row, kColumnTxConnect),
                                                                  at(a.luf, b.luf) * 1000, at(a.muf, b.muf) * 1000));
      EXPECT_EQ(Trim(rig.table.CellGet(row, kColumnLayer)), b.mode[k + 1]) << "the later hour's, at 45 minutes";
      EXPECT_EQ(rig.table.CellGet(row, kColumnTAng), FormatNumber(value("TANGLE"), "0.0"));
      EXPECT_EQ(rig.table.CellGet(row, kColumnSDbw), FormatNumber(value("S DBW"), "0"));
      EXPECT_EQ(rig.table.CellGet(row, kColumnNDbw), FormatNumber(value("N DBW"), "0"));
      EXPECT_EQ(rig.table.CellGet(row, kColumnSnr), FormatNumber(value("SNRxx"), "0.0"));
    }
  }
  EXPECT_EQ(row, rig.table.Rows()) << "every row compared";
}

// Every row and column of the table.
std::vector<std::vector<std::string>> Cells(const FrequencyTable& table) {
  std::vector<std::vector<std::string>> cells(static_cast<size_t>(table.Rows()));
  for (int row = 0; row < table.Rows(); ++row)
    for (int column = 0; column < table.Columns(); ++column)
      cells[static_cast<size_t>(row)].push_back(table.CellGet(row, column));
  return cells;
}

TEST(RealPrediction, OneRunForAllStationsFillsTheSameTableAsARunPerBlock) {
  if (!testing::ItshfbcInstall()) GTEST_SKIP() << "no VOACAP in ../shared/itshfbc to copy to c:\\itshfbc";
  std::vector<std::vector<std::string>> tables[2];
  const size_t blocksPerRun[2] = {PropagationSetup{}.blocksPerRun, 1};
  const int starts[2] = {1, 4};  // the fixture's four SAILMAIL stations, each of one block
  for (size_t k = 0; k < 2; ++k) {
    testing::RealPredictionRig rig(blocksPerRun[k]);
    rig.Fill(20000);
    EXPECT_TRUE(rig.messages.entries.empty()) << rig.messages.Texts()[0];
    EXPECT_EQ(rig.runs.starts, starts[k]);
    EXPECT_EQ(rig.table.DataRows(), 4 + 3 + 2 + 2);
    tables[k] = Cells(rig.table);
  }
  EXPECT_EQ(tables[0], tables[1]);
}

}  // namespace
}  // namespace velmora
