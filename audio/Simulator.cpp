#include "audio/Simulator.h"

#include <algorithm>
#include <cmath>

namespace velmora {

void SimulateSamples(const SimulateSettings& s, std::span<std::int16_t> out) {
  constexpr double kTwoPi = 6.28318530717959;
  const double a = s.amLevel * 8000.0 / 100.0;
  const double offset = 16000.0 - a;
  const double wa = kTwoPi * s.amRate / kSampleRate;
  const double wc = kTwoPi * s.frequency / kSampleRate;
  double phaseA = 0, phaseC = 0;
  for (auto& sample : out) {
    double v = std::nearbyint((a * std::cos(phaseA) + offset) * std::cos(phaseC));
    sample = static_cast<std::int16_t>(std::clamp(v, -32768.0, 32767.0));
    phaseA += wa;
    phaseC += wc;
  }
}

}  // namespace velmora
