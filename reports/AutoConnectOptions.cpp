#include "reports/AutoConnectOptions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "common/Format.h"
#include "common/TextParse.h"
#include "propagation/AngleText.h"
#include "propagation/Positions.h"

namespace velmora {
namespace {

using S = AutoConnectSettings;
using enum OptionsPage;

constexpr OptionBinding kBindings[] = {
    {Airmail, "Airmail Directory Data", &S::airmailDirectoryData},
    {Airmail, "Airmail Directory Program", &S::airmailDirectoryProgram},
    {Airmail, "Airmail Lat/Lon Check", &S::airmailLatLonCheck},
    {Airmail, "Airmail Lat/Lon Check Days", &S::airmailLatLonCheckDays},
    {Airmail, "Airmail Resize", &S::airmailResize},
    {Airmail, "Airmail Startup", &S::airmailStartup},
    {Airmail, "Last Connect Check", &S::lastConnectCheck},
    {Airmail, "Last Connect Check Minutes", &S::lastConnectCheckMinutes},
    {Airmail, "Log File", &S::logFile},
    {Airmail, "Terminal Connect Check File", &S::terminalConnectCheckFile},
    {Stations, "Station Stations", &S::stationStations},
    {Stations, "Station Stations File", &S::stationStationsFile},
    {Offset, "Station Offset", &S::stationOffset},
    {History, "Station History", &S::stationHistory},
    {History, "Station History Good", &S::stationHistoryGood},
    {History, "Station History Bad", &S::stationHistoryBad},
    {History, "Station History Max", &S::stationHistoryMax},
    {History, "Station History Min", &S::stationHistoryMin},
    {History, "Station History Debug", &S::stationHistoryDebug},
    {History, "Station Occupancy Half Life", &S::stationOccupancyHalfLife},
    {Propagation, "Propagation Model Model", &S::propagationModelModel, kModelIcepac},
    {Propagation, "Propagation Model Ion Coefficients", &S::propagationModelIonCoefficients},
    {Propagation, "Propagation Model Layer Adjust E", &S::propagationModelLayerAdjustE},
    {Propagation, "Propagation Model Layer Adjust Es", &S::propagationModelLayerAdjustEs},
    {Propagation, "Propagation Model Layer Adjust F1", &S::propagationModelLayerAdjustF1},
    {Propagation, "Propagation Model Layer Adjust F2", &S::propagationModelLayerAdjustF2},
    {Propagation, "Propagation Model Multipath Delay", &S::propagationModelMultipathDelay},
    {Propagation, "Propagation Model Multipath Power", &S::propagationModelMultipathPower},
    {Propagation, "Propagation Model Noise Level", &S::propagationModelNoiseLevel},
    {Propagation, "Propagation Model Q Index", &S::propagationModelQIndex},
    {Propagation, "Propagation Model Reliability", &S::propagationModelReliability},
    {Propagation, "Propagation Model Sun Spot", &S::propagationModelSunSpot},
    {Propagation, "Propagation Model Sun Spot Number", &S::propagationModelSunSpotNumber},
    {Propagation, "Propagation Model Takeoff Angle", &S::propagationModelTakeoffAngle},
    {Propagation, "Propagation Model Time Shift", &S::propagationModelTimeShift},
};

// A box's whole text as a number, "," and letters refused, and "nan" with
// them: no setting holds it.
std::optional<double> Number(std::string_view text) {
  auto t = Trim(text);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size() || std::isnan(value)) return std::nullopt;
  return value;
}

std::string ValueText(const S& s, const OptionBinding& b) {
  return std::visit(
      [&](auto member) -> std::string {
        const auto& value = s.*member;
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, bool>) return std::string(BooleanText(value));
        else if constexpr (std::is_same_v<T, std::int32_t>) return IntegerText(value - b.choiceBase);
        else if constexpr (std::is_same_v<T, float>) return ShortestSingle(value);
        else return value;
      },
      b.member);
}

