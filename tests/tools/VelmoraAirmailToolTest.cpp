// velmora-airmail on the fixture installation, line by line.
#include <gtest/gtest.h>

#include "tests/tools/ToolRun.h"

namespace velmora {
namespace {

using testing::Quoted;

testing::ToolRun RunTool(const std::string& arguments) { return testing::RunTool("velmora-airmail", arguments); }

// What the fixture holds, as the program reads it ("listing.txt" beside it;
// {DATA} stands for the data folder).
std::vector<std::string> Expected(const std::string& dataFolder) {
  auto lines = SplitLines(testing::ReadBytes(testing::FixturePath("listing.txt")));
  for (auto& line : lines)
    if (auto at = line.find("{DATA}"); at != std::string::npos) line.replace(at, 6, dataFolder);
  return lines;
}

TEST(VelmoraAirmail, ListsTheFixtureInstallationLineByLine) {
  auto data = testing::FixturePath("data");
  auto run = RunTool("--data " + Quoted(data) + " --program " + Quoted(testing::FixturePath("program")));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(run.lines, Expected(data.string()));
}

// A wrong argument is named before the usage (exit 1); a folder that holds
// no AirMail data says so (exit 2).
TEST(VelmoraAirmail, ExitCodes) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "--data: AirMail's data folder is needed"},
      {"--verbose --data x", "--verbose: no such option"},
  };
  for (const auto& [arguments, problem] : cases) {
    auto run = RunTool(arguments);
    EXPECT_EQ(run.status, 1) << arguments;
    const std::string expected = std::string("velmora-airmail: ") + problem + "\nusage: velmora-airmail --data DIR";
    EXPECT_EQ(run.errors.rfind(expected, 0), 0u) << run.errors;
  }
  testing::TempFolder empty;
  auto run = RunTool("--data " + Quoted(empty.path()));
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.lines.empty());
  EXPECT_EQ(run.errors, "SystemListGet, Unable to get AirMail System data.\n\nPlease check that the AirMail's Data "
                        "Folder \"" + empty.path().string() + "\" is correct.\n");
}

}  // namespace
}  // namespace velmora
