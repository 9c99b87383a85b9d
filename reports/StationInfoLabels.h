#pragma once
// The three labels of the station information window: the range and the
// two bearings between the ship and the station, whole numbers, when both
// positions are known (the bearings only where there is one); the bare
// captions otherwise.
#include <optional>
#include <string>

#include "airmail/Locator.h"

namespace velmora {

struct StationInfoLabels {
  std::string range = "Range: ";
  std::string bearingTo = "Bearing To: ";
  std::string bearingFrom = "Bearing From: ";
};

StationInfoLabels StationInfoLabelsOf(const std::optional<LatLon>& ship, const std::optional<LatLon>& station);

}  // namespace velmora
