#include "propagation/AngleText.h"

#include <cmath>
#include <optional>

#include "common/Format.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

// A number that is the whole of the (trimmed) text; AirMail under a
// comma-decimal locale may write "07,20".
std::optional<double> WholeNumber(std::string_view text) {
  text = Trim(text);
  size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  size_t digits = 0, points = 0;
  for (; i < text.size(); ++i) {
    if (IsAsciiDigit(text[i]))
      ++digits;
    else if ((text[i] == '.' || text[i] == ',') && points++ == 0)
      continue;
    else
      return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  return ParseLeadingNumber(text, true);
}

std::optional<double> AngleFromString(std::string_view text, char negativeLetter, double limit) {
  // Text from a UTF-8 file carries the degree sign as two bytes.
  std::string_view sign = "\xC2\xB0";
  size_t degree = text.find(sign);
  if (degree == std::string_view::npos) {
    sign = std::string_view(&kDegreeSign, 1);
    degree = text.find(sign);
  }
  if (degree == std::string_view::npos) return std::nullopt;
  size_t minutesStart = degree + sign.size();
  size_t apostrophe = text.find('\'', minutesStart);
  if (apostrophe == std::string_view::npos) return std::nullopt;
  auto degrees = WholeNumber(text.substr(0, degree));
  auto minutes = WholeNumber(text.substr(minutesStart, apostrophe - minutesStart));
  if (!degrees || !minutes || *minutes < 0 || *minutes >= 60) return std::nullopt;
  // A minus sign on the degrees applies to the minutes as well.
  bool negative = Trim(text.substr(0, degree)).starts_with('-');
  double value = std::fabs(*degrees) + *minutes / 60;
  if (value > limit) return std::nullopt;
  auto hemisphere = Trim(text.substr(apostrophe + 1));
  if (hemisphere.size() == 1 && AsciiUpper(hemisphere[0]) == negativeLetter)
    negative = true;
  return negative ? -value : value;
}

bool Decode(std::string_view text, double& value, Messenger* messenger, char negativeLetter, double limit,
            std::string_view name) {
  auto angle = AngleFromString(text, negativeLetter, limit);
  if (!angle) {
    if (messenger)
      messenger->Show("Unable for decode " + std::string(name) + " " + std::string(text), MessageIcon::Exclamation);
    return false;
  }
  value = *angle;
  return true;
}

// Whole hundredths of a minute, so that 59.996 minutes print as the next degree.
// A value that is no such angle (a garbled file's) prints as nothing, as the
// decoding refuses it; its hundredths might not fit the count either.
std::string AngleToString(double value, double limit, size_t degreeDigits, char positive, char negative) {
  if (!(std::fabs(value) <= limit)) return {};
  long long hundredths = std::llround(std::fabs(value) * 6000);
  std::string degrees = IntegerText(hundredths / 6000);
  if (degrees.size() < degreeDigits) degrees.insert(0, degreeDigits - degrees.size(), '0');
  std::string minutes = FormatNumber(static_cast<double>(hundredths % 6000) / 100, "0.00");
  if (minutes.size() < 5) minutes.insert(0, 5 - minutes.size(), '0');
  return degrees + kDegreeSign + minutes + "'" + (value < 0 ? negative : positive);
}

}  // namespace

bool LatitudeFromString(std::string_view text, double& latitude, Messenger* messenger) {
  return Decode(text, latitude, messenger, 'S', 90, "Latitude");
}

bool LongitudeFromString(std::string_view text, double& longitude, Messenger* messenger) {
  return Decode(text, longitude, messenger, 'W', 180, "Longitude");
}

std::string LatitudeToString(double latitude) { return AngleToString(latitude, 90, 2, 'N', 'S'); }

std::string LongitudeToString(double longitude) { return AngleToString(longitude, 180, 3, 'E', 'W'); }

}  // namespace velmora
