#include "selection/NoiseSelect.h"

#include "airmail/AutoConnectSettings.h"
#include "selection/TableColumns.h"
#include "selection/TableSort.h"

namespace velmora {

void NoiseSelect(FrequencyTable& table, int first, int last, int top, Messenger& messenger) {
  const SortKey byNoise[] = {{kColumnNoise, kSortNumericAscending},
                             {kColumnSnr, kSortNumericDescending},
                             {kColumnTxConnect, kSortNumericDescending}};
  SortRows(table, first, last, byNoise, messenger);
  int kept = 0;
  for (int row = first; row <= last; ++row)
    if (table.CheckGet(row, kColumnTxConnect) && ++kept > top) table.CheckSet(row, kColumnTxConnect, false);
  if (top != 1) return;
  const SortKey byFrequency[] = {{kColumnTxConnect, kSortNumericAscending}};
  SortRows(table, first, last, byFrequency, messenger);
}

void NoiseSelectByMode(FrequencyTable& table, int mode, int top, Messenger& messenger) {
  if (table.DataRows() < 1) return;
  RedrawPause pause(table);
  if (mode == kModeMultipleFrequencies) return NoiseSelect(table, 1, table.DataRows(), top, messenger);
  if (mode != kModeMultipleStations) return;
  for (int first = 1; first < table.Rows();) {
    int last = first;
    std::string station = table.CellGet(first, kColumnStation);
    while (last + 1 < table.Rows() && table.CellGet(last + 1, kColumnStation) == station) ++last;
    NoiseSelect(table, first, last, top, messenger);
    first = last + 1;
  }
}

}  // namespace velmora
