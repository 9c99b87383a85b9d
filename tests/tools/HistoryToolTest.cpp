// velmora-history as a user runs it: the summary, a blank line, the table.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/wait.h>

#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

struct Run {
  int status = -1;
  std::string out, errors;
};

Run RunHistory(const std::string& arguments) {
  testing::TempFolder folder;
  auto errors = folder.path() / "stderr.txt";
  std::string command = std::string(VELMORA_BINARY_DIR) + "/velmora-history " + arguments + " 2>'" +
                        errors.string() + "'";
  Run run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char chunk[4096];
  for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) run.out.append(chunk, n);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream in(errors);
  std::getline(in, run.errors);
  return run;
}

TEST(VelmoraHistory, PrintsTheSummaryAndTheTableOrNamesTheProblem) {
  testing::TempFolder folder;
  auto log = folder.path() / "Debug.log";
  std::ofstream(log, std::ios::binary) << "01/05/2026 10:00:00 Connected to WLO, Pactor 3\r\n"
                                          "10:02:05 Disconnected from WLO\r\n"
                                          "01/07/2026 10:00:00 No answer from KPH\r\n";
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
      {"--log", "velmora-history: --log: a value must follow"},
      {"--airmail a --log b", "velmora-history: --log: one log only, --airmail or --log"},
      {"--log a --from 2026-02-30", "velmora-history: --from: 2026-02-30 is no date of the form YYYY-MM-DD"},
      {"--from 2026-01-01", "velmora-history: --airmail or --log: a log is needed"},
      {"--log a --since 2026-01-01", "velmora-history: --since: no such option"}};
  for (const auto& [arguments, message] : refused) {
    run = RunHistory(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.errors, message);
  }
  run = RunHistory("--log '" + (folder.path() / "none.txt").string() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "velmora-history: LogFileSummary, No such file or directory");
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace velmora
