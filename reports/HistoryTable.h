#pragma once
// The station table of a history summary as the window's grid shows it:
// headers centred, the station left and the figures right aligned, each
// column as wide as its width sample, a tool-tip per column.
#include <string>
#include <vector>

#include "reports/HistorySummary.h"
#include "selection/FrequencyTable.h"
#include "selection/TableColumns.h"

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

// The tool-tip of a cell, chosen by its column; empty outside the table.
std::string HistoryToolTip(HistoryKind kind, int column);

}  // namespace velmora