// Stores one value into `s`; the problem when it is none of the setting's type.
std::optional<std::string> Store(S& s, const OptionBinding& b, const std::string& text) {
  return std::visit(
      [&](auto member) -> std::optional<std::string> {
        auto& value = s.*member;
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, bool>) {
          value = text == "True";
        } else if constexpr (std::is_same_v<T, std::string>) {
          value = text;
        } else {
          auto number = Number(text);
          if (!number) return "Type mismatch";
          if constexpr (std::is_same_v<T, std::int32_t>) {
            // A choice list's entry is stored past its base: the sum must fit too.
            double stored = *number + b.choiceBase;
            if (stored < std::numeric_limits<T>::min() || stored > std::numeric_limits<T>::max()) return "Overflow";
            if (*number != std::floor(*number)) return "must be a whole number";
            value = static_cast<T>(stored);
          } else {
            if (std::abs(*number) > std::numeric_limits<T>::max()) return "Overflow";
            value = static_cast<T>(*number);
          }
        }
        return std::nullopt;
      },
      b.member);
}

}  // namespace

std::span<const OptionBinding> AutoConnectOptionBindings() { return kBindings; }

OptionValues OptionsDataSet(const AutoConnectSettings& settings) {
  OptionValues values;
  for (const auto& b : kBindings) values[b.key] = ValueText(settings, b);
  return values;
}

bool OptionsApply(const OptionValues& values, AutoConnectSettings& settings, Messenger& messages) {
  S edited = settings;
  for (const auto& b : kBindings) {
    auto found = values.find(b.key);
    if (found == values.end()) continue;
    // The day count counts only while the check that uses it is set.
    auto check = values.find("Airmail Lat/Lon Check");
    if (std::string_view(b.key) == "Airmail Lat/Lon Check Days" && check != values.end() && check->second != "True")
      continue;
    if (auto problem = Store(edited, b, found->second)) {
      messages.Show(std::string(kOptionsPageNames[static_cast<int>(b.page)]) + " Option Error, " + b.key + ": " +
                    *problem);
      return false;
    }
  }
  if (std::abs(edited.propagationModelTimeShift) > kMostTimeShiftHours) {
    messages.Show("Propagation Option Error, Propagation Model Time Shift: must be from -8784 to 8784 hours");
    return false;
  }
  if (!(edited.stationOccupancyHalfLife > 0)) {
    messages.Show("History Option Error, Station Occupancy Half Life: must be more than 0 days");
    return false;
  }
  if (edited.propagationModelModel < kModelIcepac || edited.propagationModelModel > kModelRec533) {
    messages.Show("Propagation Option Error, Propagation Model Model: must be 1, 2 or 3");
    return false;
  }
  settings = edited;
  return true;
}

std::string KIndexText(std::string_view qIndex) {
  auto q = Number(qIndex);
  if (!q || !std::isfinite(*q)) return {};
  double k = *q < 2 ? 0 : *q < 3 ? 7.5 - 2 * *q : *q < 6 ? *q - 1.5 : *q < 8 ? 2.0 / 3.0 * *q + 1.7 : 7;
  return FormatNumber(k, "0.0");
}

std::string AirmailPositionText(const AirmailDataFolder& data, const UtcDateTime& now, DateOrder order) {
  LatLon p;
  UtcDateTime time{};
  auto where = [&p] { return "Lat " + LatitudeToString(p.latitude) + " Lon " + LongitudeToString(p.longitude); };
  if (LatLonGetCurrentPositionReportCurrent(data, p, time, false, order))
    return "Input Data " + where() + "\r is " + TimeSpanText(time, now) + " old.";
  if (LatLonGetCurrentPositionReport(data, p, time, false, order))
    return "Position Report " + where() + "\r is " + TimeSpanText(time, now) + " old.";
  if (LatLonGetCurrentPropagation(data, p, false)) return "Propagation " + where();
  return "Unable to get Lat/Lon data.";
}

std::string EsAdjustAfterModel(int model, std::string_view current) {
  if (model == kModelIcepac) return "0.7";
  if (model == kModelVoacap) return "0";
  return std::string(current);
}

}  // namespace velmora
