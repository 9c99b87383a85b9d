#pragma once
// The columns of the frequency table, declared once: heading, width
// template, alignment and when the column is shown, by mode and settings.
// Every column exists in every mode, so its index never changes; a column
// not shown has width 0 and an empty heading.
#include <functional>
#include <string_view>
#include <vector>

#include "airmail/AutoConnectSettings.h"
#include "selection/FrequencyTable.h"

namespace velmora {

enum FrequencyColumn : int {
  kColumnP3,  // the Pactor 3 mark, never shown
  kColumnStation,
  kColumnRange,
  kColumnAzimuth,
  kColumnFrequency,
  kColumnRxPwr,
  kColumnRxSnr,
  kColumnRxCheck,
  kColumnTxConnect,
  kColumnHistory,
  kColumnLufMuf,
  kColumnLayer,
  kColumnTAng,
  kColumnSDbw,
  kColumnNDbw,
  kColumnSnr,
  kColumnSlope,
  kColumnStnAz,
  kColumnStnAnt,
  kColumnRef,
  kColumnFitErr,
  kColumnFitRms,
  kColumnRefStn,
  kColumnRefRng,
  kColumnRefFreq,
  kColumnNoise,
  kColumnBusy,      // the busy share heard at the present hour
  kColumnBusyNote,  // its tool-tip, never shown
  kColumnCount
};

// The columns a row of an older .ref or .nct file holds at least: those
// the table had before its "Busy" columns.
inline constexpr int kColumnsSaved = kColumnBusy;

// The width of a text in the grid's font, in the view's units.
using TextWidth = std::function<int(std::string_view)>;

// The columns of the mode under these settings.
std::vector<TableColumn> FrequencyColumns(int mode, const AutoConnectSettings& settings, const TextWidth& measure);

// Whether the column is shown in the mode under these settings.
bool ColumnShown(FrequencyColumn column, int mode, const AutoConnectSettings& settings);

// Empties the table and builds its heading row for the mode.
void ColumnsBuild(FrequencyTable& table, int mode, const AutoConnectSettings& settings, const TextWidth& measure);

// The tool-tip of a column by its heading; empty for any other heading.
std::string_view ColumnToolTip(std::string_view heading);

}  // namespace velmora
