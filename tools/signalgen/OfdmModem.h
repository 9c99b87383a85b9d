#pragma once
// Multi-carrier OFDM as HF data modems send it: equally spaced carriers,
// each keyed with random PSK or QAM symbols, every symbol led by a cyclic
// prefix (a copy of its own end), continuous.
#include <span>

#include "tools/signalgen/Random.h"

namespace velmora::signalgen {

struct OfdmParams {
  int carriers = 52;
  double spacing = 43.07;  // Hz; the useful symbol lasts 1 / spacing
  double guard = 0.125;    // the prefix, as a share of the useful symbol
  double center = 1650;    // Hz
  int levels = 2;          // per carrier and axis: 2 QPSK, 4 16-QAM
};

void AddOfdm(std::span<float> out, const OfdmParams& params, double rms, Random& random);

}  // namespace velmora::signalgen
