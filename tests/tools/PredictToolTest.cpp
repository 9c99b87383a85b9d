// velmora-predict run as a user runs it: its exit codes, and a prediction
// of two stations through Wine with the real VOACAP.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/tools/ToolRun.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

using testing::Quoted;

testing::ToolRun Predict(const std::string& arguments) { return testing::RunTool("velmora-predict", arguments); }

constexpr const char* kHeading =
    "station,range_nmi,azimuth,frequency,luf_muf,layer,t_ang,s_dbw,n_dbw,snr,slope,offset_db,history_db,rx_check,"
    "tx_connect,reason_slot";

TEST(VelmoraPredict, ExitCodes) {
  testing::TempFolder empty;
  const std::string data = "--data " + Quoted(testing::FixturePath("data"));
  struct Case {
    std::string arguments;
    int status;
    std::string message;  // a part of what it says on standard error
  } cases[] = {
      {"", 2, "velmora-predict: --data: AirMail's data folder is needed\nusage: velmora-predict --data"},
      {data + " --system HAM --mode 4", 2, "velmora-predict: --mode: 4 is not 1, 2 or 6\n"},
      {data + " --system HAM --time 2024-02-30T10:00", 2, "--time: 2024-02-30T10:00 is no time of the form"},
      {data + " --system NOSUCH", 2, "velmora-predict: --system: AirMail's data folder has no system \"NOSUCH\"\n"},
      {"--data " + Quoted(empty.path()) + " --system HAM", 2, "velmora-predict: --data: no AirMail station file"},
      {data + " --system HAM --mode 6 --station W1AW --itshfbc " + Quoted(empty.path()), 1,
       "Propagation Model REC533 not found.\n\nPlease check"},
  };
  for (const auto& c : cases) {
    auto run = Predict(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.errors;
    EXPECT_NE(run.errors.find(c.message), std::string::npos) << c.arguments << "\n" << run.errors;
  }
}

// Natively the Windows program runs through Wine, in the prefix the tests use.
TEST(VelmoraPredict, ThroughWineWithTheRealVoacap) {
  fs::path source = fs::path(VELMORA_SOURCE_DIR) / ".." / "shared" / "itshfbc";
  if (!fs::exists(source / "bin_win" / "voacapw.exe")) GTEST_SKIP() << "no VOACAP in ../shared/itshfbc";
  if (!std::getenv("WINEPREFIX") || std::system("command -v wine >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "no Wine prefix to run it in (WINEPREFIX)";
  testing::TempFolder folder;
  fs::copy(source, folder.path() / "itshfbc", fs::copy_options::recursive);
  auto run = Predict("--data " + Quoted(testing::FixturePath("data")) +
                     " --system SAILMAIL --mode 6 --station WPE --station WLO --model 2 --time 2024-05-14T14:45 "
                     "--itshfbc " + Quoted(folder.path() / "itshfbc"));
  EXPECT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.lines.size(), 1u + 4 + 3) << run.errors;  // WPE's four frequencies, then WLO's three
  EXPECT_EQ(run.lines[0], kHeading);
  for (size_t i = 1; i < run.lines.size(); ++i) {
    EXPECT_EQ(run.lines[i].rfind(i <= 4 ? "WPE," : "WLO,", 0), 0u) << run.lines[i];
    EXPECT_EQ(std::count(run.lines[i].begin(), run.lines[i].end(), ','), 15) << run.lines[i];
    EXPECT_EQ(run.lines[i].find(",,,,"), std::string::npos) << "predicted: " << run.lines[i];
  }
  // The deck of the last run stays: the year asked for, not the clock's.
  EXPECT_NE(testing::ReadBytes(folder.path() / "itshfbc" / "run" / "sound.dat").find("\r\nMONTH      2024    5\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace velmora
