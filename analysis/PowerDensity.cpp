#include "analysis/PowerDensity.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

bool IsTransformLength(long long n) { return n >= kTransformMin && n <= kTransformMax && (n & (n - 1)) == 0; }

}  // namespace

std::int32_t TransformLength(std::size_t sampleCount, std::int32_t requested) {
  if (IsTransformLength(requested)) return requested;
  std::int32_t n = kTransformMin;
  while (n < kTransformMax && static_cast<std::size_t>(n) < sampleCount) n *= 2;
  return n;
}

PowerDensity::PowerDensity() : spectrum_(kTransformMax) { samples_.reserve(kTransformMax); }

void PowerDensity::PrepareWindow() {
  if (hammingN_ == n_) return;
  hamming_.resize(static_cast<std::size_t>(n_));
  for (std::int32_t i = 1; i <= n_; ++i) hamming_[i - 1] = WindowWeight(3, i, n_);
  hammingN_ = n_;
}

void PowerDensity::Analyse(std::span<const std::int16_t> samples, std::int32_t transformLength) {
  n_ = TransformLength(samples.size(), transformLength);
  log2n_ = static_cast<std::int32_t>(std::lround(std::log2(static_cast<double>(n_))));
  const std::size_t count = std::min(samples.size(), static_cast<std::size_t>(n_));
  samples_.assign(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(count));

  long long total = 0;
  for (std::int16_t s : samples_) total += s;
  sampleMean_ = count ? static_cast<float>(static_cast<double>(total) / static_cast<double>(count)) : 0.0f;

  // Mean-free samples; a short buffer is padded with zeros (silence at the mean).
  if (keepDensities_) {
    double squares = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const float v = static_cast<float>(samples_[i]) - sampleMean_;
      squares += static_cast<double>(v) * v;
      spectrum_[i] = {v, 0};
    }
    // The level of what was heard: the padding does not dilute it.
    signalLevel_ = static_cast<float>(Db10(count ? squares / static_cast<double>(count) : 0.0) - 27);
  } else {
    // The transform alone: its level's sum, one addition after another,
    // would cost more than the rest of the loop.
    for (std::size_t i = 0; i < count; ++i) spectrum_[i] = {static_cast<float>(samples_[i]) - sampleMean_, 0};
    signalLevel_ = -127;
  }
  std::fill(spectrum_.begin() + static_cast<std::ptrdiff_t>(count), spectrum_.begin() + n_, Complex{});

  // Hamming window over the whole transform length, as Window(3, ...) does.
  PrepareWindow();
  for (std::int32_t i = 0; i < n_; ++i) {
    Complex& c = spectrum_[i];
    c = {static_cast<float>(c.re * hamming_[i]), static_cast<float>(c.im * hamming_[i])};
  }

  fft_.Transform(1, {spectrum_.data(), static_cast<std::size_t>(n_)}, log2n_);
  if (keepTransform_)
    transform_.assign(spectrum_.begin(), spectrum_.begin() + n_ / 2);
  else
    transform_.clear();
  if (!keepDensities_) return;

  const double normal = Db10(n_);
  for (std::int32_t k = 0; k < n_ / 2; ++k) {
    Complex& c = spectrum_[k];
    const float power = c.re * c.re + c.im * c.im;
    c.im = static_cast<float>(Db10(power) - normal);
  }
}

}  // namespace velmora
