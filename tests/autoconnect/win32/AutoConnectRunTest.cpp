// The AutoConnect window's runs against the stand-in AirMail: what a run
// greys and keeps, a start waiting in a box while the window or the program
// closes, Windows ending the session, and the scan's box.
#include <windows.h>

#include <utility>

#include "autoconnect/AutoConnectMenus.h"
#include "autoconnect/StationScanMachine.h"
#include "selection/TableColumns.h"
#include "tests/autoconnect/win32/AutoConnectWindowFixture.h"

namespace velmora {
namespace {

using testing::Answered;
using testing::AutoConnectWindowTest;
using testing::HamScenario;
using testing::kBusy;
using testing::kFree;
using testing::kNoPlace;
using testing::MessageBoxAnswerer;
using testing::PumpUntil;

// A run asks before its window closes, greys what would replace its
// settings, keeps its own, and keeps a failed round when it ends.
TEST_F(AutoConnectWindowTest, ARunGreysWhatWouldReplaceItsSettingsAndKeepsItsOwn) {
  testing::StandInSession airmail(HamScenario({{"Outcome", "noanswer"}, {"Seconds", "0.3"}}));
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=1\r\nConnect Tx Only=True\r\nConnect Attempts=1\r\n"
                                    "Connect Not Busy=0.5\r\nNo Connect Data=True\r\n"));
  Open();
  if (!window->Table().CheckGet(1, kColumnTxConnect)) ClickCell(1, kColumnTxConnect);
  using namespace autoconnect_menu;
  // One entry of each menu: a menu's entries that replace settings are greyed alike.
  const std::pair<const char*, int> entries[] = {
      {"File", kFileRecall}, {"Settings", kSettingsDefault}, {"Mode", kMode0}};
  ASSERT_TRUE(window->Start()) << window->Status().Text(2);
  AutoConnectEngine& engine = *window->Engine();
  EXPECT_EQ(window->Status().Text(1), "Running");
  EXPECT_FALSE(window->Tools().IsEnabled("Start"));
  EXPECT_TRUE(window->Tools().IsEnabled("Stop"));
  EXPECT_FALSE(IsWindowEnabled(window->Options().Control("cmdResync"))) << "a rebuild would move the run's rows";
  for (const auto& [menu, command] : entries) EXPECT_FALSE(MenuEnabled(menu, command)) << menu << " " << command;
  // Closing the window asks first; No keeps the run going.
  EXPECT_EQ(Answered(IDNO, [&] { window->Close(); }).size(), 1u) << "the engine's question";
  EXPECT_TRUE(window->Visible());
  EXPECT_TRUE(engine.Running());
  // Another data folder in an offline mode: refused by the window, taken
  // through the main window's Recall, and no matter to the run.
  const auto other = folder.path() / "Other.ini";
  testing::WriteBytes(other,
                      "[Airmail Data]\r\nMode Index=4\r\nAirmail Directory Data=" + data.path().string() + "\r\n");
  window->Command(kFileDefault);
  window->SettingsRecallFrom(other);
  EXPECT_EQ(window->Settings().modeIndex, kModeMultipleFrequencies);
  main->RecallSettingsFrom(other);
  EXPECT_EQ(window->Settings().modeIndex, kModeReferenceData);

  // Free buffers until the call's result ends the run; each change of
  // frequency restarts the input, here the one buffer of the test signal.
  main->Signal().inputSource = kSimulated;
  EXPECT_TRUE(PumpUntil([&] {
    window->Update(Verdict{});
    return !engine.Running();
  }, 30)) << window->Status().Text(2);
  EXPECT_EQ(window->Status().Text(2), "Did not Connect ");
  EXPECT_FALSE(main->Detectors().AutoConnectActive());
  // The failed round is kept as the run asked, and selected for mode 5.
  const std::filesystem::path kept = window->Settings().noConnectDataFile;
  EXPECT_EQ(kept.parent_path(), folder.path() / "Data");
  EXPECT_EQ(kept.extension(), ".nct");
  EXPECT_TRUE(std::filesystem::exists(kept));
  // The recalled mode is one "Refresh" away, and nothing stays greyed.
  Answered(IDOK, [&] { Press("cmdResync"); });
  for (const auto& [menu, command] : entries) EXPECT_TRUE(MenuEnabled(menu, command)) << menu << " " << command;
}

// No position left in AirMail's files: the log's start asks for it in a
// box, and the program is closed from inside that box. The start ends first
// and goes no further, and nothing is unloaded under it (the same wait holds
// for the question whether to start AirMail, or any call into the window).
TEST_F(AutoConnectWindowTest, ClosingTheProgramWhileAStartWaitsInABoxEndsTheStartFirst) {
  testing::StandInSession airmail(HamScenario());
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=1\r\n"));
  Open();
  testing::WriteBytes(std::filesystem::path(airmail.DataFolder()) / "Airmail.ini", "[Settings]\r\n");
  HWND mainWindow = main->Handle();
  bool bothThere = false, started = true;
  std::vector<std::string> told;
  {
    MessageBoxAnswerer answer(IDOK, [&] {
      SendMessageA(mainWindow, WM_CLOSE, 0, 0);
      bothThere = IsWindow(mainWindow) && window->Handle() && IsWindow(window->Handle());
    });
    started = window->Start();
    told = answer.Texts();
  }
  ASSERT_FALSE(told.empty());
  EXPECT_NE(told[0].find("Unable to find AirMail's"), std::string::npos) << told[0];
  EXPECT_TRUE(bothThere) << "nothing unloaded under the waiting start";
  EXPECT_FALSE(started);
  EXPECT_FALSE(main->Detectors().AutoConnectActive());
  EXPECT_TRUE(PumpUntil([&] { return main->Handle() == nullptr; })) << "the close follows";
  EXPECT_EQ(window->Handle(), nullptr);
}

