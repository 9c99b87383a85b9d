#include "common/win32/ToolWindow.h"

#include "common/win32/WindowClass.h"
#include "common/win32/WindowFind.h"

namespace velmora {

SIZE ToolFrameSize(int width, int height, DWORD style, DWORD exStyle) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

ToolWindow::~ToolWindow() { Destroy(); }

bool ToolWindow::Make() {
  if (hwnd_) return true;
  WindowClassRegister(frame_.className, &ObjectWindowProc<ToolWindow>, 0, false);
  CreateWindowExA(frame_.exStyle, frame_.className, frame_.caption, frame_.style, CW_USEDEFAULT, CW_USEDEFAULT,
                  frame_.width, frame_.height, owner_, nullptr, GetModuleHandleA(nullptr), this);
  return hwnd_ != nullptr;
}

void ToolWindow::Destroy() {
  // Gone already when its owner went first.
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void ToolWindow::Show() {
  if (!Make()) return;
  if (!IsWindowVisible(hwnd_)) OnShowing();
  Place();
  switch (frame_.show) {
    case ToolShow::Normal:
      ShowWindow(hwnd_, SW_SHOWNORMAL);
      SetForegroundWindow(hwnd_);
      break;
    case ToolShow::KeepSize:
      ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
      SetForegroundWindow(hwnd_);
      break;
    case ToolShow::NoForeground:
      ShowWindow(hwnd_, SW_SHOW);
      break;
  }
  OnShown();
}

void ToolWindow::Hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void ToolWindow::Place() {
  RECT owner{}, window{};
  switch (frame_.place) {
    case ToolPlace::BesideOnce:
      if (!placed_) PlaceBeside(hwnd_, owner_);
      placed_ = true;
      return;
    case ToolPlace::OverCorner:
      GetWindowRect(owner_, &owner);
      SetWindowPos(hwnd_, nullptr, owner.left + 40, owner.top + 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    // Over the owner, where the operator looks.
    case ToolPlace::CentredOnOwner:
      if (!owner_ || !GetWindowRect(owner_, &owner) || !GetWindowRect(hwnd_, &window)) return;
      SetWindowPos(hwnd_, nullptr, (owner.left + owner.right - (window.right - window.left)) / 2,
                   (owner.top + owner.bottom - (window.bottom - window.top)) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return;
  }
}

LRESULT ToolWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      OnPaint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SIZE:
      OnSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      break;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    // Once destroyed (its owner gone, or its object), the window procedure
    // lets the object go; placed anew when made again.
    case WM_DESTROY:
      placed_ = false;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace velmora
