#include "autoconnect/win32/ScanMessageWindow.h"

#include "common/win32/WindowObject.h"

namespace velmora {
namespace {

constexpr const char* kClass = "VelmoraScanMessage";

void RegisterOnce(WNDPROC proc) {
  WNDCLASSA wc{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kClass, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
  RegisterClassA(&wc);
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
  HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return child;
}

}  // namespace

ScanMessageWindow::~ScanMessageWindow() {
  if (!hwnd_) return;
  pump_.RemoveModeless(hwnd_);
  DestroyWindow(hwnd_);
}

bool ScanMessageWindow::Create() {
  if (hwnd_) return true;
  RegisterOnce(&ScanMessageWindow::WndProc);
  RECT frame{0, 0, 260, 100};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
  hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT, kClass, kScanMessageCaption, style,
                          CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner_,
                          nullptr, GetModuleHandleA(nullptr), this);
  if (!hwnd_) return false;
  Child(hwnd_, "STATIC", "Busy Channel Found", SS_CENTER, 10, 16, 240, 20, -1);
  Child(hwnd_, "BUTTON", "Continue", WS_TABSTOP | BS_DEFPUSHBUTTON, 30, 56, 90, 26, kScanContinueId);
  Child(hwnd_, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 140, 56, 90, 26, kScanCancelId);
  pump_.AddModeless(hwnd_);
  return true;
}

void ScanMessageWindow::SetMode(ScanBoxMode mode) {
  mode_ = mode;
  if (mode == ScanBoxMode::Waiting) {
    if (!Create()) return;
    CentreOnOwner();
    ShowWindow(hwnd_, SW_SHOW);
  } else if (hwnd_) {
    ShowWindow(hwnd_, SW_HIDE);
  }
}

// Over the AutoConnect window, where the operator looks, not over the spectrum.
void ScanMessageWindow::CentreOnOwner() {
  RECT owner{}, box{};
  if (!owner_ || !GetWindowRect(owner_, &owner) || !GetWindowRect(hwnd_, &box)) return;
  int width = box.right - box.left, height = box.bottom - box.top;
  SetWindowPos(hwnd_, nullptr, (owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScanMessageWindow::Choose(ScanBoxMode mode) {
  mode_ = mode;
  ShowWindow(hwnd_, SW_HIDE);
}

LRESULT CALLBACK ScanMessageWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObjectOf<ScanMessageWindow>(hwnd, message, lParam);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kScanContinueId) self->Choose(ScanBoxMode::Continue);
      if (LOWORD(wParam) == kScanCancelId) self->Choose(ScanBoxMode::Cancel);
      return 0;
    case WM_CLOSE:  // the caption's close button answers as "Cancel" would
      self->Choose(ScanBoxMode::Cancel);
      return 0;
    case WM_DESTROY:
      WindowObjectClear(hwnd);
      self->hwnd_ = nullptr;
      return 0;
    default: break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace velmora
