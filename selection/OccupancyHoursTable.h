#pragma once
// The table of the channel occupancy window: a row per frequency of one
// station, its busy share at every hour of the day as heard so far, each
// cell coloured from green (free) through yellow to red (busy), grey where
// the channel was never heard or heard under a minute, and the present hour
// marked. It is laid out as the propagation hours window is.
#include <string>
#include <string_view>
#include <vector>

#include "selection/FrequencyTable.h"
#include "selection/StationOccupancy.h"
#include "selection/TableColumns.h"

namespace velmora {

// Column 0 the frequency, columns 1 to 24 the hours 00 to 23 UTC, and
// hidden behind them, 24 columns to the right of each hour, its tool-tip.
inline constexpr int kOccupancyFirstHourColumn = 1;
inline constexpr int kOccupancyTipShift = 24;

inline constexpr Bgr kNeverHeardColour = 0xD8D8D8;

// Green at no share, yellow at half, red when always busy.
Bgr OccupancyShareColour(double share);

// Empties the table and gives it its 49 columns.
void OccupancyColumnsBuild(FrequencyTable& table, const TextWidth& measure);

struct OccupancyHoursRequest {
  std::string_view system, station;
  std::vector<std::string> labels;  // the station's frequencies, "(p3)" marks included
  OccupancyDay today{};
  double halfLifeDays = 30;
};

// Rebuilds the table: a row per label, each hour's share, colour and tool-tip.
void OccupancyHoursFill(FrequencyTable& table, const StationOccupancy& record, const OccupancyHoursRequest& request,
                        const TextWidth& measure);

// The heading of the present hour's column takes the `current` look, and
// its cells bold figures; every other heading the normal one.
void OccupancyHoursMark(FrequencyTable& table, int currentColumn, CellLook heading, CellLook current);

// "Zulu Time (07), Current Hour", "Frequency (kHz)", or the cell's share,
// minutes heard and the day last heard; empty outside the shown columns.
std::string OccupancyHoursToolTip(const FrequencyTable& table, int row, int column, int currentColumn);

}  // namespace velmora
