#pragma once
// `frmPropagationHours`: the predicted SNR of each of a station's
// frequencies for every hour of the day, the hours its antenna offsets
// change in bold and the present hour highlighted.
#include <string>
#include <string_view>

#include "selection/win32/HourGridWindow.h"
#include "selection/win32/PropagationWindowServices.h"

namespace velmora {

class PropagationHoursWindow final : public HourGridWindow {
 public:
  PropagationHoursWindow(HWND owner, const PropagationWindowServices& services)
      : HourGridWindow(owner, "VelmoraPropagationHours", services.clock), s_(services) {}

  // Rebuilds the grid for the station and shows the window. With an empty
  // system or station the station shown before is predicted again.
  void Update(std::string_view system, std::string_view station, const UtcDateTime& time);

 private:
  std::string ToolTip(int row, int column) override;
  int HourColumn(const UtcDateTime& now) const override;
  void HourMark(int column) override;

  PropagationWindowServices s_;
  std::string system_, station_, caption_;
};

}  // namespace velmora
