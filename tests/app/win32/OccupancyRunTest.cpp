// The occupancy record end to end: the real program against the stand-in
// AirMail, with sound through the sound server that follows the frequency
// the stand-in's terminal shows: Panama City's 8146.5 always carries
// Pactor, its 12464.0 is free. The record already holds 54 s of each at
// this hour, half of them busy, as earlier runs would have left it; a first
// unattended run hears both a little more (AutoSelect's noise measurement),
// which alone tips the shares apart. The "Busy" column then shows them, and
// with the "Busy" rule on the next run calls the free one first.
#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "app/win32/MainWindow.h"
#include "autoconnect/AutoConnectMenus.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "selection/BusyShare.h"
#include "selection/StationOccupancy.h"
#include "selection/TableColumns.h"
#include "tests/app/win32/InstalledProgram.h"
#include "tests/audio/win32/SoundPlayer.h"
#include "tests/propagation/win32/RealItshfbc.h"

namespace velmora {
namespace {

constexpr const char* kBusyLabel = "8146.5";
constexpr const char* kFreeLabel = "12464.0";
// Earlier listening, just short of the minute the column and the rule need,
// and this run's "Auto Select Noise Interval" on top.
constexpr double kEarlierSeconds = 54, kMeasureSeconds = 10;

// Plays Pactor while the stand-in's terminal shows the busy frequency,
// channel noise while it shows any other.
class FollowingSound {
 public:
  FollowingSound()
      : pactor_(signalgen::ToPcm16(testing::Pactor(90, 11).samples)),
        noise_(signalgen::ToPcm16(signalgen::Generate({.seconds = 90, .seed = 12}).samples)) {}
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
  if (start.minute >= 57) std::this_thread::sleep_for(std::chrono::seconds((60 - start.minute) * 60 - start.second + 2));
  const int hour = UtcNow().hour;

  testing::StandInSession airmail({{"System", "SAILMAIL"}, {"Station", "Panama City"}, {"Frequency", kBusyLabel},
                                   {"Terminal", "1"}, {"Outcome", "connected"}, {"Seconds", "1"},
                                   {"DisconnectSeconds", "2"}, {"RecordTimes", "1"}, {"Lifetime", "600"}});
  ASSERT_TRUE(airmail.Start());
  testing::Installed program(kModeMultipleFrequencies, airmail,
                             "Connect System Index=1\r\nConnect Station Index=2\r\nPropagation Model Model=2\r\n"
                             "Auto Select Snr=False\r\nConnect Tx Only=True\r\nAuto Select Noise=True\r\n"
                             "Auto Select Noise Interval=" + std::to_string(kMeasureSeconds) + "\r\n");
  {  // half of the earlier seconds heard busy on each frequency, written by the program's own writer
    StationOccupancy seeded;
    for (const char* label : {kBusyLabel, kFreeLabel})
      seeded.Add({"SAILMAIL", "HP1A", label, hour}, kEarlierSeconds, kEarlierSeconds / 2, OccupancyDayOf(UtcNow()), 30);
    std::error_code error;
    ASSERT_TRUE(StationOccupancyWrite(program.Folder() / kStationOccupancyDataFile, seeded, error)) << error.message();
  }
  FollowingSound sound;
  sound.Follow(airmail);
  ASSERT_TRUE(sound.Playing()) << "no sound output: is the sound server running?";

  // The first run: a few seconds more on each frequency, then a call.
  RunToExit(program, airmail, sound, 300);
  RecordingMessenger told;
  StationOccupancy record = StationOccupancyGet(program.Folder() / kStationOccupancyDataFile, told);
  EXPECT_TRUE(told.entries.empty());
  const OccupancyEntry* busy = record.Find({"SAILMAIL", "HP1A", kBusyLabel, hour});
  const OccupancyEntry* free = record.Find({"SAILMAIL", "HP1A", kFreeLabel, hour});
  ASSERT_TRUE(busy && free) << program.Kept(kStationOccupancyDataFile);
  // What this run added to the earlier listening, and the share of it judged busy.
  for (auto [label, entry, pactor] : {std::tuple{kBusyLabel, busy, true}, std::tuple{kFreeLabel, free, false}}) {
    const double heard = entry->heard - kEarlierSeconds, share = (entry->busy - kEarlierSeconds / 2) / heard;
    std::printf("%s heard at %02d UTC: %.1f s more, %.0f%% of it busy\n", label, hour, heard, 100 * share);
    EXPECT_GE(heard, kMeasureSeconds - 2) << label;
    EXPECT_TRUE(pactor ? share >= 0.6 : share <= 0.1) << label << ": " << share;
  }

  // The window on the same folder: the column shows the share, and the rule
  // deselects the busy one (the cell's form and the rule's colour are the
  // table's own tests).
  std::error_code error;
  for (auto [key, value] : {std::pair{"Auto Select Noise", "False"}, {"Auto Select Busy", "True"},
                            {"Auto Select Busy Minutes", "1"}})
    ASSERT_TRUE(ProfileWrite(program.Folder() / kSettingsFileName, kAutoConnectSection, key, value, error));
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
    EXPECT_EQ(table.CellGet(busyRow, kColumnBusy), BusyCellText(*busy));
    EXPECT_FALSE(table.CheckGet(busyRow, kColumnTxConnect));
    EXPECT_TRUE(table.CheckGet(freeRow, kColumnTxConnect));
    EXPECT_EQ(unexpected.Texts(), std::vector<std::string>{});
    main.Close();
    testing::DrainQuit();
  }

  // The next run calls the free frequency first.
  const auto earlier = airmail.Record().size();
  EXPECT_EQ(RunToExit(program, airmail, sound, 120), 0u);
  const auto received = airmail.Record();
  const auto call = std::find_if(received.begin() + static_cast<std::ptrdiff_t>(earlier), received.end(),
                                 [](const std::string& line) { return line.find(" call ") != std::string::npos; });
  ASSERT_NE(call, received.end());
  EXPECT_NE(call->find(kFreeLabel), std::string::npos) << *call;
  SetEnvironmentVariableA("VELMORA_TEST_MESSAGE_SECONDS", nullptr);
}

}  // namespace
}  // namespace velmora
