#include "airmail/win32/AirmailWindows.h"

#include <shellapi.h>

#include <cstdlib>

#include "airmail/win32/Clipboard.h"
#include "airmail/win32/KeysSend.h"
#include "common/SystemLib.h"
#include "common/win32/ProcessStart.h"
#include "common/win32/SystemErrorText.h"
#include "common/win32/WindowFind.h"

namespace velmora {
namespace {

// A working AirMail handles a message at once; a hung one holds the asker
// no longer than this.
constexpr UINT kAnswerWaitMs = 500;

// Handles a message within a moment. MoveWindow and ShowWindow on another
// program's window wait until it has handled them, for as long as it hangs.
bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerWaitMs, &result) != 0;
}

// Shown in its normal state without being activated: the terminal, brought
// to the front just before, must keep the keyboard. A hung AirMail's
// windows are left where they are.
void MoveAndShow(HWND window, int left, int top, int width, int height) {
  if (!window || !Answers(window)) return;
  MoveWindow(window, left, top, width, height, TRUE);
  ShowWindow(window, SW_SHOWNOACTIVATE);
}

// The window of another program becomes the active one only when that
// program has taken the activation in; keys or clicks sent before then
// may land in the control that had the focus before.
constexpr double kActivationWait = 1.0;
// A paste that has not read the clipboard by then is taken as failed.
constexpr double kPasteWait = 2.0;
// A busy program may copy after the keys' own wait; an empty field or
// line costs this much longer.
constexpr double kCopyWait = 0.5;

bool Foreground(HWND window, EventPump& pump, Clock& clock) {
  if (!window) return false;
  // A minimised window in front would still take the keys, but the click
  // at its centre would land on whatever lies at its icon's place.
  if (IsIconic(window) && Answers(window)) ShowWindow(window, SW_RESTORE);
  if (!SetForegroundWindow(window)) return false;
  double end = clock.Seconds() + kActivationWait;
  while (GetForegroundWindow() != window && clock.Seconds() < end) {
    pump.Idle(std::chrono::milliseconds(10));
    pump.RunPending();
  }
  return true;
}

}  // namespace

HWND AirmailWindowGet() { return WindowFindByTitle(kAirmailMainClass, "AirMail"); }

HWND TerminalWindowGet() { return FindWindowA(kAirmailTerminalClass, "Terminal"); }

void AirmailWindowArrange() {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  const int right = desktop.right, bottom = desktop.bottom;
  MoveAndShow(AirmailWindowGet(), right / 2 - 370, bottom / 2 - 205 - 34, 740, 410);
  MoveAndShow(TerminalWindowGet(), right - 612, bottom - 468, 612, 434);
}

Win32AirmailDesktop::Win32AirmailDesktop(HWND owner, EventPump& pump, Clock& clock)
    : owner_(owner), pump_(pump), clock_(clock) {}

bool Win32AirmailDesktop::AirmailWindowAnswers() {
  HWND main = AirmailWindowGet();
  return !main || Answers(main);
}

std::uint64_t Win32AirmailDesktop::AirmailInstance() {
  DWORD process = 0;
  if (HWND main = AirmailWindowGet()) GetWindowThreadProcessId(main, &process);
  return process;
}

bool Win32AirmailDesktop::AirmailWindowForeground() { return Foreground(AirmailWindowGet(), pump_, clock_); }

bool Win32AirmailDesktop::TerminalWindowForeground() { return Foreground(TerminalWindowGet(), pump_, clock_); }

bool Win32AirmailDesktop::TerminalWindowInFront() {
  HWND terminal = TerminalWindowGet();
  return terminal && GetForegroundWindow() == terminal;
}

std::optional<ScreenRect> Win32AirmailDesktop::TerminalWindowRect() {
  HWND terminal = TerminalWindowGet();
  RECT rect{};
  if (!terminal || !GetWindowRect(terminal, &rect)) return std::nullopt;
  return ScreenRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

bool Win32AirmailDesktop::AirmailStart(const std::string& programFolder, std::string& errorText) {
  // In the code page the calls below read: a folder named with an accented letter is found.
  std::string program = PathText(JoinPath(programFolder, kAirmailProgramFile));
  const char* os = std::getenv("OS");
  if (os && std::string_view(os) == "Windows_NT") {
    SetLastError(0);
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner_, "Open", program.c_str(), nullptr, programFolder.c_str(), SW_SHOWNORMAL));
    if (result > 32) return true;
    // The shell's small codes below 32 that are system errors (file or path
    // not found, access denied) are those codes; the last error says more.
    DWORD code = GetLastError();
    errorText = SystemErrorText(code ? code : static_cast<DWORD>(result));
    return false;
  }
  if (!ProcessStart("\"" + program + "\"", {.program = program.c_str(), .folder = programFolder.c_str()})) {
    errorText = LastErrorText();
    return false;
  }
  return true;
}

bool Win32AirmailDesktop::KeysSend(std::string_view script) { return velmora::KeysSend(script, true, pump_, clock_); }

bool Win32AirmailDesktop::ClipboardClear() {
  bool cleared = clipboard_.Clear();
  clearedSequence_ = GetClipboardSequenceNumber();
  return cleared;
}

bool Win32AirmailDesktop::ClipboardTextSet(std::string_view text) { return clipboard_.TextOffer(text); }

std::optional<std::string> Win32AirmailDesktop::ClipboardCopied() {
  // Watched without opening the clipboard: holding it open here could make
  // the other program's copy fail.
  double end = clock_.Seconds() + kCopyWait;
  while (GetClipboardSequenceNumber() == clearedSequence_ && clock_.Seconds() < end) {
    pump_.Idle(std::chrono::milliseconds(10));
    pump_.RunPending();
  }
  if (GetClipboardSequenceNumber() == clearedSequence_) return std::string();
  return clipboard_.Text();
}

bool Win32AirmailDesktop::ClipboardTextTaken() {
  double end = clock_.Seconds() + kPasteWait;
  while (!clipboard_.TextTaken() && clock_.Seconds() < end) {
    pump_.Idle(std::chrono::milliseconds(10));
    pump_.RunPending();
  }
  return clipboard_.TextTaken();
}

ScreenPoint Win32AirmailDesktop::CursorGet() {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

void Win32AirmailDesktop::CursorSet(ScreenPoint point) { SetCursorPos(point.x, point.y); }

ScreenRect Win32AirmailDesktop::ScreenArea() {
  return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
          GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void Win32AirmailDesktop::MouseClickAbsolute(std::int32_t x, std::int32_t y) {
  // Move, press and release in one injection, each carrying the point: a
  // press sent on its own lands wherever the cursor is at that moment, which
  // need not be where the move put it.
  INPUT inputs[3] = {};
  const DWORD flags[3] = {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 3; ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dx = x;
    inputs[i].mi.dy = y;
    inputs[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | flags[i];
  }
  SendInput(3, inputs, sizeof(INPUT));
}

}  // namespace velmora
