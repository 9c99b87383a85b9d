#pragma once
// Where the ship and the stations are, from AirMail's files, and the range
// and azimuth between them.
#include <cstdint>
#include <filesystem>
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
  // A system's station file as read, and its size and the time it was
  // written then.
  struct StationFileRead {
    StationFile file;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written;
  };
  const StationFile* StationFileOf(std::string_view system);

  const AirmailDataFolder& data_;
  std::optional<LatLon> ship_;
  std::optional<StationFileRead> stations_;
};

}  // namespace velmora
