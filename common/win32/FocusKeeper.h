#pragma once
// What a dialog does for its controls, for a plain window that holds
// controls: the one that has the focus keeps it while another window is
// used (AirMail, a box, another of ours), and has it again when the window
// comes back, instead of the window's own face.
#include <windows.h>

namespace velmora {

class FocusKeeper {
 public:
  // Called with WM_ACTIVATE's wParam; the window then leaves the message to no default.
  void OnActivate(HWND window, WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) {
      if (HWND focus = GetFocus(); focus && IsChild(window, focus)) focus_ = focus;
      return;
    }
    // Minimised, or a control of its own has the focus already.
    if (HWND now = GetFocus(); HIWORD(state) || (now && IsChild(window, now) && IsWindowVisible(now))) return;
    HWND focus = Usable(window, focus_) ? focus_ : GetNextDlgTabItem(window, nullptr, FALSE);
    SetFocus(focus ? focus : window);
  }

 private:
  static bool Usable(HWND window, HWND control) {
    return control && IsWindow(control) && IsChild(window, control) && IsWindowVisible(control) &&
           IsWindowEnabled(control);
  }
  HWND focus_ = nullptr;
};

}  // namespace velmora
