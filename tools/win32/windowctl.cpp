// velmora-windowctl: small window actions for scripts run under Wine, where
// the program's windows are not windows of the X display.
//   wait CAPTION SECONDS      until a visible top-level window has exactly this caption
//   command CAPTION ID        posts the menu or toolbar command ID to it
//   close CAPTION SECONDS     asks it to close and waits until it is gone
//   move CAPTION X Y W H      places it
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HWND Find(const char* caption) {
  HWND w = FindWindowA(nullptr, caption);
  return w && IsWindowVisible(w) ? w : nullptr;
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

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string verb = argv[1];
  const char* caption = argv[2];
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
  if (verb == "move" && argc == 7)
    return MoveWindow(w, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]), TRUE) ? 0 : 1;
  return Usage();
}
