#include "reports/StationInfoLabels.h"

#include <cmath>

#include "propagation/Bearing.h"

namespace velmora {
namespace {

std::string Whole(double value) { return std::to_string(std::lround(value)); }

}  // namespace

StationInfoLabels StationInfoLabelsOf(const std::optional<LatLon>& ship, const std::optional<LatLon>& station) {
  StationInfoLabels labels;
  if (!ship || !station) return labels;
  labels.range += Whole(LatLonGetRange(*ship, *station));
  // Beside the station or at its antipode no one direction leads there.
  auto bearings = LatLonGetBearing(*ship, *station);
  if (!bearings) return labels;
  labels.bearingTo += Whole(bearings->atFrom);
  labels.bearingFrom += Whole(bearings->atTo);
  return labels;
}

}  // namespace velmora
