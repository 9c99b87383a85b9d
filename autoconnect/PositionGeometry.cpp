#include "autoconnect/PositionGeometry.h"

#include "propagation/Bearing.h"
#include "propagation/Positions.h"

namespace velmora {

namespace {

std::optional<LatLon> Ship(const AutoConnectSettings& settings, Messenger& messenger) {
  AirmailDataFolder data(settings.airmailDirectoryData, messenger);
  LatLon ship;
  if (!LatLonGetCurrent(data, ship)) return std::nullopt;
  return ship;
}

}  // namespace

std::optional<LatLon> PositionGeometry::ShipPosition() { return Ship(settings_, messenger_); }

std::optional<LatLon> AirmailShipPosition::LatLonGetCurrent() { return Ship(settings_, messenger_); }

std::optional<LatLon> PositionGeometry::StationPosition(std::string_view system, std::string_view station) {
  AirmailDataFolder data(settings_.airmailDirectoryData, messenger_);
  LatLon position;
  if (!LatLonGetStation(data, system, station, position, true)) return std::nullopt;
  return position;
}

StationBearing PositionGeometry::Bearing(const LatLon& ship, const LatLon& station) {
  return {LatLonGetRange(ship, station), LatLonGetBearing(ship, station).atFrom};
}

}  // namespace velmora
