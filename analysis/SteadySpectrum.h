#pragma once
// The spectrum averaged over the last second or so: the steady lines in the
// passband (mains hum, carriers), whose bins the modem measures leave out,
// its floor, and the band a transmission occupies when it stands clearly
// above the levels beside it and is narrower than any receiver's passband.
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/BandSignal.h"

namespace velmora {

class SteadySpectrum {
 public:
  void Restart() { first_ = true; }
  void Follow(const BandSignal& buffer, float bufferSeconds);

  // The passband's bins (from the band signal's first) that hold a steady line.
  std::span<const std::uint8_t> Lines() const { return lines_; }
  // A low level of the spectrum over the passband and the quiet band above.
  double Floor() const { return floor_; }
  // The strongest band standing above the levels beside it, in Hz (0..0
  // when none), and whether it is narrower than a receiver's passband and
  // stands out in the present buffer too.
  double BandLow() const { return bandLow_; }
  double BandHigh() const { return bandHigh_; }
  bool NarrowBand() const { return narrow_; }

 private:
  void FindLines(const BandSignal& buffer);
  void FindBand(const BandSignal& buffer);

  bool first_ = true;
  std::int32_t n_ = 0;
  std::int32_t buffers_ = 0;     // since the start, while fewer than the memory holds
  std::vector<double> mean_;     // power per bin, averaged over buffers
  std::vector<double> squares_;  // its square, averaged alike
  std::vector<double> lineFree_;  // the mean with the lines' bins as the bins beside them
  std::vector<double> level_;     // dB, the line-free mean smoothed over neighbours
  std::vector<std::uint8_t> lines_;
  double floor_ = 0;
  double bandLow_ = 0, bandHigh_ = 0;
  bool narrow_ = false;
};

}  // namespace velmora
