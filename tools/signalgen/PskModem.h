#pragma once
// Single-carrier PSK as HF data modems send it: 2-, 4- or 8-PSK symbols of
// random data, root-raised-cosine shaped, continuous.
#include <span>

#include "tools/signalgen/Random.h"

namespace velmora::signalgen {

struct PskParams {
  int order = 4;  // 2, 4 or 8 phases
  double baud = 2400;
  double rollOff = 0.2;
  double center = 1650;  // Hz, the carrier
  double Width() const { return baud * (1 + rollOff); }
};

void AddPsk(std::span<float> out, const PskParams& params, double rms, Random& random);

}  // namespace velmora::signalgen
