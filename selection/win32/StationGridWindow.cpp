#include "selection/win32/StationGridWindow.h"

#include <algorithm>

#include "airmail/StationEntries.h"
#include "common/win32/ScreenWorkArea.h"

namespace velmora {
namespace {

constexpr int kGridId = 1;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kFewestRows = 2;  // the heading and a row, even for a station without frequencies

}  // namespace

StationGridWindow::StationGridWindow(HWND owner, const char* className, const PropagationWindowServices& services)
    : ToolWindow(owner, {className, "", 400, 300, kStyle}),
      s_(services),
      grid_(table_, *this, [this](int row, int column) { return ToolTip(row, column); }) {}

// The grid's window goes with this one, before the grid's object.
StationGridWindow::~StationGridWindow() { Destroy(); }

bool StationGridWindow::OnCreate() { return grid_.Create(hwnd_, kGridId); }

void StationGridWindow::OnSize(int width, int height) { grid_.Move(0, 0, width, height); }

bool StationGridWindow::StationTake(std::string_view system, std::string_view station, const std::string& title) {
  if (system.empty() || station.empty()) return false;
  system_ = system;
  station_ = station;
  caption_ = title + StationNameFromStation(s_.data, system_, station_);
  return true;
}

void StationGridWindow::Present() {
  if (!Make()) return;
  SetWindowTextA(hwnd_, caption_.c_str());
  grid_.Refresh();
  FitToTable();
  Show();
}

void StationGridWindow::FitToTable() {
  if (IsZoomed(hwnd_) || IsIconic(hwnd_)) return;
  // The screen the window is on (a second one's too).
  RECT now{};
  GetWindowRect(hwnd_, &now);
  const RECT work = ScreenWorkArea(now);
  int rows = std::max(table_.Rows(), kFewestRows);
  RECT frame{0, 0, 0, rows * grid_.RowHeight() + 2 * GetSystemMetrics(SM_CYEDGE)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  int height = std::min<int>(frame.bottom - frame.top, (work.bottom - work.top) * 3 / 4);
  // Room for a vertical scroll bar only when the rows need one.
  bool allRows = height == frame.bottom - frame.top;
  int grid = allRows ? GridWidthFit(table_, 2 * GetSystemMetrics(SM_CXEDGE)) : grid_.WidthFit();
  int width = std::min<int>(grid + frame.right - frame.left, work.right - work.left);
  // Grown where it stands, but never past the screen's edges.
  int left = std::max<int>(work.left, std::min<int>(now.left, work.right - width));
  int top = std::max<int>(work.top, std::min<int>(now.top, work.bottom - height));
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmora
