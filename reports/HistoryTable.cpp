#include "reports/HistoryTable.h"

#include <algorithm>

namespace velmora {

const std::vector<HistoryColumn>& HistoryColumns(HistoryKind kind) {
  static const std::vector<HistoryColumn> airmail = {
      {"----Station----", "Station"},
      {"--Records--", "Number of Connections"},
      {"--Percent--", "Relative Percentage"}};
  static const std::vector<HistoryColumn> logFile = {
      {"----Station----", "Station"},
      {"---#---", "Number of Connections"},
      {"--Percent--", "Relative Percentage"},
      {"--#--", "Number of Predictions"},
      {"-Snr-", "Predicted Snr (dB)"},
      {"--#--", "Number of Measurements"},
      {"-Det-", "Measured Snr (dB)"},
      {"-Delta-", "Difference between Predicted and Measusred"}};
  return kind == HistoryKind::Airmail ? airmail : logFile;
}

const char* HistoryCaption(HistoryKind kind) {
  return kind == HistoryKind::Airmail ? "AirMail - History" : "AutoConnect - History";
}

void HistoryTableFill(FrequencyTable& table, HistoryKind kind, const HistorySummary& summary, const TextWidth& width) {
  const auto& columns = HistoryColumns(kind);
  std::vector<TableColumn> layout;
  for (size_t c = 0; c < summary.headers.size() && c < columns.size(); ++c) {
    // As wide as the sample, or wider where a figure would be cut.
    int wide = width(columns[c].widthSample);
    for (const auto& cells : summary.rows)
      if (c < cells.size()) wide = std::max(wide, width("-" + cells[c] + "-"));
    layout.push_back({summary.headers[c], wide, c == 0 ? CellAlign::Left : CellAlign::Right});
  }
  RedrawPause pause(table);
  table.Clear(std::move(layout));
  for (const auto& cells : summary.rows) {
    int row = table.RowAdd();
    for (int c = 0; c < table.Columns() && c < static_cast<int>(cells.size()); ++c) table.CellSet(row, c, cells[c]);
  }
}

std::vector<SortKey> HistorySortKeys(int column, std::span<const SortKey> current) {
  int direction = column == 0 ? kSortTextAscending : kSortNumericDescending;
  if (!current.empty() && current.front().column == column) {
    switch (current.front().direction) {
      case kSortNumericAscending: direction = kSortNumericDescending; break;
      case kSortNumericDescending: direction = kSortNumericAscending; break;
      case kSortTextAscending: direction = kSortTextDescending; break;
      default: direction = kSortTextAscending; break;
    }
  }
  std::vector<SortKey> keys{{column, direction}};
  if (column != 0) keys.push_back({0, kSortTextAscending});
  return keys;
}

std::string HistoryToolTip(HistoryKind kind, int column) {
  const auto& columns = HistoryColumns(kind);
  if (column < 0 || column >= static_cast<int>(columns.size())) return {};
  return columns[column].toolTip;
}

}  // namespace velmora
