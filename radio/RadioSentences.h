#pragma once
// The "$PICOA" sentences the radio takes, and the S-meter digit of its replies.
#include <array>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr std::string_view kRadioRemoteOn = "REMOTE,ON";
inline constexpr std::string_view kRadioRemoteOff = "REMOTE,OFF";
inline constexpr std::string_view kRadioSMeterRequest = "SIGM";

// "$PICOA,90," + the address in two digits + "," + the command + CR LF.
std::string RadioSentence(int address, std::string_view command);

// The mode and receive-frequency commands that tune to a frequency label:
// a Pactor 3 label is listened to in USB with the dial 1.5 kHz below it,
// any other in AFS on the frequency itself.
std::array<std::string, 2> RadioTuneCommands(std::string_view label);

// The digit right after the "," that follows "SIGM" in a reply line, or -1
// when the reply holds no such digit.
int RadioSMeterFromReply(std::string_view reply);

}  // namespace velmora
