#pragma once
// Tone modems: FSK and multi-tone MFSK send one tone of a fixed grid at a
// time, chosen by the data, with a continuous phase from symbol to symbol.
#include <span>

#include "tools/signalgen/Random.h"

namespace velmora::signalgen {

struct ToneParams {
  int tones = 4;
  double spacing = 200;  // Hz between neighbouring tones
  double baud = 50;      // symbols per second
  double center = 1500;  // Hz, the middle of the grid
  // The grid's extent: each tone spreads over about half a spacing either side.
  double Width() const { return tones * spacing; }
};

void AddTones(std::span<float> out, const ToneParams& params, double rms, Random& random);

}  // namespace velmora::signalgen
