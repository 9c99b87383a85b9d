#include "selection/PropagationDetails.h"

#include "common/TextParse.h"

namespace velmora {

bool UpdatePropagationDetails(FrequencyTable& table, const AutoConnectSettings& settings, int mode,
                              std::string_view system, std::string_view station, const UtcDateTime& time,
                              const PropagationDetailsServices& s) {
  RedrawPause pause(table);
  AutoConnectSettings shown = settings;
  shown.propagationModelAdditionalData = true;
  ColumnsBuild(table, mode, shown, s.measure);
  auto ship = s.rows.geometry.ShipPosition();
  StationRows rows(table, shown, mode, s.rows, ship.value_or(LatLon{}), time);
  int first = 0, last = -1;
  if (!rows.StationRowsAdd(system, station, first, last) || !ship) return false;
  {
    PredictionFill fill(s.rows.predictions, 1);
    if (!rows.StationRowsFill(system, station, first, last)) return false;
  }
  if (ToUpper(system) == "HAM")
    AutoSelect(table, shown, mode, std::string(system), {s.rows, s.window, s.clock})
        .OneStationSelect(station, first, last);
  return true;
}

}  // namespace velmora
