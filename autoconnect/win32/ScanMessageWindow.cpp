#include "autoconnect/win32/ScanMessageWindow.h"

namespace velmora {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
  HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return child;
}

SIZE Frame() { return ToolFrameSize(260, 100, kStyle, WS_EX_TOOLWINDOW); }

}  // namespace

// Over the AutoConnect window, where the operator looks, not over the spectrum.
ScanMessageWindow::ScanMessageWindow(MessagePump& pump, HWND owner)
    : ToolWindow(owner, {"VelmoraScanMessage", kScanMessageCaption, Frame().cx, Frame().cy, kStyle, kExStyle,
                         ToolPlace::CentredOnOwner, ToolShow::NoForeground}),
      pump_(pump) {}

ScanMessageWindow::~ScanMessageWindow() {
  if (hwnd_) pump_.RemoveModeless(hwnd_);
}

bool ScanMessageWindow::OnCreate() {
  Child(hwnd_, "STATIC", "Busy Channel Found", SS_CENTER, 10, 16, 240, 20, -1);
  Child(hwnd_, "BUTTON", "&Continue", WS_TABSTOP | BS_DEFPUSHBUTTON, 30, 56, 90, 26, kScanContinueId);
  Child(hwnd_, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 140, 56, 90, 26, kScanCancelId);
  pump_.AddModeless(hwnd_);
  return true;
}

void ScanMessageWindow::SetMode(ScanBoxMode mode) {
  mode_ = mode;
  if (mode == ScanBoxMode::Waiting) Show();
  else Hide();
}

bool ScanMessageWindow::OnCommand(int id, int) {
  if (id == kScanContinueId) Choose(ScanBoxMode::Continue);
  if (id == kScanCancelId) Choose(ScanBoxMode::Cancel);
  return true;
}

void ScanMessageWindow::Choose(ScanBoxMode mode) {
  mode_ = mode;
  Hide();
}

}  // namespace velmora
