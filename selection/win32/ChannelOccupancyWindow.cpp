#include "selection/win32/HourGridWindows.h"

#include "airmail/FrequencyLists.h"
#include "selection/OccupancyHoursTable.h"

namespace velmora {

void ChannelOccupancyWindow::Update(std::string_view system, std::string_view station) {
  StationTake(system, station, "AutoConnect - Channel Occupancy by Hour and Frequency (Busy %) - ");
  if (!Make()) return;
  Fill();
  Present();
}

void ChannelOccupancyWindow::Fill() {
  read_ = FileWriteStampOf(s_.programFolder / kStationOccupancyDataFile);
  Refill([&](const UtcDateTime& now) {
    std::vector<FrequencyRow> rows;
    OccupancyHoursRequest request{system_, station_, {}, OccupancyDayOf(now), s_.settings.stationOccupancyHalfLife};
    if (!system_.empty() && StationFrequencyListGet(s_.data, system_, station_, rows))
      for (const auto& r : rows) request.labels.push_back(r.label);
    StationOccupancy record = StationOccupancyGet(s_.programFolder / kStationOccupancyDataFile, s_.data.Messages());
    OccupancyHoursFill(table_, record, request, Grid().Measure());
  });
}

bool ChannelOccupancyWindow::Reread() {
  // A window put aside is filled again when it is next shown.
  if (!IsWindowVisible(hwnd_) || FileWriteStampOf(s_.programFolder / kStationOccupancyDataFile) == read_) return false;
  Fill();
  return true;
}

int ChannelOccupancyWindow::HourColumn(const UtcDateTime& now) const { return kOccupancyFirstHourColumn + now.hour; }

void ChannelOccupancyWindow::HourMark(int column) {
  CellLook heading{kColorBlack, kHeadingBack};
  CellLook current{GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT)};
  OccupancyHoursMark(table_, column, heading, current);
}

std::string ChannelOccupancyWindow::ToolTip(int row, int column) {
  return OccupancyHoursToolTip(table_, row, column, CurrentColumn());
}

}  // namespace velmora
