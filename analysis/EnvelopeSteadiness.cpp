#include "analysis/EnvelopeSteadiness.h"

#include <algorithm>
#include <cmath>

#include "common/SampleFormat.h"

namespace velmora {
namespace {

constexpr double kStretchSeconds = 0.023;  // a stretch: too short for AGC or fading to move
constexpr double kSteadinessMemorySeconds = 0.7;  // the buffers averaged
constexpr double kSteadinessWrapShare = 0.1;      // of each end left out: the window nearly closes there

// While more of the input's samples than this were clipped at full scale
// over the longer memory, the figure says nothing: clipping flattens the
// envelope of noise as a modem's is flat. (A receiver's noise with 1 % of
// its samples clipped read steady now and then, with 5 % mostly.) The
// share is the input's, not the buffer's: buffers that happened to clip
// less are the steadier ones, and noise read steady from those alone.
constexpr double kSteadinessClippedShare = 0.005;
constexpr double kClippingMemorySeconds = 2;

}  // namespace

void EnvelopeSteadiness::Add(std::span<const Complex> analytic, double rate, float bufferSeconds,
                             std::span<const std::int16_t> samples) {
  const auto size = analytic.size();
  const auto skip = static_cast<std::size_t>(kSteadinessWrapShare * static_cast<double>(size));
  // Short buffers hold one stretch, as long as they are.
  const auto stretch = std::min(size - 2 * skip, static_cast<std::size_t>(kStretchSeconds * rate));
  Buffer buffer;
  auto power = [&](std::size_t i) {
    return static_cast<double>(analytic[i].re) * analytic[i].re + static_cast<double>(analytic[i].im) * analytic[i].im;
  };
  auto add = [&](double m2, double m4) {
    if (m2 <= 0) return;
    buffer.sum += m4 * static_cast<double>(stretch) / (m2 * m2);
    ++buffer.stretches;
  };
  // Two stretches at a time, each summed in its own order: neither waits
  // on the other's last addition.
  std::size_t from = skip;
  for (; stretch > 0 && from + 2 * stretch <= size - skip; from += 2 * stretch) {
    double m2 = 0, m4 = 0, n2 = 0, n4 = 0;
    for (std::size_t i = from; i < from + stretch; ++i) {
      const double p = power(i), q = power(i + stretch);
      m2 += p, n2 += q;
      m4 += p * p, n4 += q * q;
    }
    add(m2, m4), add(n2, n4);
  }
  if (stretch > 0 && from + stretch <= size - skip) {
    double m2 = 0, m4 = 0;
    for (std::size_t i = from; i < from + stretch; ++i) {
      const double p = power(i);
      m2 += p;
      m4 += p * p;
    }
    add(m2, m4);
  }
  buffers_.push_back(buffer);
  const auto keep =
      static_cast<std::size_t>(std::max(1.0, std::round(kSteadinessMemorySeconds / std::max(1e-3f, bufferSeconds))));
  while (buffers_.size() > keep) buffers_.pop_front();
  // Counted in 32 bits, which the compiler packs wider than the library's count.
  std::uint32_t clipped = 0;
  for (const std::int16_t sample : samples) clipped += IsAtFullScale(sample) ? 1 : 0;
  clipping_.push_back({clipped, samples.size()});
  const auto keepClipping = static_cast<std::size_t>(
      std::max(1.0, std::round(kClippingMemorySeconds / std::max(1e-3f, bufferSeconds))));
  while (clipping_.size() > keepClipping) clipping_.pop_front();
}

double EnvelopeSteadiness::Ratio() const {
  std::size_t clipped = 0, samples = 0;
  for (const Clipping& c : clipping_) clipped += c.clipped, samples += c.samples;
  if (static_cast<double>(clipped) > kSteadinessClippedShare * static_cast<double>(samples)) return 2.0;
  double sum = 0;
  std::int32_t stretches = 0;
  for (const Buffer& b : buffers_) sum += b.sum, stretches += b.stretches;
  return stretches > 0 ? sum / stretches : 2.0;
}

}  // namespace velmora
