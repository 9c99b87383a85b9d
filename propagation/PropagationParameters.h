#pragma once
// What a prediction run is asked for: the model, the circuit, and the run
// parameters that the AutoConnect settings hold.
#include <string>
#include <string_view>

#include "airmail/AutoConnectSettings.h"
#include "airmail/Locator.h"

namespace velmora {

// The station transmits, the ship receives.
struct Circuit {
  LatLon transmitter;
  LatLon receiver;
};

struct PropagationParameters {
  std::string ionCoefficients = "URSI";  // "URSI" or "CCIR"
  float sunSpotNumber = 170;
  float qIndex = 3;
  float noiseLevel = -145;    // dBW, stored negative
  float takeoffAngle = 3;     // degrees
  float reliability = 50;     // percent
  float multipathPower = 0;   // dB
  float multipathDelay = 10;  // ms
  float layerAdjustE = 1, layerAdjustF1 = 1, layerAdjustF2 = 1, layerAdjustEs = 0.7f;

  bool operator==(const PropagationParameters&) const = default;
};

// The run parameters of the settings, with the sunspot number in use
// (SunSpotNumberGet).
PropagationParameters PropagationParametersFrom(const AutoConnectSettings& settings, float sunSpotNumber);

// "ICEPAC", "VOACAP", "REC533"; the number itself for any other model.
std::string ModelDisplayName(int model);

// "icepacw.exe", "voacapw.exe", "rec533w.exe"; empty for any other model.
std::string_view ModelProgramName(int model);

}  // namespace velmora
