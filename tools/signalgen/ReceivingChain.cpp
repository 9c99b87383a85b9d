#include "tools/signalgen/ReceivingChain.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora::signalgen {
namespace {

constexpr long kChainTaps = 16;  // each side of the interpolated point

// A Blackman-windowed sinc at x samples from the point.
double ChainKernel(double x) {
  if (std::abs(x) >= kChainTaps) return 0;
  const double pi = std::numbers::pi;
  const double sinc = x == 0 ? 1.0 : std::sin(pi * x) / (pi * x);
  const double w = 0.42 + 0.5 * std::cos(pi * x / kChainTaps) + 0.08 * std::cos(2 * pi * x / kChainTaps);
  return sinc * w;
}

std::size_t ClockedCount(std::size_t count, double clock) {
  return static_cast<std::size_t>(std::floor(static_cast<double>(count) * (1 + clock)));
}

}  // namespace

std::vector<float> ResampleForClock(std::span<const float> samples, double clock) {
  if (clock == 0) return {samples.begin(), samples.end()};
  std::vector<float> out(ClockedCount(samples.size(), clock));
  const auto last = static_cast<long>(samples.size()) - 1;
  for (std::size_t k = 0; k < out.size(); ++k) {
    const double t = static_cast<double>(k) / (1 + clock);
    const auto centre = static_cast<long>(std::floor(t));
    double sum = 0;
    for (long i = std::max(0L, centre - kChainTaps + 1); i <= std::min(last, centre + kChainTaps); ++i)
      sum += samples[static_cast<std::size_t>(i)] * ChainKernel(t - static_cast<double>(i));
    out[k] = static_cast<float>(sum);
  }
  return out;
}

std::vector<std::uint8_t> ResampleMaskForClock(std::span<const std::uint8_t> on, double clock) {
  std::vector<std::uint8_t> out(ClockedCount(on.size(), clock));
  for (std::size_t k = 0; k < out.size(); ++k)
    out[k] = on[std::min(on.size() - 1, static_cast<std::size_t>(std::lround(static_cast<double>(k) / (1 + clock))))];
  return out;
}

std::vector<std::int16_t> ThroughChain(std::span<const float> samples, const ChainFault& fault) {
  const auto clocked = ResampleForClock(samples, fault.clock);
  std::vector<std::int16_t> pcm(clocked.size());
  for (std::size_t i = 0; i < clocked.size(); ++i) {
    const double v = std::clamp(clocked[i] * fault.gain + fault.dc, -32768.0, 32767.0);
    pcm[i] = fault.eightBit ? static_cast<std::int16_t>((std::clamp(std::lround(v / 256) + 128, 0L, 255L) - 128) * 256)
                            : static_cast<std::int16_t>(std::lround(v));
  }
  return pcm;
}

}  // namespace velmora::signalgen
