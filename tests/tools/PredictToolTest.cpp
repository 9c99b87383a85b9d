// velmora-predict run as a user runs it: a prediction of two stations
// through Wine with the real VOACAP.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/tools/ToolRun.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

using testing::Quoted;

constexpr const char* kHeading =
    "station,range_nmi,azimuth,frequency,luf_muf,layer,t_ang,s_dbw,n_dbw,snr,slope,offset_db,history_db,rx_check,"
    "tx_connect,reason_slot";

// Natively the Windows program runs through Wine, in the prefix the tests use.
TEST(VelmoraPredict, ThroughWineWithTheRealVoacap) {
  fs::path source = fs::path(VELMORA_SOURCE_DIR) / ".." / "shared" / "itshfbc";
  if (!fs::exists(source / "bin_win" / "voacapw.exe")) GTEST_SKIP() << "no VOACAP in ../shared/itshfbc";
  if (!std::getenv("WINEPREFIX") || std::system("command -v wine >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "no Wine prefix to run it in (WINEPREFIX)";
  testing::TempFolder folder;
  fs::copy(source, folder.path() / "itshfbc", fs::copy_options::recursive);
  auto run = testing::RunTool("velmora-predict", "--data " + Quoted(testing::FixturePath("data")) +
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
