#pragma once
// Where the ship and the stations are, from AirMail's files, and the range
// and azimuth between them.
#include <optional>

#include "airmail/AirmailProfile.h"
#include "airmail/StationFile.h"
#include "selection/SelectionPorts.h"

namespace velmora {

class AirmailStationGeometry final : public StationGeometry {
 public:
  // A ship position given here is used instead of AirMail's.
  explicit AirmailStationGeometry(const AirmailDataFolder& data, std::optional<LatLon> ship = std::nullopt)
      : data_(data), ship_(ship) {}

  std::optional<LatLon> ShipPosition() override;
  std::optional<LatLon> StationPosition(std::string_view system, std::string_view station) override;
  // The great-circle range, and the true bearing at the ship towards the station.
  StationBearing Bearing(const LatLon& ship, const LatLon& station) override;

 private:
  const AirmailDataFolder& data_;
  std::optional<LatLon> ship_;
  StationFileCache stations_;
};

}  // namespace velmora
