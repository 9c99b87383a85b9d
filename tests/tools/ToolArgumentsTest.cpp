// What each command-line tool refuses, as a user meets it: the exit code,
// the problem on standard error, and after a wrong argument the usage.
#include <gtest/gtest.h>

#include "tests/tools/ToolRun.h"

namespace velmora {
namespace {

using testing::Quoted;

TEST(ToolArguments, EachRefusalNamesItsProblemWithItsExitCode) {
  testing::TempFolder folder;
  const auto shortFile = folder.path() / "short.bin", empty = folder.path() / "empty";
  testing::WriteBytes(shortFile, std::string(2 * 2047, '\1'));
  std::filesystem::create_directories(empty);
  const std::string data = "--data " + Quoted(testing::FixturePath("data"));
  struct Case {
    std::string tool, arguments;
    int status;
    std::string says;  // a part of standard error
    size_t lines;      // of standard error; 0: the usage follows
  } cases[] = {
      // A failure of the analyser is one line.
      {"velmora-analyse", Quoted(folder.path() / "missing.bin"), 2, "missing.bin\": No such file", 1},
      {"velmora-analyse", Quoted(shortFile), 2, "less than one buffer", 1},
      {"velmora-analyse", "--settings " + Quoted(folder.path() / "none.ini") + " " + Quoted(shortFile), 2,
       "cannot read the settings file", 1},
      {"velmora-analyse", Quoted(folder.path()), 2, "Is a directory", 1},
      {"velmora-analyse", "--bogus x.bin", 2, "velmora-analyse: --bogus: no such option", 0},
      {"velmora-analyse", "--sample-size 65536 x.bin",
       2, "velmora-analyse: --sample-size: 65536 is not a power of two from 256 to 32768", 0},
      // The signal generator refuses what it cannot make.
      {"velmora-signalgen", "--sweep --sample-size 300", 2,
       "velmora-signalgen: --sample-size: 300 is not a power of two from 256 to 32768", 0},
      {"velmora-signalgen", "--form noise --seed 1e30 --out x.bin", 2,
       "velmora-signalgen: --seed: 1e30 is not a whole number of 0 or more", 0},
      {"velmora-signalgen", "--form noise --seconds 1e12 --out x.bin", 2,
       "velmora-signalgen: --seconds: 1e12 is not more than 0 and at most 3600", 0},
      {"velmora-predict", "", 2, "velmora-predict: --data: AirMail's data folder is needed", 0},
      {"velmora-predict", data + " --system HAM --mode 4", 2, "velmora-predict: --mode: 4 is not 1, 2 or 6", 0},
      {"velmora-predict", data + " --system HAM --time 2024-02-30T10:00", 2,
       "velmora-predict: --time: 2024-02-30T10:00 is no time of the form", 0},
      {"velmora-predict", data + " --system NOSUCH", 2,
       "velmora-predict: --system: AirMail's data folder has no system \"NOSUCH\"", 0},
      {"velmora-predict", "--data " + Quoted(empty) + " --system HAM", 2,
       "velmora-predict: --data: no AirMail station file", 0},
      {"velmora-predict", data + " --system HAM --mode 6 --station W1AW --itshfbc " + Quoted(empty), 1,
       "Propagation Model REC533 not found.\n\nPlease check", 3},
      // velmora-airmail refuses an argument with 1, a folder without AirMail's data with 2.
      {"velmora-airmail", "", 1, "velmora-airmail: --data: AirMail's data folder is needed", 0},
      {"velmora-airmail", "--verbose --data x", 1, "velmora-airmail: --verbose: no such option", 0},
      {"velmora-airmail", "--data " + Quoted(empty), 2,
       "SystemListGet, Unable to get AirMail System data.\n\nPlease check that the AirMail's Data Folder \"" +
           empty.string() + "\" is correct.\n",
       3},
      {"velmora-history", "--log a --from 2026-02-30", 2,
       "velmora-history: --from: 2026-02-30 is no date of the form YYYY-MM-DD", 0},
      {"velmora-history", "--from 2026-01-01", 2, "velmora-history: --airmail or --log: a log is needed", 0},
      {"velmora-history", "--log " + Quoted(folder.path() / "none.txt"), 1,
       "velmora-history: LogFileSummary, No such file or directory\n", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tool + " " + c.arguments);
    const testing::ToolRun run = testing::RunTool(c.tool, c.arguments);
    EXPECT_EQ(run.status, c.status) << run.errors;
    ASSERT_FALSE(run.errorLines.empty());
    EXPECT_NE(run.errors.find(c.says), std::string::npos) << run.errors;
    if (c.lines == 0) {
      EXPECT_EQ(run.errorLines.at(1).rfind("usage: " + c.tool, 0), 0u) << run.errors;
    } else {
      EXPECT_EQ(run.errorLines.size(), c.lines) << run.errors;
    }
    // Only a prediction that fails has written its heading first.
    EXPECT_EQ(run.out.empty(), c.tool != "velmora-predict" || c.status == 2) << run.out;
  }
}

}  // namespace
}  // namespace velmora
