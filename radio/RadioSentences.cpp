#include "radio/RadioSentences.h"

#include "airmail/FrequencyLabel.h"
#include "common/Format.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

// The dial sits this far below a Pactor 3 frequency so the signal falls in the USB passband.
constexpr double kPactor3DialOffsetKhz = 1.5;

}  // namespace

std::string RadioSentence(int address, std::string_view command) {
  std::string sentence = "$PICOA,90," + TwoDigits(address) + ",";
  sentence += command;
  sentence += "\r\n";
  return sentence;
}

std::array<std::string, 2> RadioTuneCommands(std::string_view label) {
  const auto p3 = label.find(kPactor3Suffix);
  const bool pactor3 = p3 != std::string_view::npos;
  double khz = Val(label.substr(0, p3));
  if (pactor3) khz -= kPactor3DialOffsetKhz;
  return {std::string("MODE,") + (pactor3 ? "USB" : "AFS"), "RXF," + FormatNumber(khz / 1000, "0.00000")};
}

int RadioSMeterFromReply(std::string_view reply) {
  const auto request = reply.find(kRadioSMeterRequest);
  if (request == std::string_view::npos) return -1;
  const auto comma = reply.find(',', request);
  if (comma == std::string_view::npos || comma + 1 >= reply.size()) return -1;
  const char digit = reply[comma + 1];
  return digit >= '0' && digit <= '9' ? digit - '0' : -1;
}

}  // namespace velmora
