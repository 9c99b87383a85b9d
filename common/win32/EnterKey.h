#pragma once
// Enter comes to a plain window that holds controls as the command IDOK,
// never as a click of the push button that has the focus, as in a dialog.
#include <windows.h>

namespace velmora {

// Presses the window's push button that has the focus; false when none has it.
inline bool FocusedPushButtonPress(HWND window) {
  HWND focus = GetFocus();
  char cls[16] = {};
  if (!focus || !IsChild(window, focus) || !IsWindowEnabled(focus) || !GetClassNameA(focus, cls, sizeof cls) ||
      lstrcmpiA(cls, "Button") != 0 || (GetWindowLongA(focus, GWL_STYLE) & BS_TYPEMASK) > BS_DEFPUSHBUTTON)
    return false;
  SendMessageA(focus, BM_CLICK, 0, 0);
  return true;
}

}  // namespace velmora
