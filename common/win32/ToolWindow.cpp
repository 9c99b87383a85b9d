#include "common/win32/ToolWindow.h"

#include <algorithm>

#include "common/win32/ScreenWorkArea.h"
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
  if (frame_.grows) scale_ = LayoutScale(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  CreateWindowExA(frame_.exStyle, frame_.className, frame_.caption, frame_.style, CW_USEDEFAULT, CW_USEDEFAULT,
                  scale_.X(frame_.width), scale_.Y(frame_.height), owner_, nullptr, GetModuleHandleA(nullptr), this);
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

namespace {

// Where the owner is on the screen; a minimised owner is where it comes
// back to, not the place far off the screen that minimised windows take.
bool OwnerRect(HWND owner, RECT& rect) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (owner && IsIconic(owner) && GetWindowPlacement(owner, &placement)) {
    rect = placement.rcNormalPosition;
    return true;
  }
  return owner && GetWindowRect(owner, &rect);
}

// Moves the window to (x, y), kept within the work area of the screen
// nearest that place (a second screen's too).
void MoveOnScreen(HWND window, int x, int y) {
  RECT own{};
  GetWindowRect(window, &own);
  const RECT work = ScreenWorkArea({x, y, x + (own.right - own.left), y + (own.bottom - own.top)});
  x = std::max<int>(work.left, std::min<int>(x, work.right - (own.right - own.left)));
  y = std::max<int>(work.top, std::min<int>(y, work.bottom - (own.bottom - own.top)));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A frame grown with the font past a low screen (150 % on 720 pixels) is
// cut to the work area, its edges and caption within reach.
void ShrinkOnScreen(HWND window) {
  RECT own{};
  GetWindowRect(window, &own);
  const RECT fitted = FittedToWorkArea(own);
  // Only a frame too large is moved: one the operator dragged partly off stays.
  if (fitted.right - fitted.left == own.right - own.left && fitted.bottom - fitted.top == own.bottom - own.top) return;
  SetWindowPos(window, nullptr, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void ToolWindow::Place() {
  RECT owner{}, window{};
  switch (frame_.place) {
    case ToolPlace::BesideOnce:
      if (!placed_) PlaceBeside(hwnd_, owner_);
      placed_ = true;
      break;
    case ToolPlace::OverCorner:
      if (OwnerRect(owner_, owner)) MoveOnScreen(hwnd_, owner.left + 40, owner.top + 60);
      break;
    // Over the owner, where the operator looks.
    case ToolPlace::CentredOnOwner:
      if (!OwnerRect(owner_, owner) || !GetWindowRect(hwnd_, &window)) break;
      MoveOnScreen(hwnd_, (owner.left + owner.right - (window.right - window.left)) / 2,
                   (owner.top + owner.bottom - (window.bottom - window.top)) / 2);
      break;
  }
  ShrinkOnScreen(hwnd_);
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
      // Esc closes it, as the caption's close button does.
      if (LOWORD(wParam) == IDCANCEL && !lParam) {
        OnClose();
        return 0;
      }
      if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      break;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_HELP:
      // F1: the help of the window it belongs to. The system passes it on
      // only from a child or a pop-up, and a tool window is neither.
      return owner_ ? SendMessageA(owner_, WM_HELP, wParam, lParam) : TRUE;
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
