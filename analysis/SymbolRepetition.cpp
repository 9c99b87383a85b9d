#include "analysis/SymbolRepetition.h"

#include <algorithm>
#include <cmath>

#include "common/SampleFormat.h"

namespace velmora {
namespace {

constexpr double kSmoothHz = 86;               // each side: wider than the widest carrier spacing
constexpr double kShortestSymbol = 1 / 120.0;  // seconds: carriers up to 120 Hz apart
constexpr double kLongestSymbol = 1 / 25.0;    // ... and down to 25 Hz
constexpr double kSumMemorySeconds = 6;         // the sum's memory
constexpr double kLeastSeconds = 0.5;          // ... and the least it must hold to count
constexpr std::size_t kSpreadLags = 24;        // each side: the lags whose spread a lag is measured by
constexpr std::size_t kOwnLags = 4;            // ... less these, its own peak's
constexpr std::size_t kHarmonicReach =
    4;                              // lags either side of half the peak's (twice, three times as many further on)
constexpr double kHarmonic = 0.5;   // of the strongest lag's size that a multiple of it may have
constexpr double kCombHalf = 6;     // a comb's echo at half its lag stands this far over the spread there
constexpr double kPresent = 0.25;   // of the band's mean level a buffer keeps while it is on (6 dB)
constexpr double kHoldSeconds = 1;  // a band away no longer than this is a fade: its figure holds

// Each bin's neighbourhood mean by a running sum, lines left out: their
// bins must not pull the bins round them, at the lines' own spacing.
// power[0] is bin `offset`.
void Smooth(std::span<const double> power, std::int32_t offset, std::int32_t first, std::int32_t last,
            std::int32_t half, std::span<const std::uint8_t> lines, std::vector<double>& smooth) {
  const auto top = offset + static_cast<std::int32_t>(power.size()) - 1;
  auto isLine = [&](std::int32_t b) {
    return b >= first && b <= last && static_cast<std::size_t>(b - first) < lines.size() &&
           lines[static_cast<std::size_t>(b - first)];
  };
  smooth.assign(static_cast<std::size_t>(last - first + 1), 0.0);
  double sum = 0;
  std::int32_t in = 0;
  auto enter = [&](std::int32_t b, int sign) {
    if (b < offset || b > top || isLine(b)) return;
    sum += sign * power[static_cast<std::size_t>(b - offset)];
    in += sign;
  };
  for (std::int32_t b = first - half; b < first + half; ++b) enter(b, 1);
  for (std::int32_t b = first; b <= last; ++b) {
    enter(b + half, 1);
    enter(b - half - 1, -1);
    smooth[static_cast<std::size_t>(b - first)] = in > 0 ? sum / in : 0.0;
  }
}

}  // namespace

void SymbolRepetition::Weigh(const BandSignal& buffer, std::span<const std::uint8_t> lines,
                             std::span<const std::uint8_t> flatTop) {
  const std::int32_t first = buffer.FirstBin(), last = buffer.LastBin();
  const auto half = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(kSmoothHz / buffer.Resolution())));
  const auto count = static_cast<std::size_t>(last - first + 1);
  Smooth(buffer.FlatPower(), first, first, last, half, lines, flatSmooth_);
  lines_.assign(lines.begin(), lines.end());
  // The weights follow the flat tops, which move only when the levels
  // look again (twice a second): between, they are the last buffer's.
  if (weight_.size() == count && weighedHalf_ == half && std::ranges::equal(flatTop, weighedTop_)) return;
  weighedTop_.assign(flatTop.begin(), flatTop.end());
  weighedHalf_ = half;
  // Distance of each bin to the nearest bin off a band's flat top, both
  // ways: on a filter's skirt the neighbourhood's mean is no bin's level.
  inside_.assign(count, 0);
  std::int32_t run = 0;
  for (std::size_t i = 0; i < count; ++i) inside_[i] = run = i < flatTop.size() && flatTop[i] ? run + 1 : 0;
  run = 0;
  for (std::size_t i = count; i-- > 0;) {
    run = inside_[i] > 0 ? run + 1 : 0;
    inside_[i] = std::min(inside_[i], run);
  }
  weight_.assign(count, 0.0);
  for (std::size_t i = 0; i < count; ++i) {
    const double away = static_cast<double>(inside_[i] - half) / (half / 2.0 + 1);
    weight_[i] = RaisedCosineRamp(away);
  }
  // The bins with weight: the others add nothing (+0) to the band's level.
  weighedFrom_ = 0;
  while (weighedFrom_ < count && weight_[weighedFrom_] == 0) ++weighedFrom_;
  weighedTo_ = count;
  while (weighedTo_ > weighedFrom_ && weight_[weighedTo_ - 1] == 0) --weighedTo_;
}

