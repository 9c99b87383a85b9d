#pragma once
// Where the ship and the stations are, as AirMail's files say: the ship's
// position from AirMail's position report or propagation settings, a
// station's from the locator in its station file, and the warning when
// AirMail's own position has grown old.
#include <optional>
#include <string_view>

#include "airmail/AirmailProfile.h"
#include "airmail/AutoConnectSettings.h"
#include "airmail/Locator.h"
#include "airmail/StationFile.h"
#include "common/SystemLib.h"
#include "propagation/DateTimeText.h"

namespace velmora {

// "Airmail.ini" [Position Report] "Current Latitude", "Current Longitude",
// "Current Time"; the time's date in the order of the user's regional settings.
bool LatLonGetCurrentPositionReportCurrent(const AirmailDataFolder& data, LatLon& position, UtcDateTime& time,
                                           bool showMessage, DateOrder order = DateOrder::MonthDayYear);
// "Airmail.ini" [Position Report] "Latitude", "Longitude", "DateTime".
bool LatLonGetCurrentPositionReport(const AirmailDataFolder& data, LatLon& position, UtcDateTime& time,
                                    bool showMessage, DateOrder order = DateOrder::MonthDayYear);
// "Airmail.ini" [Propagation] "Latitude", "Longitude" (no time).
bool LatLonGetCurrentPropagation(const AirmailDataFolder& data, LatLon& position, bool showMessage);

// The ship: the first of the three sources above that can be read whole.
// Only the last one reports what is missing.
bool LatLonGetCurrent(const AirmailDataFolder& data, LatLon& position);

// A station: the locator before the first ":" of its "Station Info" entry
// in "System." + system + ".ini".
bool LatLonGetStation(const AirmailDataFolder& data, std::string_view system, std::string_view station,
                      LatLon& position, bool showMessage);
// The same from the system's station file already read.
bool LatLonGetStation(const StationFile& file, std::string_view station, LatLon& position, bool showMessage);

// With "Airmail Lat/Lon Check" on: when the position report (current, else
// the last one) is more calendar days older than now than "Airmail Lat/Lon
// Check Days" allows, shows the warning and returns the age it showed.
// AirMail writes the date as the regional settings order it.
std::optional<long long> LatLonCheckAge(const AirmailDataFolder& data, const AutoConnectSettings& settings,
                                        const UtcDateTime& now, DateOrder order = DateOrder::MonthDayYear);

}  // namespace velmora