// Stopped while its start waits in a box: until that start has returned,
// Start and Refresh are greyed and a Start is refused, then both come back
// and a new run starts. Closed and shown again there, its showing's rebuild
// (and AirMail brought to the front) waits for the start to return, and is
// not lost.
TEST_F(AutoConnectWindowTest, WhatComesWhileAStoppedRunsStartWaitsInABoxWaitsForItToReturn) {
  testing::StandInSession airmail(HamScenario());
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=1\r\n"));
  Open();
  const std::string station = window->Table().CellGet(1, kColumnStation);
  const auto position = std::filesystem::path(airmail.DataFolder()) / "Airmail.ini";
  const std::string kept = testing::ReadBytes(position);
  testing::WriteBytes(position, "[Settings]\r\n");
  bool answered = false, startShown = true, refreshShown = true, startedInside = true, rebuiltInside = true;
  {
    MessageBoxAnswerer answer(IDOK, [&] {
      if (std::exchange(answered, true)) return;
      window->Stop();
      startShown = window->Tools().IsEnabled("Start");
      refreshShown = IsWindowEnabled(window->Options().Control("cmdResync"));
      testing::WriteBytes(position, kept);
      startedInside = window->Start();
      window->Close();
      window->Table().CellSet(1, kColumnStation, "Old");
      window->Show();
      PumpUntil([] { return false; }, 1);
      rebuiltInside = window->Table().CellGet(1, kColumnStation) != "Old";
    });
    EXPECT_FALSE(window->Start());
  }
  EXPECT_FALSE(startShown);
  EXPECT_FALSE(refreshShown);
  EXPECT_FALSE(startedInside);
  EXPECT_FALSE(rebuiltInside);
  MessageBoxAnswerer none;
  EXPECT_TRUE(PumpUntil([&] { return window->Table().CellGet(1, kColumnStation) == station; }, 5));
  EXPECT_EQ(none.Texts(), std::vector<std::string>{});
  EXPECT_TRUE(window->Tools().IsEnabled("Start"));
  EXPECT_TRUE(IsWindowEnabled(window->Options().Control("cmdResync")));
  EXPECT_TRUE(window->Start()) << window->Status().Text(2);
  window->Stop();
}

// Windows ending the session mid-run with the log held by another program:
// the box about the record came before anything was saved and held the
// shutdown there, the settings, the history and the channels heard lost
// when Windows ended the process. The boxes now come once all is saved.
TEST_F(AutoConnectWindowTest, WindowsEndingTheSessionSavesAllBeforeItsBoxes) {
  testing::StandInSession airmail(HamScenario());
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=1\r\nConnect Not Busy=60\r\n"));
  Open();
  ASSERT_TRUE(window->Start()) << window->Status().Text(2);
  const auto log = folder.path() / "AutoConnectLog.txt";
  HANDLE held = CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  bool savedFirst = true;
  std::vector<std::string> told;
  {
    MessageBoxAnswerer answer(IDOK,
                              [&] { savedFirst = savedFirst && !Saved().Read(kDetectorSection, "Burst").empty(); });
    SendMessageA(main->Handle(), WM_ENDSESSION, TRUE, 0);
    told = answer.Texts();
  }
  CloseHandle(held);
  ASSERT_FALSE(told.empty());
  EXPECT_NE(told.back().find("LogFileStop"), std::string::npos) << told.back();
  EXPECT_TRUE(savedFirst) << told[0];
}

// Two busy buffers in a row stop the scan in its box; its Cancel ends the run
// (the status it leaves: StationScanMachine's table) and the seconds shown.
TEST_F(AutoConnectWindowTest, AScanStopsOnABusyFrequencyInItsBox) {
  testing::StandInSession airmail(HamScenario());
  ASSERT_TRUE(StartAirmail(airmail, "Mode Index=6\r\nScan Station Not Busy=1\r\n"));
  Open(kNoPlace);
  ASSERT_TRUE(window->Start()) << window->Status().Text(2);
  main->Signal().inputSource = kSimulated;
  // Minimised while it scans (AirMail wanted in front): the box comes up
  // where the window comes back, not beside the minimised one off the screen.
  ShowWindow(window->Handle(), SW_MINIMIZE);
  for (Verdict verdict : {kFree, kBusy, kBusy}) window->Update(verdict);
  EXPECT_EQ(window->Table().CellColor(1, kColumnTxConnect), kColorScanBusy);
  EXPECT_NE(window->Options().Text("lblScanNotBusy"), "");
  HWND box = window->ScanBox()->Handle();
  ASSERT_TRUE(IsWindowVisible(box));
  ShowWindow(window->Handle(), SW_RESTORE);
  RECT shown{}, work{};
  GetWindowRect(box, &shown);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_TRUE(shown.left >= work.left && shown.top >= work.top && shown.right <= work.right &&
              shown.bottom <= work.bottom)
      << shown.left << "," << shown.top;
  SendMessageA(box, WM_COMMAND, kScanCancelId, 0);
  window->Update(kFree);
  EXPECT_FALSE(window->Engine()->Running());
  EXPECT_FALSE(IsWindowVisible(box));
  EXPECT_EQ(window->Options().Text("lblScanNotBusy"), "") << "no seconds of a scan that has ended";
}

}  // namespace
}  // namespace velmora
