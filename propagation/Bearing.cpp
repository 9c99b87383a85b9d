#include "propagation/Bearing.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717959;
// Below this the sine of the distance or the cosine of a latitude is taken
// as zero: the angle formula would divide by (nearly) nothing.
constexpr double kTiny = 1e-12;

double Radians(double degrees) { return degrees * kPi / 180; }

// The arccosine of a value that rounding may have pushed just past +-1.
double ArcCos(double t) { return std::acos(std::clamp(t, -1.0, 1.0)); }

// The angle from north at point a towards point b, in 0..pi.
double AngleFromNorth(double latA, double latB, double cosD, double sinD) {
  double denominator = sinD * std::cos(latA);
  if (std::fabs(std::cos(latA)) < kTiny) return latA > 0 ? kPi : 0;
  return ArcCos((std::sin(latB) - std::sin(latA) * cosD) / denominator);
}

double Degrees(double radians) {
  double degrees = std::fmod(radians * 180 / kPi, 360.0);
  return degrees < 0 ? degrees + 360 : degrees;
}

}  // namespace

std::optional<Bearings> LatLonGetBearing(const LatLon& from, const LatLon& to) {
  double lat1 = Radians(from.latitude), lat2 = Radians(to.latitude);
  double cosD = std::sin(lat1) * std::sin(lat2) +
                std::cos(lat2) * std::cos(lat1) * std::cos(Radians(from.longitude - to.longitude));
  double d = ArcCos(cosD);
  double sinD = std::sin(d);
  if (sinD < kTiny) return std::nullopt;
  cosD = std::cos(d);
  double a1 = AngleFromNorth(lat1, lat2, cosD, sinD);
  double a2 = AngleFromNorth(lat2, lat1, cosD, sinD);
  bool firstTakesA1;
  if (std::fabs(to.longitude - from.longitude) < 180)
    firstTakesA1 = from.longitude < to.longitude;  // the second point lies east
  else
    firstTakesA1 = from.longitude > 0;  // the short path crosses the 180th meridian
  if (firstTakesA1) return Bearings{Degrees(a1), Degrees(kTwoPi - a2)};
  return Bearings{Degrees(kTwoPi - a1), Degrees(a2)};
}

}  // namespace velmora
