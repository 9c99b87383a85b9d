// The occupancy record end to end: the real program against the stand-in
// AirMail, with sound through the sound server that follows the frequency
// the stand-in's terminal shows: Panama City's 8146.5 always carries
// Pactor, its 12464.0 is free. A first unattended run hears both (AutoSelect's
// noise measurement listens a minute on each); the record then holds the
// busy share of each at this hour, the "Busy" column shows it, and with
// the "Busy" rule on the next run calls the free one first.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "app/win32/MainWindow.h"
#include "autoconnect/AutoConnectMenus.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "selection/StationOccupancy.h"
#include "selection/TableColumns.h"
#include "tests/app/win32/InstalledProgram.h"
#include "tests/audio/win32/SoundPlayer.h"
#include "tests/propagation/win32/RealItshfbc.h"

namespace velmora {
namespace {

constexpr const char* kBusyLabel = "8146.5";
constexpr const char* kFreeLabel = "12464.0";
constexpr double kMeasureSeconds = 62;  // "Auto Select Noise Interval": over the minute the column needs

// Plays Pactor while the stand-in's terminal shows the busy frequency,
// channel noise while it shows any other.
class FollowingSound {
 public:
  FollowingSound()
      : pactor_(signalgen::ToPcm16(testing::Pactor(150, 11).samples)),
        noise_(signalgen::ToPcm16(signalgen::Generate({.seconds = 150, .seed = 12}).samples)) {}
  // The terminal's frequency as the stand-in last recorded it, or as it began.
  void Follow(const testing::StandInSession& airmail) {
    std::string frequency = kBusyLabel;
    for (const auto& line : airmail.Record())
      if (auto at = line.find(" field frequency "); at != std::string::npos) frequency = line.substr(at + 17);
    if (player_ && frequency == playing_) return;
    player_.reset();
    player_ = std::make_unique<testing::SoundPlayer>(frequency == kBusyLabel ? pactor_ : noise_);
    playing_ = frequency;
  }
  bool Playing() const { return player_ && player_->Playing(); }

