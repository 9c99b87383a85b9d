#pragma once
// The built-in test signal: an amplitude-modulated tone.
#include <cstdint>
#include <span>

#include "common/SampleFormat.h"

namespace velmora {

struct SimulateSettings {
  float amLevel = 100;                 // percent
  float amRate = kSampleRateHz / 256;  // Hz, 43.07
  float frequency = kSampleRateHz / 8;  // Hz, 1378.125
  bool output = false;                 // heard through the sound output

  bool operator==(const SimulateSettings&) const = default;
};

// One buffer of the test signal, both phases starting at 0. The envelope
// swings between 0 and 16000 at 100 %; samples are held to the 16-bit range.
void SimulateSamples(const SimulateSettings& settings, std::span<std::int16_t> out);

}  // namespace velmora
