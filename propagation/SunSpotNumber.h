#pragma once
// The sunspot number the predictions use: AirMail's own ("SSN" of its
// propagation settings) when "Propagation Model Sun Spot" is on, else the
// stored "Propagation Model Sun Spot Number".
#include "airmail/AirmailProfile.h"
#include "airmail/AutoConnectSettings.h"

namespace velmora {

// AirMail's number, when there is one, becomes the stored number. A missing
// one is reported and gives false; one that is no number (or below zero) is
// reported and the stored number stays in use.
bool SunSpotNumberGet(const AirmailDataFolder& data, AutoConnectSettings& settings, float& sunSpotNumber);

}  // namespace velmora
