#include "selection/win32/PropagationDetailsWindow.h"

#include "selection/FrequencyToolTip.h"
#include "selection/PropagationDetails.h"
#include "common/Format.h"

namespace velmora {

void PropagationDetailsWindow::Update(std::string_view system, std::string_view station, const UtcDateTime& time) {
  if (StationTake(system, station, "AutoConnect - Detailed Propagation Data by Frequency - ")) {
    time_ = time;
    caption_ += " - " + TwoDigits(time.hour) + ":" + TwoDigits(time.minute);
  }
  if (!Make()) return;
  mode_ = s_.settings.modeIndex;
  if (!system_.empty())
    UpdatePropagationDetails(table_, s_.settings, mode_, system_, station_, time_,
                             {{s_.predictions, s_.geometry, s_.data, s_.programFolder, s_.colors, &occupancy_},
                              *this,
                              s_.clock,
                              Grid().Measure()});
  Present();
}

std::string PropagationDetailsWindow::ToolTip(int row, int column) {
  ToolTipContext context{mode_, s_.settings.stationOffset, s_.settings.stationHistory, s_.colors};
  return FrequencyMouseMove(table_, row, column, context).value_or("");
}

}  // namespace velmora
