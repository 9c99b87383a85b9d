#pragma once
// `frmPropagationDetails`: one station's rows of the frequency table with
// every additional propagation column, for a given prediction time.
#include <string>
#include <string_view>

#include "selection/BusyShare.h"
#include "selection/SelectionWindow.h"
#include "selection/win32/StationGridWindow.h"

namespace velmora {

class PropagationDetailsWindow final : public StationGridWindow, private SelectionWindow {
 public:
  PropagationDetailsWindow(HWND owner, const PropagationWindowServices& services)
      : StationGridWindow(owner, "VelmoraPropagationDetails", services) {}

  // Rebuilds the grid for the station at the time and shows the window.
  // With an empty system or station the station and time shown before are
  // predicted again.
  void Update(std::string_view system, std::string_view station, const UtcDateTime& time);

 private:
  std::string ToolTip(int row, int column) override;
  // AutoSelect's steps on a "HAM" station ask nothing of the window they
  // run in here.
  void WindowActivate() override {}
  void UpdateStatusStatus(std::string_view) override {}
  void NoiseSelectionStart() override {}

  // The "Busy" column's shares, from the record beside the program.
  OccupancyFile occupancy_{s_.programFolder / kStationOccupancyDataFile, s_.settings, s_.clock, s_.data.Messages()};
  UtcDateTime time_;
  int mode_ = 0;  // the mode whose columns the grid shows
};

}  // namespace velmora
