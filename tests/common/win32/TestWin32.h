#pragma once
// Helpers for tests that run under the Windows configuration.
#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/win32/MessagePump.h"
#include "common/win32/WindowText.h"

namespace velmora::testing {

// A path of the build machine as the program sees it ("/a/b" is Z:\a\b).
inline std::filesystem::path HostPath(const std::string& unixPath) {
  if (unixPath.empty() || unixPath[0] != '/') return unixPath;
  std::string out = "Z:";
  for (char c : unixPath) out += c == '/' ? '\\' : c;
  return out;
}

// Lets this thread's window messages run until the condition holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& condition, double seconds = 10) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (condition()) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return condition();
}

inline void DrainQuit() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

// A key pressed and let go where the focus is, through the program's own message loop.
inline void PressKey(MessagePump& pump, WPARAM key) {
  HWND focus = GetFocus();
  PostMessageA(focus, WM_KEYDOWN, key, 0);
  PostMessageA(focus, WM_KEYUP, key, 0);
  pump.RunPending();
}
// Alt and a letter where the focus is, as the keyboard gives them.
inline void PressAltKey(MessagePump& pump, char letter) {
  PostMessageA(GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(letter), 1 << 29);
  pump.RunPending();
}

inline std::string WindowText(HWND window) {
  return WindowString(window);
}

inline std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The captions of a window's shown controls that take an access key:
// buttons, checks and options, and a label before a box.
inline std::vector<std::string> KeyedCaptions(HWND window) {
  std::vector<std::string> captions;
  std::string label;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    const std::string type = ClassOf(c), text = WindowText(c);
    const LONG style = GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK;
    if ((type == "Edit" || type == "ComboBox" || type == "ScrollBar") && !label.empty()) captions.push_back(label);
    if (type == "Button" && style != BS_GROUPBOX && text != "OK" && text != "Cancel" && text != "...")
      captions.push_back(text);
    label = type == "Static" ? text : "";
  }
  return captions;
}

// The windows one of the platform's enumerations lists: `Windows(EnumThreadWindows,
// GetCurrentThreadId())`, `Windows(EnumChildWindows, parent)`.
template <typename Enumeration, typename Of>
std::vector<HWND> Windows(Enumeration enumeration, Of of) {
  std::vector<HWND> windows;
  enumeration(
      of,
      [](HWND w, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// All text of a window's children joined by line breaks (a message box's text).
inline std::string ChildTexts(HWND window) {
  std::string all;
  for (HWND child : Windows(EnumChildWindows, window)) all += WindowText(child) + "\n";
  return all;
}

// An outside program started for a test, ended with it.
class ChildProcess {
 public:
  explicit ChildProcess(const std::string& commandLine, const std::string& folder = {}) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string line = commandLine;
    started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.empty() ? nullptr : folder.c_str(), &si, &info_);
  }
  // Started by its wide name, as Explorer starts a program.
  ChildProcess(std::wstring commandLine, const std::wstring& folder) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                              &info_);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() {
    if (!started_) return;
    Terminate();
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  bool Started() const { return started_; }
  bool WaitExit(DWORD milliseconds) { return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0; }
  // Ends it at once wherever it is, and returns once it is gone; false
  // when it had ended by itself.
  bool Terminate() {
    if (!started_ || WaitExit(0)) return false;
    return TerminateProcess(info_.hProcess, 99) && WaitExit(INFINITE);
  }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }
  // The process's error mode, read by a thread of its own that runs
  // GetErrorMode there (kernel32 lies at one address in every process).
  std::optional<DWORD> ErrorMode() const {
    auto* getMode = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "GetErrorMode")));
    HANDLE thread = CreateRemoteThread(info_.hProcess, nullptr, 0, getMode, nullptr, 0, nullptr);
    if (!thread) return std::nullopt;
    DWORD mode = 0;
    const bool read = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &mode);
    CloseHandle(thread);
    return read ? std::optional<DWORD>(mode) : std::nullopt;
  }
  // The first visible top-level window of this process that the test accepts.
  HWND WaitWindow(const std::function<bool(HWND)>& accept, double seconds = 15) {
    HWND found = nullptr;
    PumpUntil(
        [&] {
          for (HWND w : Windows([](int, WNDENUMPROC list, LPARAM to) { return EnumWindows(list, to); }, 0)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (!found && owner == info_.dwProcessId && IsWindowVisible(w) && accept(w)) found = w;
          }
          return found != nullptr;
        },
        seconds);
    return found;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION info_{};
};

// Answers the message boxes this thread shows, from a timer that runs
// inside their modal loop, and keeps their texts.
class MessageBoxAnswerer {
 public:
  // `beforeAnswer` runs while each box waits, before it is answered, as a
  // user's click on another window would.
  explicit MessageBoxAnswerer(int answer = IDOK, std::function<void()> beforeAnswer = {})
      : answer_(answer), beforeAnswer_(std::move(beforeAnswer)) {
    // Dialogs open already (the program's own modeless ones) are no message boxes.
    answered_ = Windows(EnumThreadWindows, GetCurrentThreadId());
    Current() = this;
    timer_ = SetTimer(nullptr, 0, 50, &MessageBoxAnswerer::OnTimer);
  }
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;
  ~MessageBoxAnswerer() {
    KillTimer(nullptr, timer_);
    Current() = nullptr;
  }
  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  static MessageBoxAnswerer*& Current() {
    static MessageBoxAnswerer* current = nullptr;
    return current;
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    auto* self = Current();
    if (!self) return;
    // Listed first: an answer may close windows.
    for (HWND w : Windows(EnumThreadWindows, GetCurrentThreadId())) {
      if (ClassOf(w) != "#32770" || !IsWindowVisible(w) || std::ranges::count(self->answered_, w)) continue;
      self->answered_.push_back(w);
      self->texts_.push_back("[" + WindowText(w) + "]\n" + ChildTexts(w));  // the title, then the texts
      if (self->beforeAnswer_) self->beforeAnswer_();
      PostMessageA(w, WM_COMMAND, static_cast<WPARAM>(self->answer_), 0);
    }
  }
  int answer_;
  std::function<void()> beforeAnswer_;
  UINT_PTR timer_ = 0;
  std::vector<std::string> texts_;
  std::vector<HWND> answered_;
};

// The texts of the boxes `act` raises, each answered with `answer`.
inline std::vector<std::string> Answered(int answer, const std::function<void()>& act) {
  MessageBoxAnswerer answerer(answer);
  act();
  return answerer.Texts();
}

// A dark scheme set for the session while it lives, as a sailor on night
// watch sets one (black grounds, light text), and the colours before it put back.
class DarkScheme {
 public:
  DarkScheme() {
    for (size_t i = 0; i < kElements.size(); ++i) before_[i] = GetSysColor(kElements[i]);
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), kDark.data());
  }
  ~DarkScheme() { SetSysColors(static_cast<int>(kElements.size()), kElements.data(), before_.data()); }
  DarkScheme(const DarkScheme&) = delete;
  DarkScheme& operator=(const DarkScheme&) = delete;

 private:
  static constexpr std::array<int, 6> kElements{COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                                COLOR_BTNTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
  static constexpr std::array<COLORREF, 6> kDark{RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0),
                                                 RGB(255, 255, 0), RGB(0, 128, 255), RGB(0, 0, 0)};
  std::array<COLORREF, 6> before_{};
};

}  // namespace velmora::testing
