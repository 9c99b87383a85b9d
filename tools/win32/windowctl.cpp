// velmora-windowctl: small window actions for scripts run under Wine, where
// the program's windows are not windows of the X display.
//   wait CAPTION SECONDS      until a visible top-level window has exactly this caption
//   command CAPTION ID        posts the menu or toolbar command ID to it
//   close CAPTION SECONDS     asks it to close and waits until it is gone
//   move CAPTION X Y W H      places it
//   list                      prints every top-level window: class, caption, visible, place
//   dialog CAPTION SECONDS    waits for a message box with this caption and prints its texts
//   press CAPTION ID          presses button ID of that message box
//   status CAPTION [PANEL]    prints the text of a panel (from 1) of the window's status bar
//   texts CAPTION             prints the texts of the window's controls, one a line
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HWND Find(const char* caption, const char* cls = nullptr) {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, cls, caption)) != nullptr) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    bool dialog = std::string(name) == "#32770";
    if (IsWindowVisible(w) && (cls || !dialog)) return w;
  }
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

int Usage() {
  std::fprintf(stderr, "usage: velmora-windowctl wait|command|close|move CAPTION ...\n");
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

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "list") return EnumWindows(PrintWindow, 0) ? 0 : 1;
  if (argc < 3) return Usage();
  std::string verb = argv[1];
  const char* caption = argv[2];
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
  if (verb == "wait" && argc == 4) return WaitFor(caption, std::atof(argv[3]), true) ? 0 : 1;
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
  if (verb == "status" && (argc == 3 || argc == 4)) {
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
  if (verb == "texts" && argc == 3) {
    EnumChildWindows(w, PrintText, 0);
    return 0;
  }
  if (verb == "move" && argc == 7)
    return MoveWindow(w, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]), TRUE) ? 0 : 1;
  return Usage();
}