void SymbolRepetition::Add(const BandSignal& buffer, std::span<const std::uint8_t> lines,
                           std::span<const std::uint8_t> flatTop, float bufferSeconds) {
  if (buffer.N() != n_) count_ = 0, n_ = buffer.N();
  figures_ = {};
  // A crash's strokes ripple the spectrum at their own spacing for a buffer.
  if (buffer.Impulsive()) return;
  Weigh(buffer, lines, flatTop);
  double level = 0, weights = 0;
  for (std::size_t i = weighedFrom_; i < weighedTo_; ++i) level += weight_[i] * flatSmooth_[i], weights += weight_[i];
  level = weights > 0 ? level / weights : 0.0;
  // A pause, a fade or the end: the band has sunk, and the sum waits for it
  // to come back, as long as its memory lasts; through a short fade the
  // figure holds.
  if (level <= 0 || (count_ > 0 && level < kPresent * level_)) {
    absent_ += bufferSeconds;
    if (absent_ > kSumMemorySeconds) count_ = 0;
    if (absent_ <= kHoldSeconds) figures_ = held_;
    return;
  }
  absent_ = 0;
  const double energy = Correlate(buffer);
  if (energy <= 0 || !Accumulate(energy, level, bufferSeconds)) return;
  // One buffer's ripple alone says little: wait for a few.
  if (count_ * bufferSeconds >= kLeastSeconds) Judge();
  held_ = figures_;
}

// The ripple of the spectrum (each bin over its neighbourhood's mean, where
// it has weight) transformed to lags; its energy.
double SymbolRepetition::Correlate(const BandSignal& buffer) {
  const std::int32_t half = n_ / 2, first = buffer.FirstBin(), centre = buffer.CentreBin();
  const auto power = buffer.FlatPower();
  work_.assign(static_cast<std::size_t>(half), Complex{});
  double energy = 0;
  // Bin b goes to (b - centre) modulo the half, stepped along; the bins
  // without weight add nothing.
  const auto from = first + static_cast<std::int32_t>(weighedFrom_);
  std::int32_t to = ((from - centre) % half + half) % half;
  for (std::size_t i = weighedFrom_; i < weighedTo_; ++i, to = to + 1 == half ? 0 : to + 1) {
    // A line's bins add nothing, but keep their place: no gaps at its spacing.
    if (weight_[i] <= 0 || flatSmooth_[i] <= 0 || (i < lines_.size() && lines_[i])) continue;
    const double ripple = weight_[i] * (power[i] / flatSmooth_[i] - 1);
    energy += ripple * ripple;
    work_[static_cast<std::size_t>(to)].re = static_cast<float>(ripple);
  }
  fft_.Transform(-1, work_, TransformLog2(static_cast<std::size_t>(half)));
  return energy;
}

// Adds the buffer's lags to the means; false when the buffer is too short
// to hold a symbol's lags.
bool SymbolRepetition::Accumulate(double energy, double level, float bufferSeconds) {
  // Lags in steps of two samples (the half-size transform), kept from half
  // the shortest symbol to twice the longest for the test of harmonics.
  shortest_ = static_cast<std::size_t>(kShortestSymbol * kSampleRate / 2);
  longest_ = std::min(static_cast<std::size_t>(n_ / 8), static_cast<std::size_t>(kLongestSymbol * kSampleRate / 2));
  if (longest_ <= shortest_ + 2 * kSpreadLags) return false;
  if (count_ == 0) {
    sum_.assign(2 * longest_ + 2, 0.0);
    squares_.assign(sum_.size(), 0.0);
    weightSquares_ = 0;
    level_ = level;
  }
  const double keep = std::max(1.0, kSumMemorySeconds / std::max(1e-3f, bufferSeconds));
  count_ = static_cast<std::int32_t>(std::min<double>(count_ + 1, keep));
  const double share = 1.0 / count_;
  weightSquares_ = (1 - share) * (1 - share) * weightSquares_ + share * share;
  level_ += share * (level - level_);
  const double scale = (n_ / 2) / std::sqrt(energy);
  for (std::size_t l = shortest_ / 2; l < sum_.size(); ++l) {
    const std::complex<double> r = std::complex<double>(work_[l].re, work_[l].im) * scale;
    sum_[l] += share * (r - sum_[l]);
    squares_[l] += share * (std::norm(r) - squares_[l]);
  }
  return true;
}

