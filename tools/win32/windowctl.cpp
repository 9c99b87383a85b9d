// velmora-windowctl: small window actions for scripts run under Wine, where
// the program's windows are not windows of the X display.
//   wait CAPTION SECONDS      until a visible top-level window has exactly this caption
//                             ("Velmora": the main window, whatever its caption shows)
//   command CAPTION ID        posts the menu or toolbar command ID to it
//   close CAPTION SECONDS     asks it to close and waits until it is gone
//   move CAPTION X Y W H      places it
//   list                      prints every top-level window: class, caption, visible, place
//   dialog CAPTION SECONDS    waits for a message box with this caption and prints its texts
//   press CAPTION ID          presses button ID of that message box
//   status CAPTION [PANEL]    prints the text of a panel (from 1) of the window's status bar
//   texts CAPTION             prints the texts of the window's controls, one a line
//   click CAPTION ID          clicks control ID of the window (a dialog too), without waiting for what it opens
//   settext CAPTION ID TEXT   puts TEXT in control ID of the window (a dialog too)
//   text CAPTION ID           prints the text of control ID of the window (a dialog too)
//   quit SECONDS              closes Velmora's main window, whatever its caption, as File, Exit
//                             does, and waits until the program has ended (3: still running)
// VELMORA_DESKTOP names the Wine desktop to act on (explorer /desktop=NAME).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "common/win32/ControlFind.h"

namespace {

// "Velmora" is the main window also while its caption names a recording,
// a zoom or a playback file.
HWND Find(const char* caption, const char* cls = nullptr) {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, cls, caption)) != nullptr) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    bool dialog = std::string(name) == "#32770";
    if (IsWindowVisible(w) && (cls || !dialog)) return w;
  }
  if (!cls && std::string(caption) == "Velmora")
    if (HWND main = FindWindowA("VelmoraMain", nullptr); main && IsWindowVisible(main)) return main;
  return nullptr;
}

HWND WaitDialog(const char* caption, double seconds) {
  DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  do {
    if (HWND w = Find(caption, "#32770")) return w;
    Sleep(50);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
  return nullptr;
}

BOOL CALLBACK PrintText(HWND child, LPARAM) {
  char text[1024] = {};
  GetWindowTextA(child, text, sizeof text);
  if (*text) std::printf("%s\n", text);
  return TRUE;
}

bool WaitFor(const char* caption, double seconds, bool present) {
  DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    if ((Find(caption) != nullptr) == present) return true;
    Sleep(50);
  }
  return (Find(caption) != nullptr) == present;
}

// Any visible top-level window with this caption, dialogs included.
HWND FindAny(const char* caption) {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, nullptr, caption)) != nullptr)
    if (IsWindowVisible(w)) return w;
  return Find(caption);
}

// Control ID anywhere below the window with this caption.
HWND ControlOf(const char* caption, const char* id) {
  HWND w = FindAny(caption);
  if (!w) return nullptr;
  return velmora::ControlFindById(w, std::atoi(id));
}

// The main window is found by its class: its caption names a recording,
// a zoom or a playback file at times.
int Quit(double seconds) {
  HWND main = FindWindowA("VelmoraMain", nullptr);
  if (!main) return 1;
  DWORD id = 0;
  GetWindowThreadProcessId(main, &id);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  PostMessageA(main, WM_CLOSE, 0, 0);
  const DWORD milliseconds = static_cast<DWORD>(seconds * 1000);
  if (!process) {  // then until its window is gone
    DWORD end = GetTickCount() + milliseconds;
    while (IsWindow(main) && static_cast<LONG>(end - GetTickCount()) > 0) Sleep(50);
    return IsWindow(main) ? 3 : 0;
  }
  DWORD waited = WaitForSingleObject(process, milliseconds);
  CloseHandle(process);
  return waited == WAIT_OBJECT_0 ? 0 : 3;
}

int Usage() {
  std::fprintf(stderr,
               "usage: velmora-windowctl wait|command|close|move|list|dialog|press|status|texts|click|settext|text "
               "CAPTION ..., or quit SECONDS\n");
  return 2;
}

}  // namespace

