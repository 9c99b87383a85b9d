#pragma once
// One buffer as the digital-modem detector reads it, from a single
// transform: its power spectrum (Hamming weighted, up to the quiet band
// above the passband) and its analytic signal limited to the passband,
// shifted down and at half the sample rate.
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/FftPlan.h"

namespace velmora {

inline constexpr double kModemBandLow = 200, kModemBandHigh = 3000;  // Hz, where modems are looked for
inline constexpr double kQuietBandHigh = 5000;                       // Hz, the spectrum kept reaches this

class BandSignal {
 public:
  // The samples of one buffer, padded with zeros to n (a power of two):
  // their transform and power spectrum.
  void Take(std::span<const std::int16_t> samples, std::int32_t n);
  // The analytic signal of the passband, leaving out the bins marked
  // (steady lines), counted from the first bin of the passband.
  void LimitToPassband(std::span<const std::uint8_t> dropped);

  std::int32_t N() const { return n_; }
  double Resolution() const;               // Hz per bin
  std::int32_t Bin(double frequency) const;
  // Power per bin 0..Bin(kQuietBandHigh), in the transform's units.
  std::span<const double> Power() const { return power_; }
  // The same without the window: every sample weighs the same.
  std::span<const double> FlatPower() const { return flatPower_; }
  // The passband's analytic signal at half the sample rate, N/2 samples.
  // Its ends wrap round (the transform is circular); the middle is clean.
  std::span<const Complex> Analytic() const { return analytic_; }
  // The bins of the passband, first and last.
  std::int32_t FirstBin() const { return Bin(kModemBandLow); }
  std::int32_t LastBin() const { return Bin(kModemBandHigh); }
  // A sample stands far above the buffer's RMS: a crash or a click.
  bool Impulsive() const { return impulsive_; }
  // The bin the analytic signal is shifted down by.
  std::int32_t CentreBin() const { return Bin((kModemBandLow + kModemBandHigh) / 2); }

 private:
  std::int32_t n_ = 0;
  bool impulsive_ = false;
  std::vector<Complex> transform_;
  std::vector<double> power_, flatPower_;
  std::vector<Complex> analytic_;
  FftPlan fft_;
};

}  // namespace velmora
