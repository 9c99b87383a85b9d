#pragma once
// The dialog keys ask a plain window that holds controls to move the focus
// as a dialog would (WM_NEXTDLGCTL): the access key of a caption puts the
// focus on the caption, then on the field after it.
#include <windows.h>

namespace velmora {

// The focus onto the given control (lParam set), or onto the next or, with
// wParam set, the previous Tab stop.
inline void NextControlFocus(HWND window, WPARAM wParam, LPARAM lParam) {
  SetFocus(lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(window, GetFocus(), wParam != 0));
}

}  // namespace velmora
