// The AutoConnect window's runs: Start and Stop, each buffer's verdict
// handed to the engine, what the engine needs of its window, and the
// table and the blink timer after the engine acted.
#include <string>

#include "autoconnect/win32/AutoConnectWindow.h"
#include "common/Format.h"
#include "common/win32/WindowText.h"

namespace velmora {
namespace {

std::string ClockText(const UtcDateTime& now) { return TwoDigits(now.hour) + ":" + TwoDigits(now.minute); }

}  // namespace

void AutoConnectWindow::Update(Verdict verdict) {
  if (!Visible() || !run_) return;
  Operation operation(operations_);
  if (verdict.valid) ++soundBuffers_;
  bool active = run_->Engine().Active();
  run_->Engine().Update(verdict);
  AfterEngine();
  // A run that ended inside its step left the fields greyed until the step returned.
  if (active && Idle()) WindowModeRefresh(false);
}

void AutoConnectWindow::RunEnd() {
  if (run_ && run_->Engine().Active()) run_->Engine().StopPressed();
}

void AutoConnectWindow::WaitingWrite() {
  if (!run_) return;
  Operation operation(operations_);  // its boxes let events run
  run_->WaitingWrite();
}

// A run stopped inside its step is over only once that step has returned
// from AirMail: a new start or a rebuild before would run inside it.
bool AutoConnectWindow::Idle() const {
  return !configuring_ && (!run_ || (!run_->Engine().Active() && !run_->Engine().Stepping()));
}

bool AutoConnectWindow::Running() const { return run_ && run_->Engine().Running(); }

// The offline data modes have nothing to run.
bool AutoConnectWindow::Runnable() const {
  int mode = settings_.modeIndex;
  bool runs = CallingMode(mode) || mode == kModeReferenceStations || mode == kModeScanStations;
  return Idle() && !settingsPending_ && activated_ && runs;
}

bool AutoConnectWindow::Start() {
  if (!Runnable()) return false;
  Operation operation(operations_);
  run_->Engine().AutoConnectStart();
  AfterEngine();
  if (Idle()) WindowModeRefresh(false);  // a start that failed greyed nothing for good
  return run_ && run_->Engine().Running();
}

void AutoConnectWindow::Stop() {
  if (!run_ || !run_->Engine().Active()) return;
  Operation operation(operations_);
  run_->Engine().StopPressed();
  AfterEngine();
}

void AutoConnectWindow::OptionsApplied() {
  if (!Create()) return;
  if (Idle()) return Configure();
  rebuildAfterRun_ = true;
}

void AutoConnectWindow::AfterEngine() {
  if (!hwnd_) return;
  // Settings applied during a run take effect once it has ended, outside
  // the buffer's handling.
  if (rebuildAfterRun_ && Idle()) {
    rebuildAfterRun_ = false;
    PostMessageA(hwnd_, kAutoConnectRebuildAfterRun, 0, 0);
  }
  if (activationAfterStep_ && run_ && !run_->Engine().Stepping()) {
    activationAfterStep_ = false;
    PostMessageA(hwnd_, kAutoConnectFirstActivation, 0, 0);
  }
  grid_.Refresh();
  bool blink = table_.BlinkActive();
  if (blink == blinking_) return;
  blinking_ = blink;
  if (blink) SetTimer(hwnd_, kAutoConnectBlinkTimer, 500, nullptr);
  else KillTimer(hwnd_, kAutoConnectBlinkTimer);
}

void AutoConnectWindow::OnTimer(UINT_PTR timer) {
  if (timer == kAutoConnectTimeTimer) {
    statusBar_.SetText(5, ClockText(UtcNow()));
  } else if (timer == kAutoConnectBlinkTimer) {
    table_.BlinkTick();
    grid_.Refresh();
    if (!table_.BlinkActive()) AfterEngine();
  }
}

// --- What the engine needs of its window.

void AutoConnectWindow::UpdateStatusStatus(std::string_view text) {
  statusBar_.SetText(2, std::string(text) + " ");
  if (statusBar_.Handle()) UpdateWindow(statusBar_.Handle());
}

// By the caption it has now: mode 5 names its no-connect file there.
void AutoConnectWindow::WindowActivate() { velmora::WindowActivate(WindowString(hwnd_), *messenger_); }

void AutoConnectWindow::PointerBusy(bool busy) {
  busyPointer_ = busy;
  SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

std::string AutoConnectWindow::CurrentSystem() {
  return configuration_ ? configuration_->CurrentSystem() : std::string();
}

std::string AutoConnectWindow::CurrentStation() {
  return configuration_ ? configuration_->CurrentStation() : std::string();
}

std::optional<TerminalReading> AutoConnectWindow::TerminalSelectGet() {
  if (!run_) return std::nullopt;
  auto selection = IdleTerminal().TerminalSelectGet();
  if (!selection) return std::nullopt;
  return TerminalReading{selection->system, selection->station, selection->frequency};
}

}  // namespace velmora
