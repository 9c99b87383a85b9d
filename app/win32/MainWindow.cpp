#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include "app/MenuCommands.h"
#include "app/MenuModel.h"
#include "audio/win32/SoundControls.h"
#include "common/SystemLib.h"
#include "common/win32/MenuBuilder.h"
#include "common/win32/SettingsFileDialogs.h"
#include "common/win32/WindowObject.h"
#include "display/Caption.h"

namespace velmora {
namespace {

constexpr int kTimePictureId = 3001;
constexpr int kFrequencyPictureId = 3002;
constexpr UINT_PTR kProcessTimer = 1;  // tmrProcess
constexpr UINT_PTR kCloseTimer = 2;    // a close waiting for the AutoConnect side
constexpr UINT kCloseRetryMilliseconds = 100;

void RegisterMainClass(WNDPROC proc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), kMainWindowClass, &wc)) return;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), "VELMORA");
  if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  RegisterClassExA(&wc);
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
    SetMenu(hwnd_, nullptr);
    DestroyWindow(hwnd_);
  }
}

bool MainWindow::OtherInstanceRunning() { return FindWindowA(kMainWindowClass, kMainWindowCaption) != nullptr; }

bool MainWindow::Create() {
  RegisterMainClass(&MainWindow::WndProc);
  hwnd_ = CreateWindowExA(0, kMainWindowClass, kMainWindowCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          CW_USEDEFAULT, CW_USEDEFAULT, 900, 640, nullptr, nullptr, GetModuleHandleA(nullptr), this);
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

void MainWindow::RecallAtStartup() {
  auto profile = ProfileDocument::Load(profileFile_);
  ProfileRecall(profile, settings_);
  ApplyPlacement(velmora::ProfileRecallWindow(profile));
  SetMenuBarVisible(settings_.menuBarVisible);
  autoConnect_.ProfileRecall(profile);
  autoConnect_.ProfileRecallWindow(profile);
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
  pump_.RunPending();
  if (autoStart_) signal_.ProcessStart();
}

void MainWindow::HelpShow(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::Diagram: return diagram_->Show();
    case HelpTopic::Overview: return overview_->Show();
    case HelpTopic::About: return about_->Show();
  }
}

HMENU MainWindow::SettingsMenu() const { return MenuBarPopup(menuBar_.get(), "Settings"); }

void MainWindow::SetMenuBarVisible(bool visible) {
  settings_.menuBarVisible = visible;
  SetMenu(hwnd_, visible ? menuBar_.get() : nullptr);
  toolbar_.SetPressed("Menu", visible);
  OnSize(SIZE_RESTORED);
}

bool MainWindow::CommandAvailable(int command) const {
  auto route = RouteMenuCommand(command);
  return route && (route->action != MenuAction::ShowAutoConnect || autoConnect_.Available());
}

void MainWindow::UpdateToolbarAvailability() {
  for (const ToolbarButton& button : kMainToolbar) {
    std::string_view k = button.key;
    bool enabled = k != "Airmail" || autoConnect_.Available();
    toolbar_.SetEnabled(k, enabled);
  }
}

void MainWindow::Command(int id) {
  if (auto key = toolbar_.KeyOf(id); !key.empty()) {
    OnToolbar(key);
    return;
  }
  if (!CommandAvailable(id)) return;
  const MenuRoute route = *RouteMenuCommand(id);
  switch (route.action) {
    case MenuAction::SettingsDefault: return DefaultSettings();
    case MenuAction::SettingsRecall: return RecallSettings();
    case MenuAction::SettingsSave: return SaveSettings();
    case MenuAction::RecordToggle: return signal_.RecordToggle();
    case MenuAction::Exit: return Close();
    case MenuAction::ShowAutoConnect: return OnToolbar("Airmail");
    case MenuAction::SoundInput: return ShowSoundInput();
    case MenuAction::SoundOutput: return ShowSoundOutput();
    case MenuAction::Options: return ShowOptions(route.argument);
    case MenuAction::HelpDiagram: return diagram_->Show();
    case MenuAction::HelpOverview: return overview_->Show();
    case MenuAction::HelpAbout: return about_->Show();
    case MenuAction::FrequencyRange:
      settings_.display.fftRange = static_cast<std::int16_t>(route.argument);
      UpdateCaption();  // its suffix names the range, loop or no loop
      if (!signal_.LoopActive()) RedrawLastBuffer();
      return;
    case MenuAction::SampleSize:
      settings_.display.sampleSize = 1 << route.argument;  // used from the next start of the loop
      return;
  }
}

