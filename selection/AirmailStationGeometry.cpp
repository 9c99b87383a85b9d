#include "selection/AirmailStationGeometry.h"

#include "propagation/Bearing.h"
#include "propagation/Positions.h"

namespace velmora {

std::optional<LatLon> AirmailStationGeometry::ShipPosition() {
  if (ship_) return ship_;
  LatLon position;
  if (!LatLonGetCurrent(data_, position)) return std::nullopt;
  return position;
}

std::optional<LatLon> AirmailStationGeometry::StationPosition(std::string_view system, std::string_view station) {
  LatLon position;
  // A fill asks for every station of a list: the file is read once for all.
  // One that cannot be read is told by the reading of the one value.
  const StationFile* file = stations_.Of(data_, system);
  if (!(file ? LatLonGetStation(*file, station, position, true)
             : LatLonGetStation(data_, system, station, position, true)))
    return std::nullopt;
  return position;
}

StationBearing AirmailStationGeometry::Bearing(const LatLon& ship, const LatLon& station) {
  auto bearings = LatLonGetBearing(ship, station);
  return {LatLonGetRange(ship, station), bearings ? std::optional(bearings->atFrom) : std::nullopt};
}

}  // namespace velmora