// Each lag's steady part against the spread, from buffer to buffer, of the
// lags round it: about 1 for noise at every lag, whatever the lag's share
// of the spectrum's shape, while a prefix's copy grows with the buffers. A
// comb of narrow lines (hum, a buzz, a voice) repeats at twice and three
// times its lag as well, or at half of it; a prefix's copy does not.
void SymbolRepetition::Judge() {
  const std::size_t shortest = shortest_, longest = longest_;
  // Running sums of the spreads: the lags round each at once.
  auto& sums = spreadSums_;
  sums.assign(longest + 2, 0.0);
  for (std::size_t l = shortest; l <= longest; ++l) sums[l + 1] = sums[l] + squares_[l];
  auto total = [&](std::size_t from, std::size_t to) { return to >= from ? sums[to + 1] - sums[from] : 0.0; };
  std::size_t peak = shortest;
  double best = 0, peakSpread = 0;
  for (std::size_t l = shortest; l <= longest; ++l) {
    // The lags round it, less its own peak's.
    const std::size_t from = l > shortest + kSpreadLags ? l - kSpreadLags : shortest;
    const std::size_t to = std::min(longest, l + kSpreadLags);
    const std::size_t ownFrom = std::max(from, l > kOwnLags ? l - kOwnLags : 0), ownTo = std::min(to, l + kOwnLags);
    const auto lags = static_cast<double>((to - from + 1) - (ownTo - ownFrom + 1));
    const double spread = lags > 0 ? (total(from, to) - total(ownFrom, ownTo)) / lags * weightSquares_ : 0.0;
    const double steady = spread > 0 ? std::norm(sum_[l]) / spread : 0.0;
    if (steady > best) best = steady, peak = l, peakSpread = spread;
  }
  // Half the lag, twice and three times it: a comb's peaks are broad (its
  // lines fill a narrow band) and found a few lags off, so the largest mean
  // of three neighbouring lags round where they should be.
  // Each lag's size is taken once and carried along the three.
  auto look = [&](std::size_t centre, std::size_t reach) {
    double most = 0;
    std::size_t c = std::max<std::size_t>(1, centre > reach ? centre - reach : 0);
    if (c + 1 >= sum_.size()) return most;
    double before = std::abs(sum_[c - 1]), at = std::abs(sum_[c]);
    for (; c <= centre + reach && c + 1 < sum_.size(); ++c) {
      const double after = std::abs(sum_[c + 1]);
      most = std::max(most, (before + at + after) / 3);
      before = at, at = after;
    }
    return most;
  };
  const double size = kHarmonic * std::abs(sum_[peak]), half = look(peak / 2, kHarmonicReach);
  // An OFDM's symbols leave a faint echo at half their lag too, which
  // beside a prefix still growing out of the noise reaches half its size:
  // at half the lag only an echo clear of the spread is a comb's.
  auto clear = [&](double echo) { return echo * echo >= kCombHalf * peakSpread; };
  const double multiple = std::max(look(2 * peak, 2 * kHarmonicReach), look(3 * peak, 3 * kHarmonicReach));
  const bool halfComb = half >= size && clear(half);
  figures_.anywhere = multiple >= size || halfComb ? 0.0 : best;
  // Beside a weak peak the largest of the many lags looked at round twice
  // and three times it reaches half its size by chance, a faded OFDM's for
  // seconds; in a band (hum's comb stands in none) only an echo clear of
  // the spread there is a comb's too.
  figures_.inBand = (multiple >= size && clear(multiple)) || halfComb ? 0.0 : best;
}

}  // namespace velmora
