#pragma once
// True bearings of the great circle between two positions.
#include <optional>

#include "airmail/Locator.h"

namespace velmora {

struct Bearings {
  double atFrom = 0;  // degrees, at the first position towards the second
  double atTo = 0;    // degrees, at the second position towards the first
};

// Each bearing in [0, 360). Coincident and antipodal positions have no one
// great circle between them: nullopt. From a pole every direction is south
// (180), from the south pole north (0).
std::optional<Bearings> LatLonGetBearing(const LatLon& from, const LatLon& to);

}  // namespace velmora
