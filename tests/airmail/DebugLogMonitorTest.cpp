// Following AirMail's debug log through real files that grow, shrink and vanish.
#include "airmail/DebugLogMonitor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

#include "tests/airmail/FakeSeams.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

class DebugLogMonitorTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(folder.path() / "Logfiles"); }
  std::filesystem::path Log() const { return folder.path() / "Logfiles" / "Debug.log"; }
  std::string Data() const { return folder.path().string(); }
  void Append(std::string_view text, std::ios::openmode mode = std::ios::app) {
    std::ofstream(Log(), std::ios::binary | mode) << text;
  }
  void Replace(std::string_view text) { Append(text, std::ios::trunc); }
  // The log moved aside and a new one begun in its place.
  void Renew(std::string_view text) {
    std::filesystem::rename(Log(), Log().parent_path() / "Debug.old");
    std::ofstream(Log(), std::ios::binary) << text;
  }
  TerminalStatus Check() { return monitor.TerminalConnectCheckFile(Data()); }

  testing::TempFolder folder;
  RecordingMessenger messenger;
  testing::CountingActivator activator;
  DebugLogMonitor monitor{messenger, activator};
};

// Each case: the log before the call, then what is appended before each
// check (or what replaces the log) and the status that check gives.
TEST_F(DebugLogMonitorTest, TheLinesAppendedSinceTheCallDecide) {
  using S = TerminalStatus;
  enum Way { kAppended, kReplaced, kRenewed };
  struct Step { std::string appended; S status; Way way = kAppended; };
  struct Case { const char* name; std::string before; std::vector<Step> checks; };
  const std::string filler(100000, 'x');  // lines that take several reads
  const Case cases[] = {
      {"lines before the call never count", "10:00 Connected to W1AW\r\n10:05 No answer from K1ABC\r\n",
       {{"", S::Calling}, {"10:10 Tuning 14105.0\r\n", S::Calling}}},
      {"the last matching line decides, whatever the line ends", "old\r\n",
       {{"10:10 Connected to W1AW\r\n10:20 Disconnected from W1AW\n10:21 Saving mail\n", S::Disconnected}}},
      {"a last line is read again whole once complete", "start\r\n",
       {{"10:10 No answer from W1AW", S::Calling}, {" (manual)\r\n", S::Canceled}}},
      {"a line end split between two checks", "",
       {{"10:10 Connected to W1AW\r", S::Connected}, {"\n10:20 Disconnected from W1AW\r\n", S::Disconnected}}},
      {"a last line that stopped growing without its end", "",
       {{"10:10 Connected to W1AW\r\n10:20 Disconnected from W1AW", S::Connected}, {"", S::Connected},
        {"", S::Disconnected}, {"10:21 Saving mail\r\n", S::Disconnected}}},
      {"a long append across many reads", "",
       {{"10:00 Connected to W1AW\r\n" + filler + "\r\n10:30 Disconnected from W1AW\r\n" + filler + "\r\n",
         S::Disconnected}}},
      {"a new shorter log is read from its start", filler + "\r\n",
       {{"11:00 Log started\r\n11:01 Connected to W1AW\r\n", S::Connected, kReplaced},
        {"11:30 Disconnected from W1AW\r\n", S::Disconnected}}},
      {"a log emptied and written past the old end before a check is read from its start", "10:00 start\r\n",
       {{"11:00 Connected to W1AW\r\n11:01 Saving mail\r\n", S::Connected, kReplaced},
        {"11:30 Disconnected from W1AW\r\n", S::Disconnected}}},
      {"a new log in the old one's place is read from its start, though longer", "10:00 start\r\n",
       {{"11:00 Connected to W1AW\r\n11:01 Saving mail\r\n", S::Connected, kRenewed},
        {"11:30 Disconnected from W1AW\r\n", S::Disconnected}}},
  };
  for (const auto& c : cases) {
    Replace(c.before);
    ASSERT_TRUE(monitor.TerminalConnectCheckFileInitialize(Data()));
    for (const auto& check : c.checks) {
      if (check.way == kRenewed) Renew(check.appended);
      else check.way == kReplaced ? Replace(check.appended) : Append(check.appended);
      EXPECT_EQ(Check(), check.status) << c.name << " after \"" << check.appended.substr(0, 40) << "\"";
    }
    EXPECT_EQ(monitor.ReadPosition(), std::filesystem::file_size(Log())) << c.name;
  }
  EXPECT_TRUE(messenger.entries.empty());
}