void MainWindow::OnToolbar(std::string_view key) {
  if (key == "Menu") {
    SetMenuBarVisible(!settings_.menuBarVisible);
  } else if (key == "Start") {
    signal_.Start();
  } else if (key == "Stop") {
    signal_.Stop();
  } else if (key == "Step") {
    signal_.Step();
  } else if (key == "Sound") {
    ShowSoundInput();
  } else if (key == "Detector") {
    ShowOptions(OptionsDialog::kDetectorTab);
  } else if (key == "Settings") {
    RECT r = toolbar_.ButtonRect("Settings");
    PopupMenu(SettingsMenu(), POINT{r.left, r.bottom});
  } else if (key == "Airmail" && autoConnect_.Available()) {
    autoConnect_.ProfileRecallWindow(ProfileDocument::Load(profileFile_));
    autoConnect_.Show();
  }
}

void MainWindow::PopupMenu(HMENU menu, POINT screen) {
  if (!menu) return;
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd_, nullptr);
  PostMessageA(hwnd_, WM_NULL, 0, 0);
}

void MainWindow::OnDisplayMouse(bool spectrum, UINT message, int x, int y) {
  if (message == WM_RBUTTONUP) {
    POINT p{x, y};
    ClientToScreen(spectrum ? picFrequency_.Handle() : picTime_.Handle(), &p);
    PopupMenu(spectrum ? frequencyMenu_.get() : timeMenu_.get(), p);
    return;
  }
  auto readout = spectrum ? display_->SpectrumMouse(message, x, y, signal_.LoopActive(), [this] { RedrawLastBuffer(); })
                          : display_->TimeMouse(message, x, y);
  if (spectrum && message == WM_LBUTTONUP) UpdateCaption();
  if (!readout) return;
  SetReadoutVisible(true);
  statusBar_.SetText(2, *readout);
}

void MainWindow::OnInitMenuPopup(HMENU menu) {
  using namespace menu;
  if (menu == frequencyMenu_.get()) {
    for (int i = 0; i < 4; ++i) SetMenuItemChecked(menu, kFrequencyRange0 + i, settings_.display.fftRange == i);
    for (int e = kSamplesExponentFirst; e <= kSamplesExponentLast; ++e) {
      SetMenuItemCaption(menu, kFrequencySamples0 + e, FrequencySamplesCaption(e));
      SetMenuItemChecked(menu, kFrequencySamples0 + e, settings_.display.sampleSize == (1 << e));
    }
  } else if (menu == MenuBarPopup(menuBar_.get(), "File") || menu == SettingsMenu()) {
    SetMenuItemChecked(menu, kFileRecord, signal_.Recording());
    SetMenuItemChecked(menu, kSettingsRecord, signal_.Recording());
  } else if (menu == timeMenu_.get()) {
    for (int e = kSamplesExponentFirst; e <= kSamplesExponentLast; ++e)
      SetMenuItemChecked(menu, kTimeSamples0 + e, settings_.display.sampleSize == (1 << e));
  }
}

void MainWindow::OnSize(WPARAM kind) {
  if (!hwnd_ || !toolbar_.Handle()) return;
  if (kind == SIZE_MINIMIZED) return;  // the displays draw nothing while minimised
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (client.right < 10 || client.bottom < 10) return;
  toolbar_.AutoSize();
  statusBar_.Resize();
  int top = toolbar_.Height();
  int bottom = client.bottom - statusBar_.Height();
  int height = bottom - top;
  if (height < 2) return;
  int timeHeight = height / 3;
  picTime_.Move(0, top, client.right, timeHeight);
  picFrequency_.Move(0, top + timeHeight, client.right, height - timeHeight);
  if (!signal_.LoopActive()) RedrawLastBuffer();
}

