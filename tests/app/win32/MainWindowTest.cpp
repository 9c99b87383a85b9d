// The main window as a user meets it: real menus, toolbar, status bar and
// settings file, under the platform's window system; and the real loop
// under it: minimised, and started while an AutoConnect operation waits
// below it or the loop of the input before ends, panel 1 read back from the
// status bar.
#include <windows.h>
#include <commctrl.h>

#include "app/win32/MainWindow.h"

#include <chrono>
#include <cmath>
#include <functional>

#include "airmail/AutoConnectSettings.h"
#include "analysis/DetectorValues.h"
#include "app/MenuModel.h"
#include "display/win32/OptionsIds.h"
#include "tests/app/win32/MainWindowFixture.h"
#include "tests/common/win32/WorkAreaFit.h"

namespace velmora {
namespace {

bool Greyed(HMENU menu, int command) { return GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED; }

using MainWindowTest = testing::MainWindowFixture<>;

// The toolbar's buttons, and the menu bar, built from its model, that the
// "Menu" button shows and hides. With the menu bar hidden (as it starts)
// the keyboard still reaches the toolbar: Tab, then the arrows and Space,
// bring the menu bar back.
TEST_F(MainWindowTest, TheMenuButtonShowsTheMenuBarFromTheMouseOrTheKeyboardAndF1OpensTheOverview) {
  // Without an AutoConnect window its button is there but not offered.
  EXPECT_FALSE(window->Tools().IsEnabled("Airmail"));

  EXPECT_EQ(GetMenu(window->Handle()), nullptr);
  Press("Menu");
  HMENU bar = GetMenu(window->Handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(window->Tools().IsPressed("Menu"));
  // Found by command in their menus; the AutoConnect window's item not offered without it.
  EXPECT_TRUE(Greyed(bar, menu::kViewAirmail));
  EXPECT_FALSE(Greyed(bar, menu::kOptionsDetector));
  Press("Menu");
  EXPECT_EQ(GetMenu(window->Handle()), nullptr);

  SetActiveWindow(window->Handle());
  SetFocus(window->Handle());
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), window->Tools().Handle());
  const auto menuButton = SendMessageA(GetFocus(), TB_COMMANDTOINDEX, window->Tools().IdOf("Menu"), 0);
  for (int i = 0; i < 8 && SendMessageA(GetFocus(), TB_GETHOTITEM, 0, 0) != menuButton; ++i) Key(VK_LEFT);
  Key(VK_SPACE);
  EXPECT_TRUE(window->Settings().menuBarVisible);
  EXPECT_NE(GetMenu(window->Handle()), nullptr);
  // F1 opens the program's help, its overview (from the AutoConnect window: its own test).
  testing::Answered(IDOK, [&] { Key(VK_F1); });  // no "Velmora.txt" here: told so
  EXPECT_TRUE(IsWindowVisible(window->Overview()->Handle()));
}

// The mouse reads the spectrum off, and a drag zooms.
TEST_F(MainWindowTest, TheMouseOnTheSpectrumReadsItOffAndADragZooms) {
  SetWindowPos(window->Handle(), nullptr, 0, 0, 820, 640, SWP_NOZORDER);
  window->Signal().inputSource = kSimulated;
  window->Signal().SimulateData();  // one buffer on the displays
  HWND spectrum = window->FrequencyPicture().Handle();
  auto send = [&](UINT message, int x, int y) {
    SendMessageA(spectrum, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  };
  SendMessageA(spectrum, WM_MOUSEMOVE, 0, MAKELPARAM(100, 50));
  EXPECT_TRUE(window->ReadoutVisible());
  // The readout's own form is the display's (tested natively); here, that it shows.
  EXPECT_NE(window->Status().Text(2).find(" (dB),  Res: 5.4 (Hz)"), std::string::npos) << window->Status().Text(2);

  const double low = window->Display().View().FrequencyAt(100);
  send(WM_LBUTTONDOWN, 300, 200);
  send(WM_MOUSEMOVE, 200, 120);
  send(WM_LBUTTONUP, 100, 40);
  EXPECT_EQ(window->Settings().display.fftRange, 3);
  EXPECT_EQ(testing::WindowText(window->Handle()), "Velmora - Zoomed");
  EXPECT_NEAR(window->Display().View().displayLow, low, 11025.0 / 2048) << "redrawn at once while stopped";
  // The mouse taken away mid-drag (a pop-up menu, a switch to another program) ends
  // the drag: its rubber band stood on every buffer after, the read-out gone.
  send(WM_LBUTTONDOWN, 300, 200);
  ReleaseCapture();
  EXPECT_FALSE(window->Display().Dragging());
}

TEST_F(MainWindowTest, CloseSavesSettingsAndTheNormalPlacement) {
  std::error_code error;
  ASSERT_TRUE(ProfileWrite(SettingsFile(), kAutoConnectSection, "Window Visible", "True", error));
  SetWindowPos(window->Handle(), nullptr, 40, 30, 700, 500, SWP_NOZORDER);
  window->Settings().detector.pactor3Threshold = 33;
  Press("Menu");
  window->Close();
  EXPECT_EQ(ProfileRead(SettingsFile(), kAutoConnectSection, "Window Visible"), "True")
      << "without an AutoConnect window the stored value stays";
  Reopen();
  RECT r{};
  GetWindowRect(window->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 700);
  EXPECT_EQ(r.left, 40);
  EXPECT_NE(GetMenu(window->Handle()), nullptr) << "the menu bar comes back as it was";
  EXPECT_EQ(window->Settings().detector.pactor3Threshold, 33) << "the settings come back";
  // Closed maximised, the last normal placement is kept.
  ShowWindow(window->Handle(), SW_MAXIMIZE);
  window->Close();
  EXPECT_EQ(ProfileRead(SettingsFile(), kDisplaySection, "Window Width"), "700");
  EXPECT_EQ(ProfileRead(SettingsFile(), kDisplaySection, "Window Top"), "30");
  // Placed on a screen no longer there (a second monitor unplugged), it
  // comes back with its caption within reach.
  ASSERT_TRUE(ProfileWrite(SettingsFile(), kDisplaySection, "Window Left", "30000", error));
  ASSERT_TRUE(ProfileWrite(SettingsFile(), kDisplaySection, "Window Top", "-30000", error));
  Reopen();
  GetWindowRect(window->Handle(), &r);
  EXPECT_LT(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_GE(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  EXPECT_EQ(r.right - r.left, 700);
  // Saved on a larger screen (or first started on a netbook's), it comes
  // back no larger than this one, its status bar and edges within reach.
  const std::string tall = std::to_string(GetSystemMetrics(SM_CYVIRTUALSCREEN) + 400);
  ASSERT_TRUE(ProfileWrite(SettingsFile(), kDisplaySection, "Window Height", tall, error));
  ASSERT_TRUE(ProfileWrite(SettingsFile(), kDisplaySection, "Window Top", "100", error));
  Reopen();
  EXPECT_TRUE(testing::FillsWorkAreaHeight(window->Handle())) << "raised to keep its status bar on the screen";
}

// The About box closed only with its button; Enter and Esc close it too.
TEST_F(MainWindowTest, TheAboutBoxClosesWithEnterAndEsc) {
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    window->Command(menu::kHelpAbout);
    HWND about = window->About()->Handle();
    ASSERT_TRUE(IsWindowVisible(about));
    ASSERT_EQ(GetFocus(), GetDlgItem(about, IDOK)) << "its button has the keys";
    Key(key);
    EXPECT_FALSE(IsWindowVisible(about)) << key;
  }
}

// Recalled, as Settings, Recall... chosen, it is not read either, and says so.
TEST_F(MainWindowTest, AnUnwritableSettingsFileIsReportedAndTheWindowStillCloses) {
  std::filesystem::create_directory(SettingsFile());  // a folder where the file should be
  auto told = testing::Answered(IDOK, [&] { window->RecallSettingsFrom(SettingsFile()), window->Close(); });
  ASSERT_EQ(told.size(), 2u);
  EXPECT_NE(told[0].find("ProfileRecall - Cannot read " + SettingsFile().string()), std::string::npos) << told[0];
  EXPECT_NE(told[1].find("ProfileSave - Cannot write " + SettingsFile().string()), std::string::npos) << told[1];
  EXPECT_EQ(window->Handle(), nullptr);
}

// An AutoConnect side that keeps only its settings record, recalled at
// start-up and saved at close with the main window's. It has no window, no
// placement and no visibility.
class SettingsOnlyAutoConnect final : public NoAutoConnect {
 public:
  void ProfileRecall(const ProfileDocument& profile) override { velmora::ProfileRecall(profile, settings_); }
  void ProfileSave(ProfileWriter& profile) override { velmora::ProfileSave(profile, settings_); }
  std::string AirmailDataFolder() const override { return settings_.airmailDirectoryData; }
  AutoConnectSettings& Settings() { return settings_; }

 private:
  AutoConnectSettings settings_;
};

// The main window with the AutoConnect side before its window.
using MainWindowLinkTest = testing::MainWindowFixture<SettingsOnlyAutoConnect>;

// Settings > Save writes both windows' settings to the chosen file, and
// Recall brings them back; a file that holds nothing changes nothing. The
// AutoConnect side, made before the main window, reaches it through its
// link: the detector values, the sample size for the next restart, the
// settings file.
TEST_F(MainWindowLinkTest, TheAutoConnectSideReachesTheMainWindowAndSharesItsSettingsFiles) {
  const auto chosen = folder.path() / "Chosen.ini";
  window->Settings().detector.pactor2Threshold = 44;
  autoConnect.Settings().connectAttempts = 3;
  window->SaveSettingsTo(chosen);
  EXPECT_EQ(ProfileRead(chosen, kDetectorSection, "Pactor2 Threshold"), "44");
  EXPECT_EQ(ProfileRead(chosen, kAutoConnectSection, "Connect Attempts"), "3");
  window->Settings().detector.pactor2Threshold = 40;
  autoConnect.Settings().connectAttempts = 10;
  // A file of another kind was recalled without a word, nothing taken from it.
  testing::WriteBytes(folder.path() / "Airmail.ini", "[Settings]\r\nMyCall=W1AW\r\n");
  auto told = testing::Answered(IDOK, [&] { window->RecallSettingsFrom(folder.path() / "Airmail.ini"); });
  EXPECT_TRUE(testing::ToldOnce(told, "holds no settings of Velmora: nothing was recalled."));
  EXPECT_EQ(window->Settings().detector.pactor2Threshold, 40);
  window->RecallSettingsFrom(chosen);
  EXPECT_EQ(window->Settings().detector.pactor2Threshold, 44);
  EXPECT_EQ(autoConnect.Settings().connectAttempts, 3);

  MainWindowLink* link = autoConnect.Link();
  ASSERT_EQ(link, window.get());
  link->Detectors().SetCenterFrequency(2100);
  EXPECT_EQ(window->Settings().detector.centerFrequency, 2100);
  link->SetSampleSize(1000);
  EXPECT_EQ(link->SampleSize(), 2048) << "only a size the buffers can take";
  link->SetSampleSize(4096);
  EXPECT_EQ(window->Settings().display.sampleSize, 4096);
  link->ProcessReset();
  EXPECT_EQ(window->Status().Text(1), "Starting") << "a reset while stopped starts the loop";
}

// Two copies of the program on one folder (a second launch answered Yes):
// the later close wrote every setting it held, the earlier one's changes
// lost; a copy now saves what it changed and keeps the other's.
TEST_F(MainWindowLinkTest, TwoCopiesOnOneSettingsFileKeepEachOthersChanges) {
  SettingsOnlyAutoConnect otherSide;
  MainWindow other(folder.path().string(), pump, otherSide);
  ASSERT_TRUE(other.Create());
  other.SetAutoStart(false);
  other.RecallAtStartup();
  other.Show(SW_SHOWNORMAL);
  window->Settings().detector.pactor2Threshold = 44;
  otherSide.Settings().connectAttempts = 3;
  window->Close();
  other.Close();
  EXPECT_EQ(ProfileRead(SettingsFile(), kDetectorSection, "Pactor2 Threshold"), "44");
  EXPECT_EQ(ProfileRead(SettingsFile(), kAutoConnectSection, "Connect Attempts"), "3");
}

// Runs an action every few milliseconds from inside whatever message loop
// this thread is in (a menu's, a box's, the program's own), until destroyed.
// A tick that comes while the action still runs is passed over.
class ThreadTimer {
 public:
  ThreadTimer(UINT milliseconds, std::function<void()> action) : action_(std::move(action)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, milliseconds, &ThreadTimer::OnTimer);
  }
  ~ThreadTimer() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }

 private:
  static inline ThreadTimer* current_ = nullptr;
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ThreadTimer* self = current_;
    if (!self || self->busy_) return;
    self->busy_ = true;
    self->action_();
    self->busy_ = false;
  }
  std::function<void()> action_;
  UINT_PTR timer_ = 0;
  bool busy_ = false;
};

