#pragma once
// The tool-tip over a cell of the frequency table: the reason its colour
// stands for, or else what its column holds.
#include <optional>
#include <string>
#include <utility>

#include "selection/FrequencyTable.h"

namespace velmora {

struct ToolTipContext {
  int mode = 0;
  bool stationOffset = true;   // "Station Offset"
  bool stationHistory = true;  // "Station History"
  const ReasonColors& colors;
};

// The tool-tip for (row, column); nullopt where the table has none (mode 0,
// or a point outside the cells).
std::optional<std::string> FrequencyMouseMove(const FrequencyTable& table, int row, int column,
                                              const ToolTipContext& context);

// The station correction text of a slot-6 cell's row, from its "Stn Ant"
// and "History" cells.
std::string StationCorrectionToolTip(std::string_view offset, std::string_view history, bool offsetOn,
                                     bool historyOn);

// Tells whether the pointer moved to a new point since the last call.
class PointerTracker {
 public:
  bool Moved(int x, int y) {
    if (last_ && last_->first == x && last_->second == y) return false;
    last_ = {x, y};
    return true;
  }

 private:
  std::optional<std::pair<int, int>> last_;
};

}  // namespace velmora
