#pragma once
// Stands for a session of Velmora already running: a window of the
// program's class with the given caption.
#include <windows.h>

#include "app/win32/MainWindow.h"

namespace velmora::testing {

class OtherSession {
 public:
  explicit OtherSession(const char* caption = kMainWindowCaption) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kMainWindowClass;
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, kMainWindowClass, caption, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  }
  OtherSession(const OtherSession&) = delete;
  OtherSession& operator=(const OtherSession&) = delete;
  ~OtherSession() {
    DestroyWindow(hwnd_);
    UnregisterClassA(kMainWindowClass, GetModuleHandleA(nullptr));  // the real window class may follow
  }

 private:
  HWND hwnd_;
};

}  // namespace velmora::testing
