#include "display/win32/HelpWindows.h"

#include "common/win32/WindowFind.h"
#include "common/win32/WindowObject.h"

namespace velmora {

HelpWindow::~HelpWindow() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void HelpWindow::Show() {
  if (!hwnd_) {
    WNDCLASSA wc{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), className_, &wc)) {
      wc.lpfnWndProc = &HelpWindow::WndProc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
      wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = className_;
      RegisterClassA(&wc);
    }
    hwnd_ = CreateWindowExA(0, className_, caption_, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                            CW_USEDEFAULT, width_, height_, owner_, nullptr, GetModuleHandleA(nullptr), this);
    if (!hwnd_) return;
    PlaceWindow();
  }
  if (!IsWindowVisible(hwnd_)) OnShowing();
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  OnShown();
}

void HelpWindow::Close() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void HelpWindow::PlaceWindow() { PlaceBeside(hwnd_, owner_); }

LRESULT CALLBACK HelpWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObjectOf<HelpWindow>(hwnd, message, lParam);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->hwnd_ = hwnd;
  // Made once, kept until the program ends.
  if (KeptWindowMessage(hwnd, message, self->hwnd_)) return 0;
  switch (message) {
    case WM_CREATE:
      self->OnCreate();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      self->OnPaint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SIZE:
      self->OnSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      if (self->OnCommand(LOWORD(wParam))) return 0;
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace velmora