 private:
  std::vector<std::int16_t> pactor_, noise_;
  std::unique_ptr<testing::SoundPlayer> player_;
  std::string playing_;
};

// The first call the stand-in took at or after `since` (ms): its line.
std::string FirstCallSince(const std::vector<std::string>& record, long long since) {
  for (const auto& line : record) {
    auto blank = line.find(' ');
    if (blank != std::string::npos && line.compare(blank + 1, 5, "call ") == 0 && std::stoll(line.substr(0, blank)) >= since)
      return line.substr(blank + 1);
  }
  return {};
}

// A run of the program to its exit, the sound following the terminal; a
// run left listening on the busy frequency is stopped as "Stop" stops it.
DWORD RunToExit(const testing::Installed& program, const testing::StandInSession& airmail, FollowingSound& sound,
                double seconds) {
  auto velmora = program.Launch();
  EXPECT_TRUE(velmora->Started());
  auto record = program.Folder() / kStationOccupancyDataFile;
  auto written = std::filesystem::exists(record) ? std::filesystem::last_write_time(record)
                                                 : std::filesystem::file_time_type{};
  long long kept = 0;
  bool exited = testing::PumpUntil(
      [&] {
        sound.Follow(airmail);
        if (!kept && std::filesystem::exists(record) && std::filesystem::last_write_time(record) != written)
          kept = testing::NowMs();
        if (kept && testing::NowMs() - kept > 8000)
          if (HWND window = FindWindowA(kAutoConnectWindowClass, nullptr))
            PostMessageA(window, WM_COMMAND, kAutoConnectToolbarFirstId + 2, 0);  // "Stop"
        return velmora->WaitExit(0);
      },
      seconds);
  EXPECT_TRUE(exited) << "the run did not end";
  return exited ? velmora->ExitCode() : 99;
}

const OccupancyEntry* Heard(const StationOccupancy& record, const char* label, int hour) {
  return record.Find({"SAILMAIL", "HP1A", label, hour});
}

int RowOf(const FrequencyTable& table, const char* label) {
  for (int row = 1; row < table.Rows(); ++row)
    if (table.CellGet(row, kColumnTxConnect) == label) return row;
  return -1;
}

TEST(ChannelOccupancy, ABusyFrequencyIsLearnedShownAndNotCalledFirst) {
  if (!testing::ItshfbcInstall()) GTEST_SKIP() << "no VOACAP in ../shared/itshfbc to copy to c:\\itshfbc";
  SetEnvironmentVariableA("VELMORA_TEST_MESSAGE_SECONDS", "1");
  // What is heard must stay within one UTC hour.
  UtcDateTime start = UtcNow();
  if (start.minute >= 54) std::this_thread::sleep_for(std::chrono::seconds((60 - start.minute) * 60 - start.second + 2));
  const int hour = UtcNow().hour;

  testing::StandInSession airmail({{"System", "SAILMAIL"}, {"Station", "Panama City"}, {"Frequency", kBusyLabel},
                                   {"Terminal", "1"}, {"Outcome", "connected"}, {"Seconds", "1"},
                                   {"DisconnectSeconds", "2"}, {"RecordTimes", "1"}, {"Lifetime", "600"}});
  ASSERT_TRUE(airmail.Start(true));
  testing::Installed program(kModeMultipleFrequencies, airmail,
                             "Connect System Index=1\r\nConnect Station Index=2\r\nPropagation Model Model=2\r\n"
                             "Auto Select Snr=False\r\nConnect Tx Only=True\r\nAuto Select Noise=True\r\n"
                             "Auto Select Noise Interval=" + std::to_string(kMeasureSeconds) + "\r\n");
  FollowingSound sound;
  sound.Follow(airmail);
  ASSERT_TRUE(sound.Playing()) << "no sound output: is the sound server running?";

  // The first run: a minute on each frequency, then a call.
  RunToExit(program, airmail, sound, 300);
  RecordingMessenger told;
  StationOccupancy record = StationOccupancyGet(program.Folder() / kStationOccupancyDataFile, told);
  EXPECT_TRUE(told.entries.empty());
  const OccupancyEntry* busy = Heard(record, kBusyLabel, hour);
  const OccupancyEntry* free = Heard(record, kFreeLabel, hour);
  ASSERT_TRUE(busy && free) << program.Kept(kStationOccupancyDataFile);
  std::printf("heard at %02d UTC: %s %.1f s, %.0f%% busy; %s %.1f s, %.0f%% busy\n", hour, kBusyLabel, busy->heard,
              100 * busy->Share(), kFreeLabel, free->heard, 100 * free->Share());
  EXPECT_GE(busy->heard, 60);
  EXPECT_GE(free->heard, 60);
  EXPECT_GE(busy->Share(), 0.6);
  EXPECT_LE(free->Share(), 0.1);

  // The window on the same folder: the column shows both shares, and the rule deselects the busy one.
  ASSERT_TRUE(program.SettingSet("Auto Select Noise", "False") && program.SettingSet("Auto Select Busy", "True") &&
              program.SettingSet("Auto Select Busy Minutes", "1"));
  {
    testing::MessageBoxAnswerer unexpected;
    MessagePump pump;
    AutoConnectWindow window(pump);
    window.ItsHfProgramsUse(program.Folder());
    MainWindow main(program.Folder().string(), pump, window);
    ASSERT_TRUE(main.Create());
    main.SetAutoStart(false);
    main.RecallAtStartup();
    main.Show(SW_SHOWNORMAL);
    main.Command(main.Tools().IdOf("Airmail"));
    ASSERT_TRUE(testing::PumpUntil([&] { return window.Ready(); }, 60));
    const FrequencyTable& table = window.Table();
    int busyRow = RowOf(table, kBusyLabel), freeRow = RowOf(table, kFreeLabel);
    ASSERT_GT(busyRow, 0);
    ASSERT_GT(freeRow, 0);
    EXPECT_GT(table.Column(kColumnBusy).width, 0);
    EXPECT_GE(table.CellValue(busyRow, kColumnBusy), 60) << table.CellGet(busyRow, kColumnBusy);
    EXPECT_LE(table.CellValue(freeRow, kColumnBusy), 10) << table.CellGet(freeRow, kColumnBusy);
    EXPECT_FALSE(table.CheckGet(busyRow, kColumnTxConnect));
    EXPECT_TRUE(table.CheckGet(freeRow, kColumnTxConnect));
    EXPECT_EQ(table.CellColor(busyRow, kColumnTxConnect), ReasonColors{}[kReasonUsuallyBusy]);
    EXPECT_EQ(unexpected.Texts(), std::vector<std::string>{});
    main.Close();
    testing::DrainQuit();
  }

  // The next run calls the free frequency first.
  long long second = testing::NowMs();
  EXPECT_EQ(RunToExit(program, airmail, sound, 120), 0u);
  std::string call = FirstCallSince(airmail.Record(), second);
  EXPECT_NE(call.find(kFreeLabel), std::string::npos) << call;
  SetEnvironmentVariableA("VELMORA_TEST_MESSAGE_SECONDS", nullptr);
}

}  // namespace
}  // namespace velmora
