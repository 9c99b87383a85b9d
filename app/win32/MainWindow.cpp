#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include <string_view>
#include <utility>

#include "app/MenuModel.h"
#include "audio/win32/SoundControls.h"
#include "common/HeldMessenger.h"
#include "common/SystemLib.h"
#include "common/win32/MenuBuilder.h"
#include "common/win32/WindowClass.h"
#include "common/win32/WindowObject.h"
#include "display/HelpTexts.h"

namespace velmora {
namespace {

constexpr int kTimePictureId = 3001;
constexpr int kFrequencyPictureId = 3002;
constexpr UINT_PTR kProcessTimer = 1;  // tmrProcess
constexpr UINT_PTR kCloseTimer = 2;    // a close waiting for the AutoConnect side
constexpr UINT kCloseRetryMilliseconds = 100;

// A message box or file chooser of this program is up: its owner, one of
// the windows a close unloads, is disabled under it while it waits.
bool ModalDialogUp() {
  bool up = false;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        HWND owner = GetWindow(window, GW_OWNER);
        if (std::string_view(name) != "#32770" || !IsWindowVisible(window) || !owner || IsWindowEnabled(owner))
          return TRUE;
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&up));
  return up;
}

}  // namespace

MainWindow::MainWindow(std::string programFolder, MessagePump& pump, AutoConnectSeam& autoConnect,
                       Messenger* messenger)
    : programFolder_(std::move(programFolder)),
      pump_(pump),
      autoConnect_(autoConnect),
      messenger_(messenger ? *messenger : ownMessenger_),
      signal_(settings_, SignalDevices{waveIn_, waveOut_}, *this, messenger_, pump_, clock_, autoConnect_) {
  // The AutoConnect side is made first and learns of this window here.
  autoConnect_.Attach(*this);
}

void MainWindow::SetSampleSize(std::int32_t samples) {
  if (IsValidSampleSize(samples)) settings_.display.sampleSize = samples;  // taken at the loop's next (re)start
}

MainWindow::~MainWindow() {
  if (hwnd_ && IsWindow(hwnd_)) {
    pump_.RemoveModeless(hwnd_);
    SetMenu(hwnd_, nullptr);
    DestroyWindow(hwnd_);
  }
}

bool MainWindow::OtherInstanceRunning() { return FindWindowA(kMainWindowClass, kMainWindowCaption) != nullptr; }

bool MainWindow::AnyInstanceRunning() { return FindWindowA(kMainWindowClass, nullptr) != nullptr; }

bool MainWindow::Create() {
  WindowClassRegister(kMainWindowClass, &ObjectWindowProc<MainWindow>, CS_HREDRAW | CS_VREDRAW);
  hwnd_ = CreateWindowExA(0, kMainWindowClass, kMainWindowCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          CW_USEDEFAULT, CW_USEDEFAULT, 900, 640, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  // Tab reaches the toolbar, the one way to the commands while the menu bar is hidden.
  if (hwnd_) pump_.AddModeless(hwnd_);
  return hwnd_ != nullptr;
}

bool MainWindow::OnCreate() {
  // The driver and other programs come first; this thread does the work of
  // every window and must not starve them.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  ownMessenger_.SetOwner(hwnd_);
  signal_.use16Bit = true;
  profileFile_ = programFolder_ + "\\" + kSettingsFileName;
  signal_.dataFolder = programFolder_ + "\\Data";
  Default(settings_);

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  if (!toolbar_.Create(hwnd_, kMainToolbar, kToolbarFirstId) || !statusBar_.Create(hwnd_, 3)) return false;
  SetReadoutVisible(false);
  auto onTime = [this](UINT m, int x, int y, WPARAM) { OnDisplayMouse(false, m, x, y); };
  auto onSpectrum = [this](UINT m, int x, int y, WPARAM) { OnDisplayMouse(true, m, x, y); };
  if (!picTime_.Create(hwnd_, kTimePictureId, onTime) || !picFrequency_.Create(hwnd_, kFrequencyPictureId, onSpectrum))
    return false;

  auto available = [this](int command) { return CommandAvailable(command); };
  menuBar_.reset(BuildMenuBar(MainMenus(), available));
  frequencyMenu_.reset(BuildPopupMenu(FindMenu("mnuFrequency"), available));
  timeMenu_.reset(BuildPopupMenu(FindMenu("mnuTime"), available));
  SpectrumSource& spectrum = *this;
  display_ = std::make_unique<SignalDisplay>(hwnd_, picTime_, picFrequency_, settings_, spectrum);
  signal_.SetDisplay(*display_);
  signal_.SetAnalysis(analysis_);
  analysis_.SetDrawing(display_.get());
  DetectObserver& observer = *this;
  signal_.SetDetectObserver(&observer);
  CreateDialogs();
  UpdateToolbarAvailability();
  statusBar_.SetText(1, "Stopped");
  SetMenuBarVisible(false);
  return true;
}

void MainWindow::Show(int showCommand) {
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  if (firstShown_) return;
  firstShown_ = true;
  if (autoConnect_.Available()) {
    auto profile = ProfileDocument::Load(profileFile_);
    if (AutoConnectWasVisible(profile)) {
      autoConnect_.ProfileRecallWindow(profile);
      autoConnect_.Show();
    }
  }
  // What this copy holds once started, the AutoConnect window shown or not:
  // a close saves what changed since.
  ProfileWriter started(profileFile_);
  ProfileSaveAll(started);
  started.KeepIn(profileKnown_);
  pump_.RunPending();
  if (autoStart_) signal_.ProcessStart();
}

void MainWindow::HelpShowAt(std::string_view heading) { overview_->ShowAt(heading); }

void MainWindow::HelpShow(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::Diagram: return diagram_->Show();
    case HelpTopic::Overview: return overview_->Show();
    case HelpTopic::About: return about_->Show();
    case HelpTopic::AutoConnect: return overview_->ShowAt(AutoConnectHelpHeading(false));
    case HelpTopic::AutoConnectOptions: return overview_->ShowAt(AutoConnectHelpHeading(true));
  }
}

