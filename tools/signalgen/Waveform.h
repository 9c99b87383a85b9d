#pragma once
// Pieces the modem generators share: a wave added at a wanted level, the
// root-raised-cosine pulse, and continuous-phase tones that hop from symbol
// to symbol.
#include <span>
#include <vector>

#include "tools/signalgen/Random.h"

namespace velmora::signalgen {

// Adds the wave to out at the wanted RMS (the wave's own level does not matter).
void AddScaled(std::span<float> out, std::span<const double> wave, double rms);

// The root-raised-cosine pulse at t symbol periods from its centre.
double RootRaisedCosine(double t, double beta);

// Continuous-phase tones, one per symbol, each chosen at random from a grid
// of `tones` frequencies `spacing` apart from `first`. The symbol clock
// starts at a random point of its first symbol.
std::vector<double> ToneHops(std::size_t count, double first, double spacing, int tones, double baud, Random& random);

}  // namespace velmora::signalgen