void MainWindow::RedrawLastBuffer() {
  // Nothing to redraw until a buffer has been processed.
  if (signal_.CurrentBuffer() == kNoBuffer) return;
  signal_.Redraw();
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

void MainWindow::UpdateCaption() {
  // A playback file's name shows until its first buffer has been analysed.
  if (showingPlaybackCaption_ && signal_.Playback().Buffers() == 0 && signal_.Playback().IsOpen()) return;
  showingPlaybackCaption_ = false;
  std::string caption = MainCaption(signal_.Recording(), settings_.display.fftRange);
  char current[256] = {};
  GetWindowTextA(hwnd_, current, sizeof current);
  if (caption != current) SetWindowTextA(hwnd_, caption.c_str());
}

void MainWindow::CaptionChanged() {
  std::string playback = signal_.PlaybackCaption();
  if (!playback.empty() && signal_.Playback().Buffers() == 0) {
    showingPlaybackCaption_ = true;
    SetWindowTextA(hwnd_, playback.c_str());
    return;
  }
  showingPlaybackCaption_ = false;
  UpdateCaption();
}

void MainWindow::HideReadoutIfOutside() {
  if (!readoutVisible_) return;
  POINT p{};
  GetCursorPos(&p);
  HWND under = WindowFromPoint(p);
  if (under != picTime_.Handle() && under != picFrequency_.Handle()) SetReadoutVisible(false);
}

// The read-out panel is hidden by giving it no width, so panel 3 keeps its number.
void MainWindow::SetReadoutVisible(bool visible) {
  readoutVisible_ = visible;
  statusBar_.SetWidths({130, visible ? 330 : 0});
}

void MainWindow::DefaultSettings() {
  Default(settings_);
  if (options_) options_->DataSet();
}

void MainWindow::RecallSettings() {
  std::string file = SettingsRecallGetFile(hwnd_, programFolder_);
  if (!file.empty()) RecallSettingsFrom(file);
}

void MainWindow::RecallSettingsFrom(const std::filesystem::path& file) {
  auto profile = ProfileDocument::Load(file);
  ProfileRecall(profile, settings_);
  SetMenuBarVisible(settings_.menuBarVisible);
  autoConnect_.ProfileRecall(profile);
  if (options_) options_->DataSet();
}

void MainWindow::SaveSettings() {
  std::string file = SettingsSaveGetFile(hwnd_, programFolder_);
  if (!file.empty()) SaveSettingsTo(file);
}

void MainWindow::SaveSettingsTo(const std::filesystem::path& file) {
  ProfileWriter writer(file);
  ProfileSave(writer, settings_);
  autoConnect_.ProfileSave(writer);
  std::error_code error;
  if (!writer.Commit(error)) messenger_.Show("ProfileSave - Cannot write " + file.string() + "\r" + ErrorText(error));
}

bool MainWindow::SaveSettingsAtClose() {
  ProfileWriter writer(profileFile_);
  ProfileSave(writer, settings_);
  bool normal = false;
  const WindowPlacement placement = PlacementToSave(normal);
  std::optional<bool> visible;
  if (autoConnect_.Available()) visible = autoConnect_.Visible();
  ProfileSaveWindow(writer, normal, placement, visible);
  autoConnect_.ProfileSave(writer);
  autoConnect_.ProfileSaveWindow(writer);
  std::error_code error;
  if (writer.Commit(error)) return true;
  messenger_.Show("ProfileSave - Cannot write " + profileFile_ + "\r" + ErrorText(error));
  return false;
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
  if (autoConnectBusy) {
    SetTimer(hwnd_, kCloseTimer, kCloseRetryMilliseconds, nullptr);
    return;
  }
  closing_ = true;
  KillTimer(hwnd_, kProcessTimer);
  signal_.StopForClose();
  SaveSettingsAtClose();
  autoConnect_.Unload();
  UnloadDialogs();
  SetMenu(hwnd_, nullptr);
  DestroyWindow(hwnd_);
}

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObjectOf<MainWindow>(hwnd, message, lParam);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->hwnd_ = hwnd;
  return self->OnMessage(message, wParam, lParam);
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
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == toolbar_.Handle() && header->code == TBN_DROPDOWN) {
        OnToolbar(toolbar_.KeyOf(reinterpret_cast<NMTOOLBARA*>(lParam)->iItem));
        return TBDDRET_DEFAULT;
      }
      break;
    }
    case WM_TIMER:
      if (wParam == kProcessTimer) OnProcessTimer();
      if (wParam == kCloseTimer && !autoConnect_.Busy()) {
        KillTimer(hwnd_, kCloseTimer);
        PostMessageA(hwnd_, WM_CLOSE, 0, 0);
      }
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
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
    case WM_DESTROY:
      WindowObjectClear(hwnd_);
      hwnd_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace velmora
