#pragma once
// Whether the band's spectrum repeats itself at a fixed spacing, steady
// over buffers: OFDM's carriers, whose symbols each begin with a copy of
// their own end, ripple the spectrum at the carrier spacing. Measured as
// the correlation of the spectrum's ripple (each bin over its
// neighbourhood's mean) at every lag of a symbol's length, added up buffer
// after buffer with its phase, so a steady ripple grows out of the noise;
// the figure is the strongest lag's steady part over the spread of the
// lags round it (about 1 for noise). A comb of narrow lines (hum, a voice,
// a tone grid) repeats at multiples or half of its lag as well and does not
// count.
#include <complex>
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/BandSignal.h"
#include "analysis/FftPlan.h"

namespace velmora {

class SymbolRepetition {
 public:
  void Restart() { count_ = 0, absent_ = 0, held_ = {}; }
  // The buffer's spectrum, the passband's bins to leave out (lines) and
  // those on a band's flat top (where the ripple is measured).
  void Add(const BandSignal& buffer, std::span<const std::uint8_t> lines, std::span<const std::uint8_t> flatTop,
           float bufferSeconds);
  double Ratio() const { return figures_.anywhere; }
  // The same where a band stands above its surroundings, where only a
  // comb's clear echo at a multiple of the lag rules it out.
  double BandRatio() const { return figures_.inBand; }
  // How many buffers the sum behind the figure has gathered: over a few
  // noise's figure strays further.
  std::int32_t Buffers() const { return count_; }

 private:
  struct Figures {
    double anywhere = 0, inBand = 0;
  };

  // The ripple's weight per passband bin: the flat tops of the bands, away
  // from their edges, which would ripple the figure themselves.
  void Weigh(const BandSignal& buffer, std::span<const std::uint8_t> lines, std::span<const std::uint8_t> flatTop);
  double Correlate(const BandSignal& buffer);
  bool Accumulate(double energy, double level, float bufferSeconds);
  void Judge();

  FftPlan fft_;
  std::vector<double> flatSmooth_, weight_;
  std::vector<std::int32_t> inside_;
  std::vector<std::uint8_t> lines_;
  std::vector<std::uint8_t> weighedTop_;        // the flat tops the weights were made for
  std::int32_t weighedHalf_ = 0;                 // ... and the neighbourhood's half width
  std::size_t weighedFrom_ = 0, weighedTo_ = 0;  // the bins with weight lie within these
  std::vector<Complex> work_;
  std::vector<std::complex<double>> sum_;  // per lag: the mean of the buffers' correlations
  std::vector<double> squares_;            // ... and of their squared sizes
  std::vector<double> spreadSums_;         // running sums of those, kept to spare an allocation per buffer
  double weightSquares_ = 0;               // the sum of the buffers' squared weights in the means
  std::int32_t n_ = 0;
  std::int32_t count_ = 0;
  std::size_t shortest_ = 0, longest_ = 0;  // the lags of a symbol's length, in steps of two samples
  double level_ = 0;                        // the band's mean level while on
  double absent_ = 0;                       // seconds the band has been away
  Figures held_;                            // the figures when it was last there
  Figures figures_;
};

}  // namespace velmora