BOOL CALLBACK PrintWindow(HWND w, LPARAM) {
  char cls[128] = {}, text[256] = {};
  GetClassNameA(w, cls, sizeof cls);
  GetWindowTextA(w, text, sizeof text);
  RECT r{};
  GetWindowRect(w, &r);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  std::printf("%p pid=%lu class=%s caption=\"%s\" visible=%d rect=%ld,%ld,%ld,%ld\n", static_cast<void*>(w), pid, cls,
              text, IsWindowVisible(w) ? 1 : 0, r.left, r.top, r.right, r.bottom);
  return TRUE;
}

namespace {

// Wine's named virtual desktops (explorer /desktop=NAME) keep their windows apart.
bool DesktopUse() {
  if (const char* desktop = std::getenv("VELMORA_DESKTOP"); desktop && *desktop) {
    HDESK handle = OpenDesktopA(desktop, 0, FALSE, GENERIC_ALL);
    if (!handle || !SetThreadDesktop(handle)) {
      std::fprintf(stderr, "no desktop \"%s\"\n", desktop);
      return false;
    }
  }
  return true;
}

// The verbs on a message box; nothing for another verb.
std::optional<int> BoxVerb(const std::string& verb, const char* caption, int argc, char** argv) {
  if (verb == "dialog" && argc == 4) {
    HWND box = WaitDialog(caption, std::atof(argv[3]));
    if (!box) return 1;
    EnumChildWindows(box, PrintText, 0);
    return 0;
  }
  if (verb == "press" && argc == 4) {
    HWND box = Find(caption, "#32770");
    return box && PostMessageA(box, WM_COMMAND, std::atoi(argv[3]), 0) ? 0 : 1;
  }
  return std::nullopt;
}

// The verbs on a control of a window or dialog; nothing for another verb.
std::optional<int> ControlVerb(const std::string& verb, const char* caption, int argc, char** argv) {
  if (verb == "click" && argc == 4) {
    HWND control = ControlOf(caption, argv[3]);
    return control && PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
  }
  if (verb == "settext" && argc == 5) {
    HWND control = ControlOf(caption, argv[3]);
    return control && SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
  }
  if (verb == "text" && argc == 4) {
    HWND control = ControlOf(caption, argv[3]);
    if (!control) return 1;
    char text[1024] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    std::printf("%s\n", text);
    return 0;
  }
  return std::nullopt;
}

int StatusPrint(HWND w, int argc, char** argv) {
  HWND bar = FindWindowExA(w, nullptr, "msctls_statusbar32", nullptr);
  if (!bar) return 1;
  int panel = argc == 4 ? std::atoi(argv[3]) - 1 : 0;
  char text[512] = {};
  // Only panel 1 crosses between processes: a status bar answers WM_GETTEXT with it.
  if (panel != 0) return 1;
  SendMessageA(bar, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  std::printf("%s\n", text);
  return 0;
}

// The verbs on a visible top-level window with this caption ("close" also
// when there is none).
int WindowVerb(const std::string& verb, const char* caption, int argc, char** argv) {
  HWND w = Find(caption);
  if (!w && verb != "close") {
    std::fprintf(stderr, "no window \"%s\"\n", caption);
    return 1;
  }
  if (verb == "command" && argc == 4) return PostMessageA(w, WM_COMMAND, std::atoi(argv[3]), 0) ? 0 : 1;
  if (verb == "close" && argc == 4) {
    if (w) PostMessageA(w, WM_CLOSE, 0, 0);
    return WaitFor(caption, std::atof(argv[3]), false) ? 0 : 1;
  }
  if (verb == "status" && (argc == 3 || argc == 4)) return StatusPrint(w, argc, argv);
  if (verb == "texts" && argc == 3) {
    EnumChildWindows(w, PrintText, 0);
    return 0;
  }
  if (verb == "move" && argc == 7)
    return MoveWindow(w, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]), TRUE) ? 0 : 1;
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  if (!DesktopUse()) return 1;
  if (argc == 2 && std::string(argv[1]) == "list") return EnumWindows(PrintWindow, 0) ? 0 : 1;
  if (argc < 3) return Usage();
  std::string verb = argv[1];
  const char* caption = argv[2];
  if (auto result = BoxVerb(verb, caption, argc, argv)) return *result;
  if (verb == "wait" && argc == 4) return WaitFor(caption, std::atof(argv[3]), true) ? 0 : 1;
  if (verb == "quit" && argc == 3) return Quit(std::atof(argv[2]));
  if (auto result = ControlVerb(verb, caption, argc, argv)) return *result;
  return WindowVerb(verb, caption, argc, argv);
}
