#pragma once
// Latitudes and longitudes as AirMail writes them and the program shows
// them: degrees, the degree sign (byte 176), minutes with two decimals, an
// apostrophe and the hemisphere letter, e.g. 48°07.20'N and 123°25.80'W.
#include <string>
#include <string_view>

#include "common/Messages.h"

namespace velmora {

// The degree sign of the ANSI code page.
inline constexpr char kDegreeSign = '\xB0';

// Decodes the text; south and west come out negative. The hemisphere
// letter may be in either case and followed by blanks. Text that cannot be
// decoded gives false, with "Unable for decode Latitude <text>" (or
// "Longitude") when a messenger is given.
bool LatitudeFromString(std::string_view text, double& latitude, Messenger* messenger);
bool LongitudeFromString(std::string_view text, double& longitude, Messenger* messenger);

// 00°30.00'S, 122°15.00'W. Minutes that round to 60.00 carry into the degrees.
// A latitude beyond 90 degrees, a longitude beyond 180 or no number gives
// empty text.
std::string LatitudeToString(double latitude);
std::string LongitudeToString(double longitude);

}  // namespace velmora