using MainWindowLoopTest = testing::MainWindowFixture<>;

TEST_F(MainWindowLoopTest, MinimisedNothingIsDrawnButDetectionGoesOn) {
  // One continuous transmission.
  Playback(signalgen::Generate({.form = signalgen::Form::Pactor2, .snrDb = 30, .seconds = 3, .rhythm = {.cycle = 0}})
               .samples);
  ShowWindow(window->Handle(), SW_MINIMIZE);
  Press("Start");
  int ticks = 0;
  // Inside the loop's event passes.
  ThreadTimer watcher(20, [&] {
    if (window->Analysis().Pactor2Count() >= 5 || ++ticks > 300) Press("Stop");
  });
  ASSERT_TRUE(testing::PumpUntil(
      [&] { return !window->Signal().LoopActive() && window->Status().Text(1) == "Stopped"; }, 15));
  EXPECT_GE(window->Analysis().Pactor2Count(), 5) << "the detectors ran on every buffer";
  auto& picture = window->TimePicture();
  EXPECT_EQ(GetPixel(picture.BufferDc(), picture.Width() / 2, picture.Height() / 2), RGB(255, 255, 255))
      << "the time trace was never drawn";
}

struct BusySide : NoAutoConnect {
  bool busy = false;
  int runEnds = 0;
  bool Busy() const override { return busy; }
  void RunEnd() override {
    ++runEnds;
    CenterFrequencyRestore(Link()->Detectors());  // as the engine's stop does
  }
};
using LoopUnderAnOperation = testing::MainWindowFixture<BusySide>;

