#pragma once
// The table's ranges and azimuths from where AirMail's files put the ship
// and the stations: the positions of the AirMail data folder that the
// AutoConnect settings name at the moment of asking.
#include "airmail/AutoConnectSettings.h"
#include "autoconnect/AutoConnectLog.h"
#include "common/Messages.h"
#include "selection/SelectionPorts.h"

namespace velmora {

class PositionGeometry final : public StationGeometry {
 public:
  PositionGeometry(const AutoConnectSettings& settings, Messenger& messenger)
      : settings_(settings), messenger_(messenger) {}

  std::optional<LatLon> ShipPosition() override;
  std::optional<LatLon> StationPosition(std::string_view system, std::string_view station) override;
  StationBearing Bearing(const LatLon& ship, const LatLon& station) override;

 private:
  const AutoConnectSettings& settings_;
  Messenger& messenger_;
};

// The ship's position that the log of a run records.
class AirmailShipPosition final : public ShipPosition {
 public:
  AirmailShipPosition(const AutoConnectSettings& settings, Messenger& messenger)
      : settings_(settings), messenger_(messenger) {}
  std::optional<LatLon> LatLonGetCurrent() override;

 private:
  const AutoConnectSettings& settings_;
  Messenger& messenger_;
};

// Until predictions are attached: none for any station, told to nobody.
// The rows keep their frequencies, all boxes checked, and empty cells.
class NoPredictions final : public PredictionSource {
 public:
  std::optional<PredictionNow> PredictionGet(const PredictionRequest&) override { return std::nullopt; }
};

}  // namespace velmora
