#include "airmail/Locator.h"

#include <cmath>

#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr double kPi = 3.14159265358979;

// The subsquare letter's index 0..23 spread over 0..59 minutes.
double SubsquareDegrees(char letter) { return ((letter - 'A') * 59.0 / 23.0) / 60.0; }

// Fields A..R, squares 0..9, subsquares A..X: anything else would put the
// station at an impossible place (a latitude of 170) and its range and
// order would be silently wrong.
bool Maidenhead(const std::string& c) {
  auto within = [](char ch, char first, char last) { return ch >= first && ch <= last; };
  return within(c[0], 'A', 'R') && within(c[1], 'A', 'R') && within(c[2], '0', '9') && within(c[3], '0', '9') &&
         within(c[4], 'A', 'X') && within(c[5], 'A', 'X');
}

}  // namespace

bool GridToLatLon(std::string& locator, LatLon& position, Messenger* messenger) {
  locator = ToUpper(locator);
  if (locator.size() == 4) locator += "MM";
  if (locator.size() < 6 || !Maidenhead(locator)) {
    if (messenger) messenger->Show("Unable to Convert Grid " + locator + " to Lat/Lon");
    return false;
  }
  const std::string& c = locator;
  position.latitude = (c[1] - 'J') * 10 + (c[3] - '0') + SubsquareDegrees(c[5]);
  position.longitude = 2 * ((c[0] - 'J') * 10 + (c[2] - '0') + SubsquareDegrees(c[4]));
  return true;
}

double LatLonGetRange(const LatLon& from, const LatLon& to) {
  auto vector = [](const LatLon& p) {
    double lat = p.latitude * kPi / 180, lon = p.longitude * kPi / 180;
    struct {
      double x, y, z;
    } v{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
    return v;
  };
  auto a = vector(from), b = vector(to);
  double chord = std::sqrt((b.y - a.y) * (b.y - a.y) + (b.x - a.x) * (b.x - a.x) + (b.z - a.z) * (b.z - a.z));
  double half = chord / 2;
  // Antipodal points give a half chord of 1, where the arcsine is a right angle.
  double arcsin = half >= 1 ? kPi / 2 : std::atan(half / std::sqrt(1 - half * half));
  return 2 * arcsin * 60 * 180 / kPi;
}

}  // namespace velmora
