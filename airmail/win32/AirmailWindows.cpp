#include "airmail/win32/AirmailWindows.h"

#include <shellapi.h>

#include <cstdlib>

#include "airmail/win32/Clipboard.h"
#include "airmail/win32/KeysSend.h"
#include "common/SystemLib.h"
#include "common/win32/WindowFind.h"

namespace velmora {
namespace {

void MoveAndShow(HWND window, int left, int top, int width, int height) {
  if (!window) return;
  MoveWindow(window, left, top, width, height, TRUE);
  ShowWindow(window, SW_SHOWNORMAL);
}

bool Foreground(HWND window) { return window && SetForegroundWindow(window); }

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
    : owner_(owner), pump_(pump), clock_(clock) {
  // A window of our own to open the clipboard with: without an owner the
  // clipboard refuses new content.
  clipboardOwner_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

Win32AirmailDesktop::~Win32AirmailDesktop() {
  if (clipboardOwner_) DestroyWindow(clipboardOwner_);
}

bool Win32AirmailDesktop::AirmailWindowForeground() { return Foreground(AirmailWindowGet()); }

bool Win32AirmailDesktop::TerminalWindowForeground() { return Foreground(TerminalWindowGet()); }

std::optional<ScreenRect> Win32AirmailDesktop::TerminalWindowRect() {
  HWND terminal = TerminalWindowGet();
  RECT rect{};
  if (!terminal || !GetWindowRect(terminal, &rect)) return std::nullopt;
  return ScreenRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

bool Win32AirmailDesktop::AirmailStart(const std::string& programFolder) {
  std::string program = JoinPath(programFolder, kAirmailProgramFile).string();
  const char* os = std::getenv("OS");
  if (os && std::string_view(os) == "Windows_NT") {
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner_, "Open", program.c_str(), nullptr, programFolder.c_str(), SW_SHOWNORMAL));
    return result > 32;
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      programFolder.c_str(), &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool Win32AirmailDesktop::KeysSend(std::string_view script) { return velmora::KeysSend(script, true, pump_, clock_); }

bool Win32AirmailDesktop::ClipboardClear() { return velmora::ClipboardClear(clipboardOwner_); }

bool Win32AirmailDesktop::ClipboardTextSet(std::string_view text) {
  return velmora::ClipboardTextSet(clipboardOwner_, text);
}

std::optional<std::string> Win32AirmailDesktop::ClipboardText() { return velmora::ClipboardText(clipboardOwner_); }

ScreenPoint Win32AirmailDesktop::CursorGet() {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

void Win32AirmailDesktop::CursorSet(ScreenPoint point) { SetCursorPos(point.x, point.y); }

ScreenPoint Win32AirmailDesktop::ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void Win32AirmailDesktop::MouseClickAbsolute(std::int32_t x, std::int32_t y) {
  mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, static_cast<DWORD>(x), static_cast<DWORD>(y), 0, 0);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

}  // namespace velmora
