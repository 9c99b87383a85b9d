#include "analysis/SteadySpectrum.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

constexpr double kMemorySeconds = 1.5;  // the average's time constant
constexpr double kLineSpread = 0.25;    // a line's power from buffer to buffer, at most (spread over mean)
constexpr double kFirstSpread = 0.5;    // what the first buffer is taken to show of it
constexpr double kLineDb = 10;          // a line stands this far above the bins beside it
constexpr double kLineBesideHz = 20;    // ... from here
constexpr double kLineBesideToHz = 45;  // ... to here, on both sides
constexpr double kLineWidthHz = 16;     // a line's bins either side of its peak
constexpr double kFloorRank = 0.2;      // of the levels from the passband up to the quiet band
constexpr double kLevelHz = 25;         // each side: the levels are smoothed over neighbours
constexpr double kBandTopDb = 6;        // a band: the bins within this of its top
constexpr double kTopRank = 0.95;       // the top, robust against a few high bins
constexpr double kBesideFromHz = 50;    // the levels beside a band: from here
constexpr double kBesideToHz = 300;     // ... to here off each edge
constexpr double kBandOverDb = 6;       // a band stands this far above the levels beside it
constexpr double kBandNowDb = 3;        // ... and this far in the present buffer alone
constexpr double kNarrowestHz = 300;    // narrower: a carrier, keyed CW, a tone
constexpr double kWidestHz = 2100;      // wider: perhaps a receiver's passband (2.4 kHz and more)

double Mean(std::span<const double> v) {
  double sum = 0;
  for (double x : v) sum += x;
  return v.empty() ? 0.0 : sum / static_cast<double>(v.size());
}

}  // namespace

void SteadySpectrum::Follow(const BandSignal& buffer, float bufferSeconds) {
  const auto power = buffer.Power();
  if (buffer.N() != n_ || mean_.size() != power.size()) first_ = true;
  if (first_) {
    n_ = buffer.N();
    mean_.assign(power.begin(), power.end());
    squares_.resize(mean_.size());
    for (std::size_t b = 0; b < mean_.size(); ++b) squares_[b] = mean_[b] * mean_[b] * (1 + kFirstSpread * kFirstSpread);
    buffers_ = 1;
    first_ = false;
  } else {
    // A plain mean of the buffers so far until the memory is full.
    ++buffers_;
    const double share = std::max(1.0 / buffers_, std::min(1.0, bufferSeconds / kMemorySeconds));
    for (std::size_t b = 0; b < mean_.size(); ++b) {
      mean_[b] += share * (power[b] - mean_[b]);
      squares_[b] += share * (power[b] * power[b] - squares_[b]);
    }
  }
  FindLines(buffer);
  FindBand(buffer);
}

// A line is a peak far above the bins a little way off on either side: a
// modem's tones come with the spread of their keying beside them.
void SteadySpectrum::FindLines(const BandSignal& buffer) {
  const std::int32_t first = buffer.FirstBin(), last = buffer.LastBin(), top = static_cast<std::int32_t>(mean_.size()) - 1;
  lines_.assign(static_cast<std::size_t>(last - first + 1), 0);
  lineFree_ = mean_;
  const double resolution = buffer.Resolution();
  const auto from = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(kLineBesideHz / resolution)));
  const auto to = std::max<std::int32_t>(from + 1, static_cast<std::int32_t>(std::lround(kLineBesideToHz / resolution)));
  const auto width = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(kLineWidthHz / resolution)));
  const double ratio = std::pow(10.0, kLineDb / 10);
  for (std::int32_t b = first; b <= last; ++b) {
    if (b - to < 0 || b + to > top) continue;
    const double peak = mean_[static_cast<std::size_t>(b)];
    if (peak < mean_[static_cast<std::size_t>(b - 1)] || peak < mean_[static_cast<std::size_t>(b + 1)]) continue;
    const double below = Mean({mean_.data() + b - to, static_cast<std::size_t>(to - from + 1)});
    const double above = Mean({mean_.data() + b + from, static_cast<std::size_t>(to - from + 1)});
    if (peak < ratio * std::max(below, above)) continue;
    // Steady from buffer to buffer, as hum and carriers are; a modem's tone
    // comes and goes with its data.
    const double spread = std::sqrt(std::max(0.0, squares_[static_cast<std::size_t>(b)] - peak * peak));
    if (spread > kLineSpread * peak) continue;
    for (std::int32_t k = std::max(first, b - width); k <= std::min(last, b + width); ++k) {
      lines_[static_cast<std::size_t>(k - first)] = 1;
      lineFree_[static_cast<std::size_t>(k)] = std::max(below, above);
    }
  }
}

void SteadySpectrum::FindBand(const BandSignal& buffer) {
  const std::int32_t first = buffer.FirstBin(), last = buffer.LastBin(), top = static_cast<std::int32_t>(mean_.size()) - 1;
  const double resolution = buffer.Resolution();
  auto bins = [&](double hz) { return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(hz / resolution))); };
  // Levels in dB, each the mean of its neighbourhood.
  const std::int32_t half = bins(kLevelHz);
  level_.assign(mean_.size(), 0.0);
  for (std::int32_t b = 0; b <= top; ++b) {
    const std::int32_t from = std::max(0, b - half), to = std::min(top, b + half);
    level_[static_cast<std::size_t>(b)] =
        10 * std::log10(std::max(1e-30, Mean({lineFree_.data() + from, static_cast<std::size_t>(to - from + 1)})));
  }
  std::vector<double> levels(level_.begin() + first, level_.end());
  auto rank = [&](double share) {
    const auto at = levels.begin() + static_cast<std::ptrdiff_t>(share * static_cast<double>(levels.size() - 1));
    std::nth_element(levels.begin(), at, levels.end());
    return *at;
  };
  floor_ = std::pow(10.0, rank(kFloorRank) / 10);
  levels.assign(level_.begin() + first, level_.begin() + last + 1);
  const double topDb = rank(kTopRank);

  // The run of bins within reach of the top round the strongest one.
  const auto strongest = static_cast<std::int32_t>(std::max_element(level_.begin() + first, level_.begin() + last + 1) - level_.begin());
  std::int32_t low = strongest, high = strongest;
  while (low > first && level_[static_cast<std::size_t>(low - 1)] > topDb - kBandTopDb) --low;
  while (high < last && level_[static_cast<std::size_t>(high + 1)] > topDb - kBandTopDb) ++high;
  auto power = [&](std::span<const double> p, std::int32_t from, std::int32_t to) {
    from = std::clamp(from, 0, top), to = std::clamp(to, 0, top);
    return to >= from ? Mean({p.data() + from, static_cast<std::size_t>(to - from + 1)}) : 0.0;
  };
  auto over = [&](std::span<const double> p) {
    const double band = power(p, low, high);
    const double below = power(p, low - bins(kBesideToHz), low - bins(kBesideFromHz));
    const double above = power(p, high + bins(kBesideFromHz), high + bins(kBesideToHz));
    return 10 * std::log10(std::max(1e-30, band) / std::max({1e-30, below, above}));
  };
  const bool stands = over(lineFree_) >= kBandOverDb;
  bandLow_ = stands ? low * resolution : 0.0;
  bandHigh_ = stands ? high * resolution : 0.0;
  const double width = (high - low) * resolution;
  narrow_ = stands && width >= kNarrowestHz && width <= kWidestHz && over(buffer.Power()) >= kBandNowDb;
}

}  // namespace velmora