// Windows ending, which ends the program without a close, ends a run as a
// close does, under an operation or between two buffers: the log record of
// one between two buffers, and what it heard of the channels, were lost.
// Both end it before the settings are saved: the centre frequency of the
// row in hand was kept as "Center Frequency".
TEST_F(LoopUnderAnOperation, ClosingOrWindowsEndingEndsTheRunBeforeTheSettingsAreSaved) {
  const std::pair<bool, bool> cases[] = {{true, true}, {true, false}, {false, false}};  // Windows ending, busy
  for (auto [ending, busy] : cases) {
    window->Settings().detector.centerFrequencyAutoFrequency = 1700;
    window->Settings().detector.centerFrequency = 1500;  // a row without Pactor 3
    autoConnect.busy = busy;
    autoConnect.runEnds = 0;
    if (ending) SendMessageA(window->Handle(), WM_ENDSESSION, TRUE, 0);
    else window->Close();
    autoConnect.busy = false;
    EXPECT_EQ(autoConnect.runEnds, 1) << ending << busy;
    EXPECT_EQ(ProfileRead(SettingsFile(), kDetectorSection, "Center Frequency"), "1700") << ending << busy;
    Reopen();
  }
}

// Started inside an AutoConnect operation's wait, the loop would hold the
// operation below it for good; it starts once the operation has returned.
TEST_F(LoopUnderAnOperation, TheLoopStartsOnceTheOperationHasReturned) {
  Playback(signalgen::Generate({.seconds = 2}).samples);
  autoConnect.busy = true;
  Press("Start");
  EXPECT_FALSE(testing::PumpUntil([&] { return window->Status().Text(1).starts_with("Playback"); }, 0.5));
  autoConnect.busy = false;
  bool played = false;
  int ticks = 0;
  ThreadTimer watcher(20, [&] {
    played = played || window->Status().Text(1).starts_with("Playback");
    if (played || ++ticks > 300) Press("Stop");
  });
  ASSERT_TRUE(testing::PumpUntil([&] { return window->Status().Text(1) == "Stopped"; }, 15));
  EXPECT_TRUE(played);
}

