#include "propagation/Positions.h"

#include <string>

#include "propagation/AngleText.h"

namespace velmora {
namespace {

constexpr std::string_view kAirmailIni = "Airmail.ini";

struct PositionKeys {
  std::string_view section, latitude, longitude, time;  // an empty time key: the source has none
};

constexpr PositionKeys kReportCurrent{"Position Report", "Current Latitude", "Current Longitude", "Current Time"};
constexpr PositionKeys kReport{"Position Report", "Latitude", "Longitude", "DateTime"};
constexpr PositionKeys kPropagation{"Propagation", "Latitude", "Longitude", ""};

// Each key is read only after the one before it was decoded, so a message
// names the first thing that is wrong.
bool PositionRead(const AirmailDataFolder& data, const PositionKeys& keys, LatLon& position, UtcDateTime* time,
                  bool showMessage, DateOrder order = DateOrder::MonthDayYear) {
  Messenger* messenger = showMessage ? &data.Messages() : nullptr;
  auto latitude = AirMailGetProfileString(data, kAirmailIni, keys.section, keys.latitude, showMessage);
  if (latitude.empty() || !LatitudeFromString(latitude, position.latitude, messenger)) return false;
  auto longitude = AirMailGetProfileString(data, kAirmailIni, keys.section, keys.longitude, showMessage);
  if (longitude.empty() || !LongitudeFromString(longitude, position.longitude, messenger)) return false;
  if (!time) return true;
  auto text = AirMailGetProfileString(data, kAirmailIni, keys.section, keys.time, showMessage);
  if (text.empty()) return false;
  auto when = DateTimeFromText(text, order);
  if (!when) {
    if (messenger) messenger->Show("Unable for decode Date/Time " + text, MessageIcon::Exclamation);
    return false;
  }
  *time = *when;
  return true;
}

}  // namespace

bool LatLonGetCurrentPositionReportCurrent(const AirmailDataFolder& data, LatLon& position, UtcDateTime& time,
                                           bool showMessage, DateOrder order) {
  return PositionRead(data, kReportCurrent, position, &time, showMessage, order);
}

bool LatLonGetCurrentPositionReport(const AirmailDataFolder& data, LatLon& position, UtcDateTime& time,
                                    bool showMessage, DateOrder order) {
  return PositionRead(data, kReport, position, &time, showMessage, order);
}

bool LatLonGetCurrentPropagation(const AirmailDataFolder& data, LatLon& position, bool showMessage) {
  return PositionRead(data, kPropagation, position, nullptr, showMessage);
}

bool LatLonGetCurrent(const AirmailDataFolder& data, LatLon& position) {
  UtcDateTime time;
  return LatLonGetCurrentPositionReportCurrent(data, position, time, false) ||
         LatLonGetCurrentPositionReport(data, position, time, false) ||
         LatLonGetCurrentPropagation(data, position, true);
}

namespace {

// The locator before the first ":" of a "Station Info" entry.
bool StationInfoPosition(const AirmailDataFolder& data, const std::string& info, LatLon& position) {
  auto colon = info.find(':');
  if (info.empty() || colon == std::string::npos) return false;
  std::string locator = info.substr(0, colon);
  return GridToLatLon(locator, position, &data.Messages());
}

}  // namespace

bool LatLonGetStation(const AirmailDataFolder& data, std::string_view system, std::string_view station,
                      LatLon& position, bool showMessage) {
  return StationInfoPosition(
      data, AirMailGetProfileString(data, StationFileName(system), "Station Info", station, showMessage), position);
}

bool LatLonGetStation(const StationFile& file, std::string_view station, LatLon& position, bool showMessage) {
  return StationInfoPosition(file.Data(), file.Value("Station Info", station, showMessage), position);
}

std::optional<long long> LatLonCheckAge(const AirmailDataFolder& data, const AutoConnectSettings& settings,
                                        const UtcDateTime& now, DateOrder order) {
  if (!settings.airmailLatLonCheck) return std::nullopt;
  LatLon position;
  UtcDateTime time;
  if (!LatLonGetCurrentPositionReportCurrent(data, position, time, false, order) &&
      !LatLonGetCurrentPositionReport(data, position, time, false, order))
    return std::nullopt;
  long long age = CalendarDaysBetween(time, now);
  if (age <= settings.airmailLatLonCheckDays) return std::nullopt;
  data.Messages().Show("Warning, AirMail's Latitude and Longitude Data is older than " + std::to_string(age) +
                           " days.\r\rIf you want to update your position data you will need to start the AirMail "
                           "program and then view the Position Report Window via AirMail's Menu>Window>Position "
                           "Reports command.",
                       MessageIcon::Information);
  return age;
}

}  // namespace velmora
