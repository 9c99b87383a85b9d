// velmora-airmail on the fixture installation, line by line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <sys/wait.h>

#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

struct Run {
  int status = -1;
  std::vector<std::string> lines;
  std::string errors;
};

Run RunTool(const std::string& arguments) {
  testing::TempFolder folder;
  auto errors = folder.path() / "stderr.txt";
  std::string command = std::string(VELMORA_BINARY_DIR) + "/velmora-airmail " + arguments + " 2>'" +
                        errors.string() + "'";
  Run run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::string out;
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) out.append(chunk, n);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) run.lines.push_back(line);
  run.errors = testing::ReadBytes(errors);
  return run;
}

std::string Quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

// What the fixture holds, as the program reads it; {DATA} is the data folder.
const char* const kFixtureListing[] = {
    "system,HAM",
    "system,SAILMAIL",
    "station,HAM,W1AW,W1AW,FN31PR,1",
    "frequency,HAM,W1AW,14075.0,1,0",
    "frequency,HAM,W1AW,14080.0(p3),1,1",
    "frequency,HAM,W1AW,10140.0(p3),2,1",
    "station,HAM,KX1,KX1,FN42,1",
    "frequency,HAM,KX1,7101.0,1,0",
    "frequency,HAM,KX1,7103.0(p3),1,1",
    "frequency,HAM,KX1,3590.0,1,0",
    "frequency,HAM,KX1,18105.0(p3),2,1",
    "station,HAM,W1,W1,FN41HS,1",
    "message,StationFrequencyListGet; Skipped the frequency \"14O75\" of AirMail's Frequency List; W1 in "
    "\"System.HAM.ini\".\\r\\rPlease check that the AirMail's Data Folder \"{DATA}\" is correct.",
    "frequency,HAM,W1,14110.0,1,0",
    "station,HAM,K4CJX,K4CJX,EM66QC,0",
    "frequency,HAM,K4CJX,3590.0,1,0",
    "frequency,HAM,K4CJX,7102.0(p3),1,1",
    "frequency,HAM,K4CJX,10145.5,1,0",
    "frequency,HAM,K4CJX,14105.5(p3),1,1",
    "frequency,HAM,K4CJX,21105.0(p3),2,1",
    "station,HAM,VE2AFQ,VE2AFQ,FN35,0",
    "frequency,HAM,VE2AFQ,3587.5,1,0",
    "frequency,HAM,VE2AFQ,7065.0,1,0",
    "frequency,HAM,VE2AFQ,14098.0(p3),2,1",
    "station,HAM,N0LOC,N0LOC,,0",
    "frequency,HAM,N0LOC,14095.0,1,0",
    "station,HAM,ZZ9BAD,ZZ9BAD,CM8,0",
    "frequency,HAM,ZZ9BAD,7040.0,1,0",
    "station,HAM,K1NOF,K1NOF,FN42,0",
    "message,Unable to find AirMail's Frequency List; K1NOF in \"System.HAM.ini\".\\r\\rPlease check that the "
    "AirMail's Data Folder \"{DATA}\" is correct.",
    "station,SAILMAIL,WPE,Friday Harbor; WA,CN87TL,1",
    "frequency,SAILMAIL,WPE,8146.0,1,1",
    "frequency,SAILMAIL,WPE,12454.0,1,1",
    "frequency,SAILMAIL,WPE,16695.0,2,1",
    "frequency,SAILMAIL,WPE,22391.0,2,1",
    "station,SAILMAIL,WLO,Mobile; AL,EM60,1",
    "frequency,SAILMAIL,WLO,6318.5(p3),1,1",
    "frequency,SAILMAIL,WLO,8420.5(p3),1,1",
    "frequency,SAILMAIL,WLO,12680.5(p3),2,1",
    "station,SAILMAIL,HP1A,Panama City,FJ09,1",
    "frequency,SAILMAIL,HP1A,8146.5,1,0",
    "frequency,SAILMAIL,HP1A,12464.0,1,0",
    "station,SAILMAIL,HP2B,Panama,FJ08,1",
    "frequency,SAILMAIL,HP2B,10313.0,1,0",
    "frequency,SAILMAIL,HP2B,13894.0,1,0",
};

std::vector<std::string> Expected(const std::string& dataFolder) {
  std::vector<std::string> lines;
  for (std::string line : kFixtureListing) {
    if (auto at = line.find("{DATA}"); at != std::string::npos) line.replace(at, 6, dataFolder);
    lines.push_back(line);
  }
  return lines;
}

void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  for (size_t i = 0; i < std::max(actual.size(), expected.size()); ++i)
    EXPECT_EQ(i < actual.size() ? actual[i] : "(none)", i < expected.size() ? expected[i] : "(none)")
        << "line " << i + 1;
}

TEST(VelmoraAirmail, ListsTheFixtureInstallationLineByLine) {
  auto data = testing::FixturePath("data");
  auto run = RunTool("--data " + Quoted(data) + " --program " + Quoted(testing::FixturePath("program")));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "");
  ExpectLines(run.lines, Expected(data.string()));
}

TEST(VelmoraAirmail, FindsTheDataFolderThroughTheInstallLog) {
  testing::TempFolder program;
  testing::WriteBytes(program.path() / "Airmail3.exe", "");
  auto data = testing::FixturePath("data");
  testing::WriteBytes(program.path() / "Install.log", "NewCommonRoot= " + data.string() + "/\r\n");
  auto run = RunTool("--data " + Quoted(program.path() / "nowhere") + " --program " + Quoted(program.path()));
  EXPECT_EQ(run.status, 0) << run.errors;
  ExpectLines(run.lines, Expected(data.string()));
}

TEST(VelmoraAirmail, AnUnreadableDataFolderExitsWithItsMessage) {
  testing::TempFolder empty;
  auto run = RunTool("--data " + Quoted(empty.path()));
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.lines.empty());
  EXPECT_EQ(run.errors, "SystemListGet, Unable to get AirMail System data.\n\nPlease check that the AirMail's Data "
                        "Folder \"" + empty.path().string() + "\" is correct.\n");
}

TEST(VelmoraAirmail, AWrongArgumentIsNamedBeforeTheUsage) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "--data: AirMail's data folder is needed"},
      {"--program x", "--data: AirMail's data folder is needed"},
      {"--data", "--data: a folder must follow"},
      {"--verbose --data x", "--verbose: no such option"},
  };
  for (const auto& [arguments, problem] : cases) {
    auto run = RunTool(arguments);
    EXPECT_EQ(run.status, 1) << arguments;
    EXPECT_EQ(run.errors.rfind(std::string("velmora-airmail: ") + problem + "\nusage: velmora-airmail --data DIR "
                                                                             "[--program DIR]\n", 0),
              0u)
        << run.errors;
  }
}

}  // namespace
}  // namespace velmora
