#include "selection/win32/PropagationHoursWindow.h"

#include "airmail/StationEntries.h"
#include "selection/PropagationHoursTable.h"

namespace velmora {
namespace {

constexpr UINT_PTR kHourTimer = 1;  // tmrHour
constexpr UINT kHourTimerMs = 30 * 1000;

}  // namespace

void PropagationHoursWindow::OnCreate() { SetTimer(Handle(), kHourTimer, kHourTimerMs, nullptr); }

void PropagationHoursWindow::Update(std::string_view system, std::string_view station, const UtcDateTime& time) {
  if (!system.empty() && !station.empty()) {
    system_ = system;
    station_ = station;
    caption_ = "AutoConnect - SNR by Hour and Frequency (bigger is better) - " +
               StationNameFromStation(s_.data, system_, station_);
  }
  if (!Make()) return;
  ready_ = false;
  {
    RedrawPause pause(table_);
    if (!system_.empty())
      PropagationHoursFill(table_, s_.settings, system_, station_, time,
                           {s_.day, s_.geometry, s_.data, s_.programFolder, Grid().Measure()});
    else
      HoursColumnsBuild(table_, Grid().Measure());
    Highlight(HoursCurrentColumn(s_.clock.Now()));
  }
  ready_ = true;
  Present(caption_);
}

void PropagationHoursWindow::Highlight(int column) {
  currentColumn_ = column;
  CellLook normal{GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)};
  CellLook current{GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT)};
  HoursHighlight(table_, column, normal, current);
}

void PropagationHoursWindow::HourTick() {
  if (!ready_) return;
  int column = HoursCurrentColumn(s_.clock.Now());
  if (column == currentColumn_) return;
  Highlight(column);
  Grid().Refresh();
}

void PropagationHoursWindow::OnTimer(UINT_PTR id) {
  if (id == kHourTimer) HourTick();
}

std::string PropagationHoursWindow::ToolTip(int row, int column) {
  return PropagationHoursToolTip(table_, row, column, currentColumn_);
}

}  // namespace velmora
