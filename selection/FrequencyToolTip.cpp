#include "selection/FrequencyToolTip.h"

#include "common/TextParse.h"
#include "selection/TableColumns.h"

namespace velmora {

std::string StationCorrectionToolTip(std::string_view offset, std::string_view history, bool offsetOn,
                                     bool historyOn) {
  std::string text;
  offset = Trim(offset);
  history = Trim(history);
  if (offsetOn && !offset.empty()) text = "Station Offset of " + std::string(offset) + " dB";
  if (historyOn && !history.empty()) {
    if (!text.empty()) text += ",  ";
    text += "Station History of " + std::string(history) + " dB";
  }
  return text;
}

std::optional<std::string> FrequencyMouseMove(const FrequencyTable& table, int row, int column,
                                              const ToolTipContext& context) {
  if (context.mode < kModeMultipleFrequencies || context.mode > kModeScanStations) return std::nullopt;
  if (row < 0 || row >= table.Rows() || column < 0 || column >= table.Columns()) return std::nullopt;
  // The busy share says how much was heard, and how long ago.
  if (column == kColumnBusy && row > 0 && kColumnBusyNote < table.Columns() &&
      !table.CellGet(row, kColumnBusyNote).empty())
    return table.CellGet(row, kColumnBusyNote);
  if (auto reason = context.colors.ReasonOf(table.CellColor(row, column))) {
    if (*reason != kReasonStationCorrection) return std::string(ReasonToolTip(*reason));
    return StationCorrectionToolTip(table.CellGet(row, kColumnStnAnt), table.CellGet(row, kColumnHistory),
                                    context.stationOffset, context.stationHistory);
  }
  return std::string(ColumnToolTip(table.Column(column).heading));
}

}  // namespace velmora
