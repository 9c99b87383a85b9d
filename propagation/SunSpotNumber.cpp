#include "propagation/SunSpotNumber.h"

#include <string>

#include "common/TextParse.h"

namespace velmora {
namespace {

// The whole text as a number, or nothing: "112" and "112.5" (or "112,5", as
// AirMail writes it under a comma-decimal locale) but not "high", nor a
// count below zero, nor one beyond a single's range (it would be kept as
// infinity, which no model deck can hold).
std::optional<float> Number(std::string_view text) {
  text = Trim(text);
  const size_t comma = text.find(',');
  const bool commaPoint = comma != std::string_view::npos && comma == text.rfind(',') &&
                          text.find('.') == std::string_view::npos;
  auto value = ParseLeadingNumber(text, commaPoint);
  if (!value || !SingleHolds(*value) || *value < 0) return std::nullopt;
  auto end = text.find_first_not_of(commaPoint ? "+-,0123456789eE" : "+-.0123456789eE");
  if (end != std::string_view::npos) return std::nullopt;
  return static_cast<float>(*value);
}

}  // namespace

bool SunSpotNumberGet(const AirmailDataFolder& data, AutoConnectSettings& settings, float& sunSpotNumber) {
  if (settings.propagationModelSunSpot) {
    auto text = AirMailGetProfileString(data, "Airmail.ini", "Propagation", "SSN", true);
    if (text.empty()) return false;
    if (auto number = Number(text))
      settings.propagationModelSunSpotNumber = *number;
    else
      data.Messages().Show("Unable for decode Sun Spot Number " + text + AirmailErrorDataMessage(data),
                           MessageIcon::Exclamation);
  }
  sunSpotNumber = settings.propagationModelSunSpotNumber;
  return true;
}

}  // namespace velmora
