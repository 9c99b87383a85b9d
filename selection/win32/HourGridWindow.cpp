#include "selection/win32/HourGridWindows.h"

namespace velmora {
namespace {

constexpr UINT_PTR kHourTimer = 1;  // tmrHour
constexpr UINT kHourTimerMs = 30 * 1000;

}  // namespace

bool HourGridWindow::OnCreate() {
  if (!StationGridWindow::OnCreate()) return false;
  SetTimer(hwnd_, kHourTimer, kHourTimerMs, nullptr);
  return true;
}

void HourGridWindow::Refill(const std::function<void(const UtcDateTime& now)>& fill) {
  ready_ = false;
  UtcDateTime now = s_.clock.Now();
  {
    RedrawPause pause(table_);
    fill(now);
    Mark(HourColumn(now));
  }
  ready_ = true;
}

void HourGridWindow::Mark(int column) {
  currentColumn_ = column;
  HourMark(column);
}

void HourGridWindow::HourTick() {
  if (!ready_) return;
  if (Reread()) {
    Grid().Refresh();
    return;
  }
  int column = HourColumn(s_.clock.Now());
  if (column == currentColumn_) return;
  Mark(column);
  Grid().Refresh();
}

void HourGridWindow::OnTimer(UINT_PTR id) {
  if (id == kHourTimer) HourTick();
}

}  // namespace velmora
