#include "selection/win32/StationGridWindow.h"

#include <algorithm>

#include "common/win32/WindowFind.h"
#include "common/win32/WindowObject.h"

namespace velmora {
namespace {

constexpr int kGridId = 1;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kFewestRows = 2;  // the heading and a row, even for a station without frequencies

}  // namespace

StationGridWindow::StationGridWindow(HWND owner, const char* className)
    : owner_(owner), className_(className), grid_(table_, *this, [this](int row, int column) {
        return ToolTip(row, column);
      }) {}

StationGridWindow::~StationGridWindow() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool StationGridWindow::Make() {
  if (hwnd_) return true;
  WNDCLASSA wc{};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), className_, &wc)) {
    wc.lpfnWndProc = &StationGridWindow::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className_;
    RegisterClassA(&wc);
  }
  CreateWindowExA(0, className_, "", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, owner_, nullptr,
                  GetModuleHandleA(nullptr), this);
  return hwnd_ != nullptr;
}

void StationGridWindow::Hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void StationGridWindow::Present(const std::string& caption) {
  if (!Make()) return;
  SetWindowTextA(hwnd_, caption.c_str());
  grid_.Refresh();
  FitToTable();
  if (!placed_) {
    PlaceBeside(hwnd_, owner_);
    placed_ = true;
  }
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
}

void StationGridWindow::FitToTable() {
  if (IsZoomed(hwnd_) || IsIconic(hwnd_)) return;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  int rows = std::max(table_.Rows(), kFewestRows);
  RECT frame{0, 0, 0, rows * grid_.RowHeight() + 2 * GetSystemMetrics(SM_CYEDGE)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  int height = std::min<int>(frame.bottom - frame.top, (work.bottom - work.top) * 3 / 4);
  // Room for a vertical scroll bar only when the rows need one.
  bool allRows = height == frame.bottom - frame.top;
  int grid = allRows ? GridWidthFit(table_, 2 * GetSystemMetrics(SM_CXEDGE)) : grid_.WidthFit();
  int width = std::min<int>(grid + frame.right - frame.left, work.right - work.left);
  RECT now{};
  GetWindowRect(hwnd_, &now);
  SetWindowPos(hwnd_, nullptr, now.left, now.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK StationGridWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObjectOf<StationGridWindow>(hwnd, message, lParam);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  // Made once, kept until the program ends.
  if (KeptWindowMessage(hwnd, message, self->hwnd_)) return 0;
  switch (message) {
    case WM_NCCREATE:
      self->hwnd_ = hwnd;
      break;
    case WM_CREATE:
      if (!self->grid_.Create(hwnd, kGridId)) return -1;
      self->OnCreate();
      return 0;
    case WM_SIZE:
      self->grid_.Move(0, 0, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_TIMER:
      self->OnTimer(wParam);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace velmora
