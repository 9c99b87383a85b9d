#include "selection/win32/HourGridWindows.h"

#include "selection/PropagationHoursTable.h"

namespace velmora {

void PropagationHoursWindow::Update(std::string_view system, std::string_view station, const UtcDateTime& time) {
  StationTake(system, station, "AutoConnect - SNR by Hour and Frequency (bigger is better) - ");
  if (!Make()) return;
  Refill([&](const UtcDateTime&) {
    if (!system_.empty())
      PropagationHoursFill(table_, s_.settings, system_, station_, time,
                           {s_.day, s_.geometry, s_.data, s_.programFolder, Grid().Measure()});
    else
      HoursColumnsBuild(table_, Grid().Measure());
  });
  Present();
}

int PropagationHoursWindow::HourColumn(const UtcDateTime& now) const { return HoursCurrentColumn(now); }

void PropagationHoursWindow::HourMark(int column) {
  CellLook normal{GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)};
  CellLook current{GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT)};
  HoursHighlight(table_, column, normal, current);
}

std::string PropagationHoursWindow::ToolTip(int row, int column) {
  return PropagationHoursToolTip(table_, row, column, CurrentColumn());
}

}  // namespace velmora
