#pragma once
// Station positions from Maidenhead locators and great-circle ranges in
// nautical miles, as the station lists need them to put the nearest first.
#include <string>

#include "common/Messages.h"

namespace velmora {

struct LatLon {
  double latitude = 0;   // degrees, north positive
  double longitude = 0;  // degrees, east positive
};

// Upper-cases the locator in place (a four-character one gets "MM" added)
// and converts its first six characters. Fewer than six, or a character
// outside its range (fields A..R, squares 0..9, subsquares A..X), fail, with
// the message "Unable to Convert Grid <locator> to Lat/Lon" when asked for.
bool GridToLatLon(std::string& locator, LatLon& position, Messenger* messenger);

// The great-circle range between two positions, one nautical mile per
// minute of arc.
double LatLonGetRange(const LatLon& from, const LatLon& to);

}  // namespace velmora
