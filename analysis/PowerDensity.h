#pragma once
// The first half of the per-buffer spectrum work: the buffer's mean, its
// level and its power spectrum density in dB, which the detectors and the
// spectrum display read.
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/Bins.h"
#include "analysis/FftPlan.h"
#include "analysis/MathLib.h"

namespace velmora {

inline constexpr std::int32_t kTransformMin = 256;
inline constexpr std::int32_t kTransformMax = 32768;

// The transform length for a buffer: the loop's sample size when it is a
// power of two from 256 to 32768, else the next such power above the
// buffer. A shorter buffer is zero padded to it, a longer one cut.
std::int32_t TransformLength(std::size_t sampleCount, std::int32_t requested);

class PowerDensity {
 public:
  PowerDensity();

  void Analyse(std::span<const std::int16_t> samples, std::int32_t transformLength);
  // Keep the windowed transform of bins 0..N/2 - 1 (before the decibels)
  // for a detector that needs its phases too; off by default, it costs a copy.
  void KeepTransform(bool keep) { keepTransform_ = keep; }
  // The densities in dB and the signal level (then -127) are left out when
  // only the transform is wanted.
  void KeepDensities(bool keep) { keepDensities_ = keep; }
  // The kept transform of the buffer in hand; empty when it was not kept.
  std::span<const Complex> Transform() const { return transform_; }

  std::int32_t N() const { return n_; }
  // The samples of the buffer in hand (at most N; fewer for a short last buffer).
  std::span<const std::int16_t> Samples() const { return {samples_.data(), samples_.size()}; }
  std::int32_t SampleCount() const { return static_cast<std::int32_t>(samples_.size()); }
  float SampleMean() const { return sampleMean_; }
  float SignalLevel() const { return signalLevel_; }
  float Resolution() const { return kSampleRateHz / static_cast<float>(n_); }

  // The work array: entry b holds in its imaginary part the density of bin b
  // in dB (b = 0..N/2 - 1); the real parts are what the transform left.
  std::span<const Complex> Spectrum() const { return {spectrum_.data(), static_cast<std::size_t>(n_)}; }
  // The density of bin b in dB; b is kept inside the spectrum.
  float Density(long long bin) const { return spectrum_[ClampBin(bin, n_)].im; }
  std::int32_t Bin(double frequency) const { return BinOf(frequency, n_); }
  double Frequency(std::int32_t bin) const { return BinFrequency(bin, n_); }

 private:
  void PrepareWindow();

  std::int32_t n_ = 2048;
  std::int32_t log2n_ = 11;
  float sampleMean_ = 0;
  float signalLevel_ = -127;
  std::vector<std::int16_t> samples_;
  std::vector<Complex> spectrum_;
  bool keepTransform_ = false;
  bool keepDensities_ = true;
  std::vector<Complex> transform_;
  std::vector<double> hamming_;  // weights of entries 1..n, kept for the last n
  std::int32_t hammingN_ = 0;
  FftPlan fft_;
};

}  // namespace velmora
