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

// A fill asks for every station of a list: the file is read once for all
// of them, not once each (thousands of stations took seconds), and again
// when AirMail has written it since.
const StationFile* AirmailStationGeometry::StationFileOf(std::string_view system) {
  const auto path = data_.File(StationFileName(system));
  std::error_code error;
  const auto written = std::filesystem::last_write_time(path, error);
  const auto size = error ? 0 : std::filesystem::file_size(path, error);
  if (error) {
    stations_.reset();
    return nullptr;
  }
  if (stations_ && stations_->file.System() == system && stations_->size == size && stations_->written == written)
    return &stations_->file;
  stations_.reset();
  FileFailure failure;
  auto file = StationFile::Load(data_, system, failure);
  if (!file) return nullptr;
  stations_.emplace(StationFileRead{std::move(*file), size, written});
  return &stations_->file;
}

std::optional<LatLon> AirmailStationGeometry::StationPosition(std::string_view system, std::string_view station) {
  LatLon position;
  // A file that cannot be read is told as before, by the reading of the one value.
  const StationFile* file = StationFileOf(system);
  if (!(file ? LatLonGetStation(*file, station, position, true)
             : LatLonGetStation(data_, system, station, position, true)))
    return std::nullopt;
  return position;
}

StationBearing AirmailStationGeometry::Bearing(const LatLon& ship, const LatLon& station) {
  return {LatLonGetRange(ship, station), LatLonGetBearing(ship, station).atFrom};
}

}  // namespace velmora
