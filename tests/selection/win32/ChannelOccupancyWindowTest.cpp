// The channel occupancy window on the screen: the record beside the program
// read for one station (again when it changes), the present hour marked and
// moved on by the hour timer, and the window put aside when the table is
// rebuilt (the cells' colours and tool-tips: OccupancyHoursTable's test).
#include <gtest/gtest.h>

#include "selection/BusyShare.h"
#include "selection/OccupancyHoursTable.h"
#include "selection/win32/PropagationWindows.h"
#include "tests/common/win32/TestWin32.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

// The occupancy window predicts nothing.
struct NoDay final : DayPredictionSource {
  std::optional<PropagationHours> PredictionDayGet(const PredictionRequest&) override { return std::nullopt; }
};

TEST(ChannelOccupancyWindow, ShowsTheStationsHoursAndMarksThePresentOne) {
  testing::SelectionRig rig;
  rig.clock.now = {2024, 5, 14, 14, 45, 0, 0};
  testing::WriteBytes(rig.program / kStationOccupancyDataFile,
                      "System,Station,Frequency,Hour,Heard(Sec),Busy(Sec),Last Heard\r\n"
                      "SAILMAIL,WLO,8420.5(p3),14,1800.0,1620.0,2024-05-14\r\n"
                      "SAILMAIL,WLO,12680.5(p3),14,600.0,0.0,2024-05-13\r\n");
  NoDay day;
  PropagationWindows windows(nullptr, {rig.predictions, day, rig.geometry, rig.data, rig.program, rig.colors,
                                       rig.settings, rig.clock});
  windows.ChannelOccupancyShow("SAILMAIL", "WLO");
  ChannelOccupancyWindow* window = windows.Occupancy();
  ASSERT_TRUE(window && IsWindowVisible(window->Handle()));
  EXPECT_EQ(testing::WindowText(window->Handle()),
            "AutoConnect - Channel Occupancy by Hour and Frequency (Busy %) - Mobile, AL");
  const FrequencyTable& table = window->Table();
  const int now = kOccupancyFirstHourColumn + 14;
  ASSERT_EQ(table.DataRows(), 3);
  EXPECT_EQ(table.CellGet(2, now), "90");
  EXPECT_EQ(window->CurrentColumn(), now);
  EXPECT_EQ(table.Look(0, now).back, GetSysColor(COLOR_HIGHLIGHT));

  rig.clock.now = {2024, 5, 14, 15, 0, 0, 0};
  SendMessageA(window->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(window->CurrentColumn(), now + 1);
  EXPECT_EQ(table.Look(0, now).back, kHeadingBack);

  // A run's end rewrites the record while the window stays open: the timer shows what it added.
  testing::WriteBytes(rig.program / kStationOccupancyDataFile,
                      "System,Station,Frequency,Hour,Heard(Sec),Busy(Sec),Last Heard\r\n"
                      "SAILMAIL,WLO,8420.5(p3),15,600.0,0.0,2024-05-14\r\n");
  SendMessageA(window->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(table.CellGet(2, now + 1), "0");
  EXPECT_EQ(table.CellGet(2, now), "") << "what the file no longer holds";
  EXPECT_EQ(window->CurrentColumn(), now + 1);

  static_cast<DependentWindows&>(windows).DependentWindowsReset();
  EXPECT_FALSE(IsWindowVisible(window->Handle()));
  EXPECT_TRUE(rig.messages.entries.empty());
  testing::DrainQuit();
}

// The "Busy" column's record while a spreadsheet holds the file: told once,
// and read as soon as it is let go, though the file itself did not change.
TEST(OccupancyFile, AFileHeldByAnotherProgramIsReadOnceLetGo) {
  testing::SelectionRig rig;
  const auto file = rig.program / kStationOccupancyDataFile;
  testing::WriteBytes(file, "SAILMAIL,WLO,8420.5(p3),23,1800.0,1620.0,2024-03-10\r\n");
  OccupancyFile record(file, rig.settings, rig.clock, rig.messages);
  HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(record.OccupancyAtThisHour(), nullptr);
  EXPECT_EQ(record.OccupancyAtThisHour(), nullptr);
  EXPECT_EQ(rig.messages.entries.size(), 1u) << "told once";
  CloseHandle(held);
  const OccupancyNow* now = record.OccupancyAtThisHour();
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(now->At("SAILMAIL", "WLO", "8420.5(p3)")->Percent(), 90);
  EXPECT_EQ(rig.messages.entries.size(), 1u);
}

}  // namespace
}  // namespace velmora
