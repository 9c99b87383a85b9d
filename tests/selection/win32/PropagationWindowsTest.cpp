// The propagation hours and details windows with the real VOACAP: every
// hours cell is the program's own number; the present hour marked, and
// how the windows are put aside (a second fill within the hour: the hours
// window shown again below, and PropagationViewsTest; a joint run's numbers
// against each block's own run: RealVoacapTest).
#include <gtest/gtest.h>

#include "tests/propagation/TimedProgram.h"
#include "propagation/win32/Win32ModelProgram.h"
#include "selection/AirmailStationGeometry.h"
#include "selection/ModelPredictions.h"
#include "selection/PropagationHoursTable.h"
#include "selection/win32/PropagationWindows.h"
#include "tests/propagation/win32/RealItshfbc.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

// The selection over the fixture's AirMail files and the real VOACAP in
// c:\itshfbc, its starts counted.
class PropagationWindowsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { available_ = testing::ItshfbcInstall(); }
  void SetUp() override {
    if (!available_) GTEST_SKIP() << "no VOACAP in ../shared/itshfbc to copy to c:\\itshfbc";
    rig.settings.propagationModelModel = kModelVoacap;
    rig.clock.now = {2024, 5, 14, 14, 45, 0, 0};
  }
  void TearDown() override { testing::DrainQuit(); }

  static inline bool available_ = false;
  testing::SelectionRig rig;
  Win32ModelProgram real;
  testing::TimedProgram runs{real};
  ModelOutputCache kept;
  PropagationRunner runner{runs, rig.messages, {kItshfbcFolder, 0, 5, &kept, nullptr}};
  ModelPredictions model{runner, rig.data, rig.settings};
  AirmailStationGeometry airmail{rig.data};
  PropagationWindows windows{nullptr,
                             {model, model, airmail, rig.data, rig.program, rig.colors, rig.settings, rig.clock}};
};

TEST_F(PropagationWindowsTest, TheHoursWindowShowsTheProgramsSnrForEveryHour) {
  windows.PropagationHoursShow("SAILMAIL", "WLO", rig.clock.now);
  auto* hours = windows.Hours();
  ASSERT_TRUE(hours && IsWindowVisible(hours->Handle()));
  EXPECT_EQ(testing::WindowText(hours->Handle()),
            "AutoConnect - SNR by Hour and Frequency (bigger is better) - Mobile, AL");
  const FrequencyTable& table = hours->Table();
  ASSERT_EQ(table.DataRows(), 3);
  EXPECT_EQ(table.CellGet(1, kHoursFrequencyColumn), "6318.5");
  ASSERT_EQ(runs.starts, 1) << "three frequencies, 24 hours, one run";
  auto tables = testing::ProgramTables(testing::ItshfbcLastOutput());
  for (int hour : {0, 1, 14, 23}) {
    const auto& snr = tables[hour == 0 ? 24 : hour].rows.at("SNRxx");
    for (int k = 0; k < 3; ++k)
      EXPECT_EQ(table.CellGet(k + 1, kHoursFirstColumn + hour), FormatNumber(snr[static_cast<size_t>(k) + 1], "0"))
          << "hour " << hour << ", frequency " << k;
  }
  // (The present hour's mark, which both hour windows share:
  // ChannelOccupancyWindowTest and the tables' tests.)

  // Shown again with no station: the same station, predicted again (kept
  // outputs, no run). Left small in the screen's corner, it grows to fit
  // the table within the screen, not past its edges.
  RECT work{}, r{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(hours->Handle(), nullptr, work.right - 120, work.bottom - 80, 120, 80, SWP_NOZORDER);
  windows.PropagationHoursShow("", "", rig.clock.now);
  EXPECT_TRUE(testing::WindowText(hours->Handle()).ends_with(" - Mobile, AL"));
  EXPECT_EQ(table.DataRows(), 3);
  EXPECT_EQ(runs.starts, 1);
  GetWindowRect(hours->Handle(), &r);
  EXPECT_GT(r.right - r.left, 120);
  EXPECT_TRUE(r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom)
      << r.left << "," << r.top << " " << r.right << "," << r.bottom;
}

TEST_F(PropagationWindowsTest, TheDetailsWindowShowsTheStationsRowsAndIsPutAsideByARebuild) {
  rig.settings.modeIndex = kModeMultipleStations;
  windows.PropagationDetailsShow("SAILMAIL", "WPE", rig.clock.now);
  auto* details = windows.Details();
  ASSERT_TRUE(details && IsWindowVisible(details->Handle()));
  EXPECT_EQ(testing::WindowText(details->Handle()),
            "AutoConnect - Detailed Propagation Data by Frequency - Friday Harbor, WA - 14:45");
  const FrequencyTable& table = details->Table();
  ASSERT_EQ(table.DataRows(), 4);

  // The cells as the fill writes them (the program's numbers interpolated
  // to the minute: RealVoacapTest; the other columns: PropagationViewsTest).
  for (int row = 1; row <= 4; ++row) {
    EXPECT_NE(table.CellGet(row, kColumnSnr), "") << row;
    EXPECT_TRUE(table.CheckGet(row, kColumnTxConnect)) << "off HAM every frequency stays checked";
  }

  // Every window of the station is put aside alike (the occupancy window's
  // test).
  static_cast<DependentWindows&>(windows).DependentWindowsReset();
  EXPECT_FALSE(IsWindowVisible(details->Handle()));
  EXPECT_TRUE(rig.messages.entries.empty()) << rig.messages.Texts()[0];
}

}  // namespace
}  // namespace velmora
