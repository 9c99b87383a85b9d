#pragma once
// `frmPropagationHours`: the predicted SNR of each of a station's
// frequencies for every hour of the day, the hours its antenna offsets
// change in bold and the present hour highlighted (`tmrHour` keeps it so).
#include <string>
#include <string_view>

#include "selection/win32/PropagationWindowServices.h"
#include "selection/win32/StationGridWindow.h"

namespace velmora {

class PropagationHoursWindow final : public StationGridWindow {
 public:
  PropagationHoursWindow(HWND owner, const PropagationWindowServices& services)
      : StationGridWindow(owner, "VelmoraPropagationHours"), s_(services) {}

  // Rebuilds the grid for the station and shows the window. With an empty
  // system or station the station shown before is predicted again.
  void Update(std::string_view system, std::string_view station, const UtcDateTime& time);
  // One beat of `tmrHour`: the highlight moves when the hour has changed.
  void HourTick();
  int CurrentColumn() const { return currentColumn_; }

 private:
  std::string ToolTip(int row, int column) override;
  void OnCreate() override;
  void OnTimer(UINT_PTR id) override;
  void Highlight(int column);

  PropagationWindowServices s_;
  std::string system_, station_, caption_;
  int currentColumn_ = 0;
  bool ready_ = false;  // the grid holds a whole prediction: the timer may move the highlight
};

}  // namespace velmora
