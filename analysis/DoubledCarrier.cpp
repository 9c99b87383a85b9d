#include "analysis/DoubledCarrier.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

constexpr double kCellHz = 5.4;              // the spectrum's cells
constexpr double kCarrierMemorySeconds = 1;  // the average's time constant
constexpr double kJudgedAfter = 0.75;        // seconds: over fewer buffers noise's strongest cell strays far
constexpr double kCarrierWrapShare = 0.1;    // of each end left out: the window nearly closes there
// Seconds between two buffers looked at: the line needs no more, and the
// detector's cost stays small.
constexpr double kLookEvery = 0.35;
// A line's own skirt (a fading channel's Doppler widens it), then the cells
// either side it is measured against.
constexpr std::int32_t kSkirtCells = 2, kAroundCells = 12;
// Another line this near the strongest's height elsewhere: a comb (hum's,
// FSK's); a 2-PSK's next strongest cell stays under a third of its line.
constexpr double kSecondShare = 0.45;

}  // namespace

void DoubledCarrier::Add(std::span<const Complex> analytic, double rate, float bufferSeconds) {
  if (analytic.size() < 16) return;
  if (static_cast<std::int32_t>(analytic.size()) != size_) Shape(analytic.size(), rate);
  sinceLook_ += bufferSeconds;
  if (count_ > 0 && sinceLook_ < kLookEvery) return;
  const double step = count_ > 0 ? sinceLook_ : bufferSeconds;
  sinceLook_ = 0;
  Square(analytic);
  if (count_ == 0) mean_.assign(cells_.size(), 0.0), heard_ = 0;
  // The first buffers count evenly, then the older ones fade.
  const double weight = std::max(std::min(1.0, step / kCarrierMemorySeconds), 1.0 / (count_ + 1));
  for (std::size_t c = 0; c < cells_.size(); ++c) mean_[c] += weight * (cells_[c] - mean_[c]);
  ++count_;
  heard_ += step;
  // One look alone does not count: it stands for two buffers or more,
  // which would pass for a modem found for a while.
  const double last = judged_;
  judged_ = heard_ >= kJudgedAfter ? Judge() : 0.0;
  ratio_ = std::min(last, judged_);
}

// The cells and the weighting of the squared signal's middle for a length.
void DoubledCarrier::Shape(std::size_t size, double rate) {
  size_ = static_cast<std::int32_t>(size);
  cellBins_ = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(kCellHz * size_ / rate)));
  count_ = 0;
  skip_ = static_cast<std::size_t>(kCarrierWrapShare * static_cast<double>(size));
  const auto length = static_cast<int>(size - 2 * skip_);
  hann_.resize(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i) hann_[static_cast<std::size_t>(i)] = WindowWeight(2, i + 1, length);
}

// The squared signal's middle over its mean power, Hann weighted, and its
// power spectrum summed into cells.
void DoubledCarrier::Square(std::span<const Complex> analytic) {
  const auto size = analytic.size();
  const auto middle = analytic.subspan(skip_, hann_.size());
  double power = 0;
  for (const Complex& z : middle) power += static_cast<double>(z.re) * z.re + static_cast<double>(z.im) * z.im;
  power = std::max(power / static_cast<double>(middle.size()), 1e-30);
  work_.assign(size, Complex{});
  for (std::size_t i = 0; i < middle.size(); ++i) {
    const double re = middle[i].re, im = middle[i].im;
    const double hann = hann_[i] / power;
    work_[i] = {static_cast<float>((re * re - im * im) * hann), static_cast<float>(2 * re * im * hann)};
  }
  fft_.Transform(1, work_, TransformLog2(size));
  // Cell by cell, its bins in turn (no division per bin to find its cell).
  cells_.assign(size / static_cast<std::size_t>(cellBins_), 0.0);
  for (std::size_t c = 0, b = 0; c < cells_.size(); ++c)
    for (std::int32_t k = 0; k < cellBins_; ++k, ++b)
      cells_[c] += static_cast<double>(work_[b].re) * work_[b].re + static_cast<double>(work_[b].im) * work_[b].im;
}

// The mean of the cells either side of a cell beyond its skirt (the
// spectrum wraps round).
double DoubledCarrier::Around(std::int32_t cell) const {
  const std::int32_t pad = kSkirtCells + kAroundCells + 1;
  auto sum = [&](std::int32_t from, std::int32_t to) { return sums_[to + pad] - sums_[from + pad]; };
  return (sum(cell - kSkirtCells - kAroundCells, cell - kSkirtCells) +
          sum(cell + kSkirtCells + 1, cell + kSkirtCells + kAroundCells + 1)) /
         (2 * kAroundCells);
}

// The strongest cell (with its stronger neighbour: a line between two
// cells) over the cells round it; 0 when another line elsewhere stands
// near as high.
double DoubledCarrier::Judge() {
  const auto cells = static_cast<std::int32_t>(mean_.size());
  const std::int32_t pad = kSkirtCells + kAroundCells + 1;
  if (cells <= 2 * pad) return 0;
  sums_.assign(static_cast<std::size_t>(cells + 2 * pad + 1), 0.0);
  // The cells wrap round: the index is stepped along, not divided for.
  for (std::int32_t i = 0, c = cells - pad; i < cells + 2 * pad; ++i, c = c + 1 == cells ? 0 : c + 1)
    sums_[i + 1] = sums_[i] + mean_[static_cast<std::size_t>(c)];
  ratios_.assign(mean_.size(), 0.0);
  std::int32_t best = 0;
  for (std::int32_t c = 0; c < cells; ++c) {
    const double around = Around(c);
    if (around <= 0) continue;
    const std::int32_t below = c == 0 ? cells - 1 : c - 1, above = c + 1 == cells ? 0 : c + 1;
    ratios_[c] = (mean_[c] + std::max(mean_[below], mean_[above])) / around;
    if (ratios_[c] > ratios_[best]) best = c;
  }
  for (std::int32_t c = 0; c < cells; ++c) {
    const std::int32_t apart = std::abs(c - best);
    if (std::min(apart, cells - apart) > kSkirtCells + 1 && ratios_[c] >= kSecondShare * ratios_[best]) return 0;
  }
  return ratios_[best];
}

}  // namespace velmora
