#pragma once
// "Channel Occupancy": how busy each of a station's frequencies has been at
// every hour of the day, as the occupancy record knows it, coloured from
// green to red, the present hour marked (`tmrHour` keeps it so). Made and
// kept as the propagation hours window is.
#include <string>
#include <string_view>

#include "selection/win32/PropagationWindowServices.h"
#include "selection/win32/StationGridWindow.h"

namespace velmora {

class ChannelOccupancyWindow final : public StationGridWindow {
 public:
  ChannelOccupancyWindow(HWND owner, const PropagationWindowServices& services)
      : StationGridWindow(owner, "VelmoraChannelOccupancy"), s_(services) {}

  // Reads the record, rebuilds the grid for the station and shows the
  // window. With an empty system or station the station shown before is
  // read again.
  void Update(std::string_view system, std::string_view station);
  // One beat of `tmrHour`: the mark moves when the hour has changed.
  void HourTick();
  int CurrentColumn() const { return currentColumn_; }

 private:
  std::string ToolTip(int row, int column) override;
  void OnCreate() override;
  void OnTimer(UINT_PTR id) override;
  void Mark(int column);

  PropagationWindowServices s_;
  std::string system_, station_, caption_;
  int currentColumn_ = 0;
  bool ready_ = false;
};

}  // namespace velmora
