#pragma once
// The centre tone of AirMail's decoder, for the automatic centre frequency:
// "DecoderType" of [Hardware] in "Airmail.ini", then the key named by the
// decoder type followed by " Center Tone".
#include <optional>

#include "airmail/AirmailProfile.h"

namespace velmora {

// The tone in Hz, or nothing (with its message shown). A value that is not a
// number, or lies where the Pactor 2 band would leave the spectrum, counts
// as absent.
std::optional<float> CenterToneFromAirmail(const AirmailDataFolder& data);

}  // namespace velmora