// AirMail moving its log aside and beginning a new one a moment later, at
// the instant of a check, is no lost log.
TEST_F(DebugLogMonitorTest, ALogMissingForAMomentIsWaitedFor) {
  Append("10:00 start\r\n");
  ASSERT_TRUE(monitor.TerminalConnectCheckFileInitialize(Data()));
  std::filesystem::rename(Log(), Log().parent_path() / "Debug.old");
  std::thread airmail([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    // Whole when it appears: a check between the file's making and its
    // first write would rightly read an empty log, Calling, on a busy machine.
    const auto fresh = Log().parent_path() / "Debug.new";
    std::ofstream(fresh, std::ios::binary) << "11:00 Connected to W1AW\r\n";
    std::filesystem::rename(fresh, Log());
  });
  EXPECT_EQ(Check(), TerminalStatus::Connected);
  airmail.join();
  EXPECT_TRUE(messenger.entries.empty());
}

// A log missing at the call, or gone during it, is reported with the data
// folder and the system's error text; the position stays, and the check
// that could not read it ends the run instead of waiting on for ever.
TEST_F(DebugLogMonitorTest, AMissingLogIsReportedAtTheCallAndDuringIt) {
  const std::string hint = " data.\r\rPlease check that the AirMail's Data Folder \"" + Data() + "\" is correct.\r";
  EXPECT_FALSE(monitor.TerminalConnectCheckFileInitialize(Data()));
  Append("10:00 Calling\r\n");
  ASSERT_TRUE(monitor.TerminalConnectCheckFileInitialize(Data()));
  Append("10:10 Connected to W1AW\r\n");
  ASSERT_EQ(Check(), TerminalStatus::Connected);
  std::uint64_t position = monitor.ReadPosition();
  std::filesystem::remove(Log());
  EXPECT_EQ(Check(), TerminalStatus::Error);
  EXPECT_EQ(monitor.ReadPosition(), position);
  const std::string expected[] = {
      "TerminalConnectCheckFileInitialize, Unable to Find AirMail \"\\Logfiles\\Debug.log\"" + hint,
      "TerminalConnectCheckFile, Unable to Open AirMail \"Logfiles/Debug.log\"" + hint};
  ASSERT_EQ(messenger.entries.size(), 2u);
  for (int i = 0; i < 2; ++i) {  // each followed by the system's error text
    EXPECT_EQ(messenger.entries[i].text.rfind(expected[i], 0), 0u) << messenger.entries[i].text;
    EXPECT_GT(messenger.entries[i].text.size(), expected[i].size());
  }
  EXPECT_EQ(activator.count, 2);
  // A call that cannot be followed forgets the last result.
  EXPECT_FALSE(monitor.TerminalConnectCheckFileInitialize(Data()));
  EXPECT_EQ(monitor.Status(), TerminalStatus::Calling);
#ifndef _WIN32
  // One that opens but cannot be read (a folder in its place reads so here)
  // tells the system's reason on a line of its own, not run on after "data.".
  Append("10:00 Calling\r\n");
  ASSERT_TRUE(monitor.TerminalConnectCheckFileInitialize(Data()));
  std::filesystem::remove(Log());
  std::filesystem::create_directory(Log());
  EXPECT_EQ(Check(), TerminalStatus::Error);
  ASSERT_EQ(messenger.entries.size(), 4u);
  EXPECT_TRUE(messenger.entries.back().text.starts_with("TerminalConnectCheckFile, Unable to Read AirMail "
                                                        "\"Logfiles/Debug.log\" data.\r"))
      << messenger.entries.back().text;
#endif
}

TEST_F(DebugLogMonitorTest, PositionBeyondFourGigabytes) {
  Append("");
  std::error_code error;
  std::filesystem::resize_file(Log(), 5ull << 30, error);  // sparse where the file system allows
  if (error) GTEST_SKIP() << "no room for a large sparse file";
  ASSERT_TRUE(monitor.TerminalConnectCheckFileInitialize(Data()));
  EXPECT_EQ(monitor.ReadPosition(), 5ull << 30);
  const std::string lines = "\r\n12:00 Connected to W1AW\r\n";
  Append(lines);
  EXPECT_EQ(Check(), TerminalStatus::Connected);
  EXPECT_EQ(monitor.ReadPosition(), (5ull << 30) + lines.size());
}

}  // namespace
}  // namespace velmora
