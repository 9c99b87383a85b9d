#pragma once
// Frequencies as AirMail lists them ("14075", "14080#": "#" marks Pactor 3)
// and as the rest of the program carries them ("14075.0", "14080.0(p3)").
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr std::string_view kPactor3Suffix = "(p3)";

// The HF receivers' range: an item outside it is a typo, and a label such as
// "0.0" or a thirty-digit one would not read back as a frequency.
inline constexpr double kLowestFrequencyKhz = 100;
inline constexpr double kHighestFrequencyKhz = 30000;

// The label of one frequency item; nullopt when the item is no frequency
// (empty, not a decimal number of kHz, or outside the range once rounded
// to the label's one decimal).
std::optional<std::string> FrequencyReformat(std::string_view item);

bool IsPactor3Label(std::string_view label);

// The label as the hours windows show it: "14080.0(p3)" is "14080.0".
std::string WithoutPactor3Suffix(std::string_view label);

}  // namespace velmora