// Options switches the input while a loop runs and ends that loop; a Start
// pressed before its last buffer was done was lost, "Stopped" stood.
TEST_F(MainWindowLoopTest, AStartWhileTheLoopOfTheInputBeforeEndsIsKept) {
  Playback(signalgen::Generate({.seconds = 2}).samples);
  Press("Start");
  bool switched = false;
  ThreadTimer watcher(20, [&] {
    if (switched || !window->Signal().LoopActive()) return;
    window->Signal().PlaybackEnd();  // as Options, OK does on leaving playback
    window->Signal().inputSource = kSimulated;
    Press("Start");
    switched = true;
    // The loop before still waits for its last buffer, as a sound card's does.
    testing::PumpUntil([] { return false; }, 0.2);
  });
  // The test tone's bin stands out once the simulated buffer has been analysed.
  const auto& spectrum = window->Analysis().Spectrum();
  const std::int32_t tone = std::lround(window->Signal().simulate.frequency * 2048 / 11025);
  EXPECT_TRUE(testing::PumpUntil([&] {
    return switched && !window->Signal().LoopActive() && spectrum.N() == 2048 &&
           spectrum.Density(tone) > spectrum.Density(tone / 2) + 20;
  }, 15));
}

// The laptop going to sleep: the sound card's stream is often gone on waking
// (a USB card above all), and the loop waited for it until its time-out
// ended the program. The capture stops before the sleep and starts afresh
// on waking; one stopped by the user stays stopped.
TEST_F(MainWindowLoopTest, SleepStopsTheCaptureAndWakingStartsItAgain) {
  window->Signal().inputSource = kSoundCard;
  auto power = [&](std::initializer_list<WPARAM> events) {
    for (WPARAM event : events) SendMessageA(window->Handle(), WM_POWERBROADCAST, event, 0);
  };
  auto running = [&] { return window->Signal().LoopActive() && window->Status().Text(1).starts_with("Running"); };
  auto stopped = [&] { return !window->Signal().LoopActive() && window->Status().Text(1) == "Stopped"; };
  using Clock = std::chrono::steady_clock;
  auto since = Clock::now();
  // Each step once the state the one before leads to has shown.
  const struct { const char* name; std::function<void()> act; std::function<bool()> shown; } steps[] = {
      {"asleep", [&] { power({PBT_APMSUSPEND}); }, stopped},
      {"awake", [&] { power({PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND}); }, running},
      {"stopped by the user", [&] { Press("Stop"); }, stopped},
      {"asleep and awake again, stopped by the user before",
       [&] { power({PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC}), since = Clock::now(); },
       [&] { return Clock::now() - since > std::chrono::seconds(1) && stopped(); }},
  };
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  size_t acted = 0;
  bool done = false, allShown = false;
  Press("Start");
  // Inside the loop's event passes while it runs.
  ThreadTimer driver(20, [&] {
    if (done) return;
    if (Clock::now() > deadline) {
      Press("Stop");
      done = true;
    } else if (acted == 0 ? running() : steps[acted - 1].shown()) {
      if (acted == std::size(steps)) done = allShown = true;
      else steps[acted++].act();
    }
  });
  ASSERT_TRUE(testing::PumpUntil([&] { return done && !window->Signal().LoopActive(); }, 60));
  EXPECT_TRUE(allShown) << (acted ? steps[acted - 1].name : "no capture: is the sound server running?");
}

// A close while the Options dialog's file chooser is up (the main window
// stays enabled under it) unloaded the dialog under the chooser, whose
// return went on in the dialog just freed; the close now waits for it.
TEST_F(MainWindowTest, ACloseWhileAFileIsChosenInOptionsWaitsForTheChooser) {
  window->Command(menu::kOptionsInput);
  HWND options = window->Options()->Handle();
  bool closed = false, chooserKept = false;
  ThreadTimer closer(100, [&] {
    HWND chooser = FindWindowA("#32770", "Playback File");
    if (closed || !chooser) return;
    closed = true;
    window->Close();  // inside the chooser's own loop
    chooserKept = IsWindow(chooser) && IsWindow(options);
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessageA(options, WM_COMMAND, MAKEWPARAM(IDC_CMDPLAYBACKBROWSE, BN_CLICKED), 0);
  EXPECT_TRUE(chooserKept);
  EXPECT_TRUE(testing::PumpUntil([&] { return window->Handle() == nullptr; }, 5)) << "closed once it is gone";
}

}  // namespace
}  // namespace velmora
