#include "airmail/CenterTone.h"

#include <charconv>

#include "common/TextParse.h"
#include "common/SampleFormat.h"

namespace velmora {

std::optional<float> CenterToneFromAirmail(const AirmailDataFolder& data) {
  // The decoder type is read into a 128-character buffer.
  std::string type = AirMailGetProfileString(data, "Airmail.ini", "Hardware", "DecoderType", false).substr(0, 127);
  if (Trim(type).empty()) {
    // With the folder to check, as every message about AirMail's files.
    data.Messages().Show("CenterFrequency, Unable to get decoder type." + AirmailErrorDataMessage(data));
    return std::nullopt;
  }
  std::string text(Trim(AirMailGetProfileString(data, "Airmail.ini", "Hardware", type + " Center Tone", false)));
  double tone = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), tone);
  bool number = !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
  if (!number || tone < 250 || tone > kNyquist - 250) {
    data.Messages().Show("CenterFrequencyAuto, Unable to get center tone." + AirmailErrorDataMessage(data));
    return std::nullopt;
  }
  return static_cast<float>(tone);
}

}  // namespace velmora