void MainWindow::StartProcessTimer() { SetTimer(hwnd_, kProcessTimer, 10, nullptr); }

void MainWindow::OnProcessTimer() {
  // Not while an AutoConnect operation waits below (AirMail's terminal being
  // activated, a message box): the loop would hold it there until the loop
  // ended. Nor while the loop of the input before winds down (Options
  // switched the input, and Start came at once): the press was lost. The
  // timer ticks on until the operation or that loop has returned.
  if (autoConnect_.Busy() || signal_.LoopActive()) return;
  KillTimer(hwnd_, kProcessTimer);
  if (!closing_) signal_.StartLoopFromTimer();
  // A close asked for while the loop ran, or an end after a device failure,
  // takes the normal path now that the loop has returned.
  if (closePending_ && hwnd_) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
}

void MainWindow::OnClose() {
  // An AutoConnect operation below this handler (a message box, AirMail's
  // terminal) ends its run now, and returns before its window is unloaded.
  bool autoConnectBusy = autoConnect_.Busy();
  if (autoConnectBusy) autoConnect_.RunEnd();
  if (signal_.LoopActive()) {
    // The loop is on the stack below this handler: ask it to stop, and close
    // once it has returned.
    closePending_ = true;
    signal_.StopForClose();
    return;
  }
  // Unloaded under a modal dialog, a window would go on in freed memory
  // when the dialog returns: the close waits for it.
  if (autoConnectBusy || ModalDialogUp()) {
    SetTimer(hwnd_, kCloseTimer, kCloseRetryMilliseconds, nullptr);
    return;
  }
  // A run still going ends first: its end puts back the centre frequency
  // it set for the row in hand, which the settings then keep. Measurements
  // not saved are asked about; a save that failed keeps the program open.
  autoConnect_.RunEnd();
  if (!autoConnect_.MeasurementsCloseCheck()) {
    closePending_ = false;  // the next loop's end must not close it after all
    return;
  }
  closing_ = true;
  KillTimer(hwnd_, kProcessTimer);
  signal_.StopForClose();
  settingsUnsaved_ = !SaveSettingsAtClose(messenger_);
  autoConnect_.Unload();
  UnloadDialogs();
  SetMenu(hwnd_, nullptr);
  DestroyWindow(hwnd_);
}

void MainWindow::OnEndSession() {
  // Windows is shutting down or logging off: the process is ended without
  // a close, so what a close keeps is kept now (a loop below this handler
  // stops with it; the recording is closed; a run, under an operation or
  // between two buffers, ends with its log record and what it heard of the
  // channels; reference measurements are saved, with no question to hold
  // the shutdown up; then the settings, which name their file; then what
  // files refused is tried again). A box nobody answers would hold up the
  // saves after it: the boxes wait until all is saved.
  if (closing_) return;
  closing_ = true;
  autoConnect_.MessagesHold(true);
  autoConnect_.RunEnd();
  if (sessionEnding_) sessionEnding_();
  autoConnect_.MeasurementsKeep();
  KillTimer(hwnd_, kProcessTimer);
  signal_.StopForClose();
  HeldMessenger settingsTold(messenger_);
  settingsTold.Hold();
  SaveSettingsAtClose(settingsTold);
  autoConnect_.WaitingWrite();
  settingsTold.Release();
  autoConnect_.MessagesHold(false);
}

// The sound card's stream often does not outlive a sleep (a USB card is gone
// until it is found again), and the loop would wait for it until its
// time-out ended the program: the capture stops before the sleep and starts
// afresh on waking, where a card still missing says so.
void MainWindow::OnPowerBroadcast(WPARAM event) {
  if (event == PBT_APMSUSPEND) {
    captureBeforeSleep_ = signal_.inputSource == kSoundCard && signal_.LoopActive();
    if (captureBeforeSleep_) signal_.Stop();
  } else if ((event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) &&
             std::exchange(captureBeforeSleep_, false) && !closing_) {
    signal_.Start();
  }
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_SIZE:
      OnSize(wParam);
      return 0;
    case WM_COMMAND:
      Command(LOWORD(wParam));
      return 0;
    case WM_NOTIFY:
      if (auto answer = toolbar_.DropDown(lParam, [this](std::string_view key) { OnToolbar(key); })) return *answer;
      break;
    case WM_TIMER:
      if (wParam == kProcessTimer) OnProcessTimer();
      if (wParam == kCloseTimer && !autoConnect_.Busy() && !ModalDialogUp()) {
        KillTimer(hwnd_, kCloseTimer);
        PostMessageA(hwnd_, WM_CLOSE, 0, 0);
      }
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_HELP:  // F1: the Help menu's overview
      Command(menu::kHelpOverView);
      return TRUE;
    case WM_MOUSEMOVE:
    case WM_SETCURSOR:
      // Over the toolbar, the status bar or the frame the read-out is empty.
      if (message == WM_MOUSEMOVE || reinterpret_cast<HWND>(wParam) == toolbar_.Handle() ||
          reinterpret_cast<HWND>(wParam) == statusBar_.Handle())
        statusBar_.SetText(2, "");
      if (message == WM_MOUSEMOVE) return 0;
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_ENDSESSION:
      if (wParam) OnEndSession();
      return 0;
    case WM_POWERBROADCAST:
      OnPowerBroadcast(wParam);
      return TRUE;
    case WM_DESTROY:
      pump_.RemoveModeless(hwnd_);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace velmora
