#include "airmail/win32/WindowActivate.h"

#include <windows.h>

#include "common/win32/WindowText.h"

namespace velmora {
namespace {

// Only this process's windows: another program may have one with the same caption.
HWND OwnWindowFind(const std::string& caption) {
  struct Search {
    const std::string& caption;
    HWND found = nullptr;
  } search{caption};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        if (GetParent(window) == nullptr && s->caption == text) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

bool WindowActivate(std::string_view caption, Messenger& messenger) {
  std::string text(caption);
  HWND window = OwnWindowFind(text);
  if (!window) {
    messenger.Show("Could not find " + text + " Window", MessageIcon::Exclamation);
    return false;
  }
  if (!SetForegroundWindow(window)) {
    messenger.Show("Could not Activate " + text + " Window", MessageIcon::Exclamation);
    return false;
  }
  return true;
}

void HandleWindowActivator::WindowActivate() { velmora::WindowActivate(WindowString(window_), messenger_); }

}  // namespace velmora
