// velmora-history as a user runs it: the summary, a blank line, the table.
#include <gtest/gtest.h>

#include "tests/tools/ToolRun.h"

namespace velmora {
namespace {

TEST(VelmoraHistory, PrintsTheSummaryAndTheTable) {
  testing::TempFolder folder;
  auto log = folder.path() / "Debug.log";
  testing::WriteBytes(log, "01/05/2026 10:00:00 Connected to WLO, Pactor 3\r\n"
                           "10:02:05 Disconnected from WLO\r\n"
                           "01/07/2026 10:00:00 No answer from KPH\r\n");
  const auto run = testing::RunTool("velmora-history", "--airmail '" + log.string() + "' --to 2026-01-06");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.out,
            "Time:               01/05/26 to 01/05/26\n"
            "Records:        1, Tries/Day 1.0, Connects/Day 1.0\n"
            "Connected:    1 (100%), Connected 2:05, Last 01/05/26\n"
            "\n"
            "Station,Records,Percent\n"
            "\"WLO, Pactor 3\",1,100%\n");
}

}  // namespace
}  // namespace velmora
