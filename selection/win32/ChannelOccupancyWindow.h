#pragma once
// "Channel Occupancy": how busy each of a station's frequencies has been at
// every hour of the day, as the occupancy record knows it, coloured from
// green to red, the present hour marked.
#include <string>
#include <string_view>

#include "selection/win32/HourGridWindow.h"
#include "selection/win32/PropagationWindowServices.h"

namespace velmora {

class ChannelOccupancyWindow final : public HourGridWindow {
 public:
  ChannelOccupancyWindow(HWND owner, const PropagationWindowServices& services)
      : HourGridWindow(owner, "VelmoraChannelOccupancy", services.clock), s_(services) {}

  // Reads the record, rebuilds the grid for the station and shows the
  // window. With an empty system or station the station shown before is
  // read again.
  void Update(std::string_view system, std::string_view station);

 private:
  std::string ToolTip(int row, int column) override;
  int HourColumn(const UtcDateTime& now) const override;
  void HourMark(int column) override;

  PropagationWindowServices s_;
  std::string system_, station_, caption_;
};

}  // namespace velmora
