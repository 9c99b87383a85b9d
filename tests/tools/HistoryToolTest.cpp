// velmora-history as a user runs it: the summary, a blank line, the table.
#include <gtest/gtest.h>

#include "tests/tools/ToolRun.h"

namespace velmora {
namespace {

testing::ToolRun RunHistory(const std::string& arguments) { return testing::RunTool("velmora-history", arguments); }

TEST(VelmoraHistory, PrintsTheSummaryAndTheTableOrNamesTheProblem) {
  testing::TempFolder folder;
  auto log = folder.path() / "Debug.log";
  testing::WriteBytes(log, "01/05/2026 10:00:00 Connected to WLO, Pactor 3\r\n"
                           "10:02:05 Disconnected from WLO\r\n"
                           "01/07/2026 10:00:00 No answer from KPH\r\n");
  auto run = RunHistory("--airmail '" + log.string() + "' --to 2026-01-06");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.out,
            "Time:               01/05/26 to 01/05/26\n"
            "Records:        1, Tries/Day 1.0, Connects/Day 1.0\n"
            "Connected:    1 (100%), Connected 2:05, Last 01/05/26\n"
            "\n"
            "Station,Records,Percent\n"
            "\"WLO, Pactor 3\",1,100%\n");

  const std::pair<std::string, std::string> refused[] = {
      {"--log a --from 2026-02-30", "velmora-history: --from: 2026-02-30 is no date of the form YYYY-MM-DD"},
      {"--from 2026-01-01", "velmora-history: --airmail or --log: a log is needed"}};
  for (const auto& [arguments, message] : refused) {
    run = RunHistory(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.errorLines.at(0), message);
  }
  run = RunHistory("--log '" + (folder.path() / "none.txt").string() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "velmora-history: LogFileSummary, No such file or directory\n");
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace velmora
