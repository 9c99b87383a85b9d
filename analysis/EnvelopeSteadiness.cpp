#include "analysis/EnvelopeSteadiness.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

constexpr double kStretchSeconds = 0.023;  // a stretch: too short for AGC or fading to move
constexpr double kSteadinessMemorySeconds = 0.7;  // the buffers averaged
constexpr double kSteadinessWrapShare = 0.1;      // of each end left out: the window nearly closes there

}  // namespace

void EnvelopeSteadiness::Add(std::span<const Complex> analytic, double rate, float bufferSeconds) {
  const auto size = analytic.size();
  const auto skip = static_cast<std::size_t>(kSteadinessWrapShare * static_cast<double>(size));
  // Short buffers hold one stretch, as long as they are.
  const auto stretch = std::min(size - 2 * skip, static_cast<std::size_t>(kStretchSeconds * rate));
  Buffer buffer;
  for (std::size_t from = skip; stretch > 0 && from + stretch <= size - skip; from += stretch) {
    double m2 = 0, m4 = 0;
    for (std::size_t i = from; i < from + stretch; ++i) {
      const double p =
          static_cast<double>(analytic[i].re) * analytic[i].re + static_cast<double>(analytic[i].im) * analytic[i].im;
      m2 += p;
      m4 += p * p;
    }
    if (m2 <= 0) continue;
    buffer.sum += m4 * static_cast<double>(stretch) / (m2 * m2);
    ++buffer.stretches;
  }
  buffers_.push_back(buffer);
  const auto keep =
      static_cast<std::size_t>(std::max(1.0, std::round(kSteadinessMemorySeconds / std::max(1e-3f, bufferSeconds))));
  while (buffers_.size() > keep) buffers_.pop_front();
}

double EnvelopeSteadiness::Ratio() const {
  double sum = 0;
  std::int32_t stretches = 0;
  for (const Buffer& b : buffers_) sum += b.sum, stretches += b.stretches;
  return stretches > 0 ? sum / stretches : 2.0;
}

}  // namespace velmora
