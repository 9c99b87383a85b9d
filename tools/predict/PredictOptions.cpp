#include "tools/predict/PredictOptions.h"

#include <chrono>
#include <cmath>

#include "common/TextParse.h"

namespace velmora {

const char* const kPredictUsage =
    "usage: velmora-predict --data AIRMAIL_DATA_FOLDER --system SYSTEM [--station KEY]... [--mode 1|2|6]\n"
    "                       [--lat DEG --lon DEG] [--model 1|2|3] [--time YYYY-MM-DDTHH:MM]\n"
    "                       [--settings Velmora.Ini] [--itshfbc FOLDER]\n"
    "Predicts the frequency table of an AutoConnect mode as Velmora fills it and\n"
    "AutoSelect leaves it, and prints one CSV line per station and frequency.\n"
    "  --station KEY  a station to predict (again for more); default: the mode's own.\n"
    "                 Mode 2 predicts only those within \"Auto Select Range Max\"\n"
    "  --mode         1 multiple frequencies, 2 multiple stations (default), 6 scan stations\n"
    "  --lat, --lon   the ship's position in degrees, north and east positive;\n"
    "                 default: AirMail's position report\n"
    "  --model        1 ICEPAC, 2 VOACAP, 3 REC533; default: the settings'\n"
    "  --time         UTC, before the settings' time shift; default: now\n"
    "  --settings     the prediction and AutoSelect settings, and the station offset and\n"
    "                 history files beside them; default: Velmora's defaults and the\n"
    "                 files beside velmora-predict\n"
    "  --itshfbc      the ITS HF programs' folder: default c:\\itshfbc, and where Wine\n"
    "                 runs them, the Wine prefix's drive_c/itshfbc\n"
    "  --help         this text\n"
    "Exit status: 0 done, 1 a prediction failed, AirMail's data or Velmora's could not be read or the table not\n"
    "written, 2 bad arguments.\n";

namespace {

// The whole value: "12-5" or "45.30.15" is a typing slip, not 12 or 45.3.
std::optional<double> Number(std::string_view text) { return FieldNumber(text); }

std::optional<int> Digits(std::string_view text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

std::optional<UtcDateTime> PredictTimeParse(std::string_view text) {
  // yyyy-mm-ddThh:mm[:ss]
  if (text.size() != 16 && text.size() != 19) return std::nullopt;
  if (text[4] != '-' || text[7] != '-' || (text[10] != 'T' && text[10] != ' ') || text[13] != ':') return std::nullopt;
  if (text.size() == 19 && text[16] != ':') return std::nullopt;
  auto year = Digits(text.substr(0, 4)), month = Digits(text.substr(5, 2)), day = Digits(text.substr(8, 2));
  auto hour = Digits(text.substr(11, 2)), minute = Digits(text.substr(14, 2));
  auto second = text.size() == 19 ? Digits(text.substr(17, 2)) : std::optional<int>(0);
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  using namespace std::chrono;
  if (!year_month_day{std::chrono::year{*year}, std::chrono::month{static_cast<unsigned>(*month)},
                      std::chrono::day{static_cast<unsigned>(*day)}}
           .ok() ||
      *hour > 23 || *minute > 59 || *second > 59)
    return std::nullopt;
  return UtcDateTime{*year, *month, *day, *hour, *minute, *second, 0};
}

std::optional<PredictOptions> ParsePredictOptions(std::span<const std::string_view> arguments,
                                                  std::string& problem) {
  PredictOptions o;
  std::optional<double> latitude, longitude;
  auto refuse = [&](std::string text) {
    problem = std::move(text);
    return std::nullopt;
  };
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string name(arguments[i]);
    const bool known = name == "--data" || name == "--system" || name == "--station" || name == "--mode" ||
                       name == "--lat" || name == "--lon" || name == "--model" || name == "--time" ||
                       name == "--settings" || name == "--itshfbc";
    if (!known) return refuse((name.empty() ? std::string("\"\"") : name) + ": no such option");
    if (i + 1 >= arguments.size()) return refuse(name + ": a value must follow");
    std::string value(arguments[++i]);
    if (name == "--data") {
      o.data = value;
    } else if (name == "--system") {
      o.system = value;
    } else if (name == "--station") {
      const std::string station(Trim(value));
      if (station.empty()) return refuse("--station: a station key must follow");
      // AirMail's keys are one whatever their case; a repeat would be predicted again.
      for (const auto& before : o.stations)
        if (EqualsNoCase(before, station)) return refuse("--station: " + station + " is named twice");
      o.stations.push_back(station);
    } else if (name == "--mode") {
      if (value != "1" && value != "2" && value != "6") return refuse("--mode: " + value + " is not 1, 2 or 6");
      o.mode = value[0] - '0';
    } else if (name == "--model") {
      if (value != "1" && value != "2" && value != "3") return refuse("--model: " + value + " is not 1, 2 or 3");
      o.model = value[0] - '0';
    } else if (name == "--lat" || name == "--lon") {
      const bool lat = name == "--lat";
      const double limit = lat ? 90 : 180;
      auto number = Number(value);
      if (!number) return refuse(name + ": " + value + " is no number");
      if (std::fabs(*number) > limit)
        return refuse(name + ": " + value + " is not from " + (lat ? "-90 to 90" : "-180 to 180"));
      (lat ? latitude : longitude) = number;
    } else if (name == "--time") {
      o.time = PredictTimeParse(value);
      if (!o.time) return refuse("--time: " + value + " is no time of the form YYYY-MM-DDTHH:MM");
    } else if (name == "--settings") {
      o.settings = value;
    } else {
      o.itshfbc = value;
    }
  }
  if (o.data.empty()) return refuse("--data: AirMail's data folder is needed");
  if (o.system.empty()) return refuse("--system: a system is needed");
  if (latitude.has_value() != longitude.has_value())
    return refuse(latitude ? "--lon: needed with --lat" : "--lat: needed with --lon");
  if (latitude) o.ship = LatLon{*latitude, *longitude};
  if (o.mode == 1 && o.stations.size() > 1) return refuse("--station: mode 1 predicts one station");
  return o;
}

}  // namespace velmora
