#pragma once
// The table of the propagation hours window: a row per frequency of one
// station, the predicted SNR of every hour of the day, the hours the
// station's antenna offsets change set in bold, and the present hour marked.
#include <filesystem>
#include <string>
#include <string_view>

#include "airmail/AirmailProfile.h"
#include "airmail/AutoConnectSettings.h"
#include "selection/FrequencyTable.h"
#include "selection/SelectionPorts.h"
#include "selection/TableColumns.h"

namespace velmora {

// Column 0 the frequency, columns 1 to 24 the hours 00 to 23 UTC, and
// hidden behind them, 24 columns to the right of each hour, the offset
// that changed its cell (for the tool-tip).
inline constexpr int kHoursFrequencyColumn = 0;
inline constexpr int kHoursFirstColumn = 1;
inline constexpr int kHoursOfDay = 24;
inline constexpr int kHoursOffsetShift = 24;

// Empties the table and gives it the 49 columns.
void HoursColumnsBuild(FrequencyTable& table, const TextWidth& measure);

struct HoursTableServices {
  DayPredictionSource& predictions;
  StationGeometry& geometry;
  const AirmailDataFolder& data;
  std::filesystem::path programFolder;  // where "StationOffsetData.txt" lives
  TextWidth measure;
};

// Rebuilds the table for the station: a row per frequency of its list, the
// SNR of each hour of the time's month, and, with "Station Offset" on, the
// offsets of each hour added. False (reported) when the station has no
// frequency or its rows could not be predicted; the rows stay, empty.
bool PropagationHoursFill(FrequencyTable& table, const AutoConnectSettings& settings, std::string_view system,
                          std::string_view station, const UtcDateTime& time, const HoursTableServices& services);

// The column of the present hour: 1 for 00 UTC, 24 for 23 UTC.
inline int HoursCurrentColumn(const UtcDateTime& now) { return now.hour + kHoursFirstColumn; }

// The data cells of the current hour's column take the current look, every
// other column the normal one.
void HoursHighlight(FrequencyTable& table, int currentColumn, CellLook normal, CellLook current);

// "Zulu Time (07), Current Hour", "Frequency (kHz)", "Signal-to-Noise (dB)"
// or "Station Offset of 3.0 dB"; empty outside the shown columns.
std::string PropagationHoursToolTip(const FrequencyTable& table, int row, int column, int currentColumn);

}  // namespace velmora
