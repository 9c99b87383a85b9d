#pragma once
// A window of fixed layout taller than the screen's work area (a dialog at
// 150 % on a screen 720 pixels high): lowered to the work area, with a
// vertical scroll bar that moves its controls, so none is out of reach.
#include <windows.h>

namespace velmora {

class ClientScroll {
 public:
  // Fits the window, placed where it shows, to its monitor's work area;
  // the scroll bar comes only when its height had to be cut.
  void Fit(HWND window);
  // WM_VSCROLL and WM_MOUSEWHEEL; false for what it leaves to the window.
  bool OnMessage(HWND window, UINT message, WPARAM wParam);

 private:
  static LRESULT CALLBACK FocusProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
  // Scrolls a control that took the focus (Tab, an access key) into sight.
  void Show(HWND window, HWND control);
  void ScrollTo(HWND window, int position);

  int laidOut_ = 0;  // the client's height with every control in it
  int position_ = 0;
};

}  // namespace velmora
