#pragma once
// The station table of a history summary as the window's grid shows it:
// headers centred, the station left and the figures right aligned, each
// column as wide as its width sample, a tool-tip per column.
#include <span>
#include <string>
#include <vector>

#include "reports/HistorySummary.h"
#include "selection/FrequencyTable.h"
#include "selection/TableColumns.h"
#include "selection/TableSort.h"

namespace velmora {

enum class HistoryKind { Airmail, LogFile };

struct HistoryColumn {
  const char* widthSample;
  const char* toolTip;
};

const std::vector<HistoryColumn>& HistoryColumns(HistoryKind kind);

// "AirMail - History" or "AutoConnect - History".
const char* HistoryCaption(HistoryKind kind);

// The table refilled from the summary's headers and rows.
void HistoryTableFill(FrequencyTable& table, HistoryKind kind, const HistorySummary& summary, const TextWidth& width);

// The order after a click on a column's heading: stations by name, figures
// largest first, the same heading again turning the order round; rows equal
// in the column follow the station's name.
std::vector<SortKey> HistorySortKeys(int column, std::span<const SortKey> current);

// The tool-tip of a cell, chosen by its column; empty outside the table.
std::string HistoryToolTip(HistoryKind kind, int column);

}  // namespace velmora
