// velmora-airmail on the fixture installation, line by line.
#include <gtest/gtest.h>

#include "tests/tools/ToolRun.h"

namespace velmora {
namespace {

using testing::Quoted;

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
  auto run = testing::RunTool("velmora-airmail", "--data " + Quoted(data) + " --program " + Quoted(testing::FixturePath("program")));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(run.lines, Expected(data.string()));
}

}  // namespace
}  // namespace velmora
