#include "selection/win32/ChannelOccupancyWindow.h"

#include "airmail/FrequencyLists.h"
#include "airmail/StationEntries.h"
#include "selection/OccupancyHoursTable.h"

namespace velmora {
namespace {

constexpr UINT_PTR kHourTimer = 1;  // tmrHour
constexpr UINT kHourTimerMs = 30 * 1000;

int CurrentColumnAt(const UtcDateTime& now) { return kOccupancyFirstHourColumn + now.hour; }

}  // namespace

void ChannelOccupancyWindow::OnCreate() { SetTimer(Handle(), kHourTimer, kHourTimerMs, nullptr); }

void ChannelOccupancyWindow::Update(std::string_view system, std::string_view station) {
  if (!system.empty() && !station.empty()) {
    system_ = system;
    station_ = station;
    caption_ = "AutoConnect - Channel Occupancy by Hour and Frequency (Busy %) - " +
               StationNameFromStation(s_.data, system_, station_);
  }
  if (!Make()) return;
  ready_ = false;
  UtcDateTime now = s_.clock.Now();
  {
    RedrawPause pause(table_);
    std::vector<FrequencyRow> rows;
    OccupancyHoursRequest request{system_, station_, {}, OccupancyDayOf(now), s_.settings.stationOccupancyHalfLife};
    if (!system_.empty() && StationFrequencyListGet(s_.data, system_, station_, rows))
      for (const auto& r : rows) request.labels.push_back(r.label);
    StationOccupancy record = StationOccupancyGet(s_.programFolder / kStationOccupancyDataFile, s_.data.Messages());
    OccupancyHoursFill(table_, record, request, Grid().Measure());
    Mark(CurrentColumnAt(now));
  }
  ready_ = true;
  Present(caption_);
}

void ChannelOccupancyWindow::Mark(int column) {
  currentColumn_ = column;
  CellLook heading{kColorBlack, kHeadingBack};
  CellLook current{GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT)};
  OccupancyHoursMark(table_, column, heading, current);
}

void ChannelOccupancyWindow::HourTick() {
  if (!ready_) return;
  int column = CurrentColumnAt(s_.clock.Now());
  if (column == currentColumn_) return;
  Mark(column);
  Grid().Refresh();
}

void ChannelOccupancyWindow::OnTimer(UINT_PTR id) {
  if (id == kHourTimer) HourTick();
}

std::string ChannelOccupancyWindow::ToolTip(int row, int column) {
  return OccupancyHoursToolTip(table_, row, column, currentColumn_);
}

}  // namespace velmora
