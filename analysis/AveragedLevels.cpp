#include "analysis/AveragedLevels.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

constexpr std::int32_t kCellsOf = 2048;       // transform length whose bins are the cells (5.4 Hz)
constexpr double kLevelsMemorySeconds = 1.5;  // the average's time constant
constexpr double kSearchSeconds = 0.5;        // the lines and the band are looked for this often
constexpr double kLineSpread = 0.25;          // a line's power from buffer to buffer, at most (spread over mean)
constexpr double kFirstSpread = 0.5;          // what the first buffer is taken to show of it
constexpr std::int32_t kKnownAfter = 4;       // buffers before a line's spread can pass
constexpr double kStrongShare = 0.25;         // of the passband's power a strong line holds, at least
constexpr double kLineDb = 10;              // a line stands this far above the bins beside it
constexpr double kLineBesideHz = 20;        // ... from here
constexpr double kLineBesideToHz = 45;      // ... to here, on both sides
constexpr double kLineWidthHz = 16;         // a line's bins either side of its peak
constexpr double kHarmonicWidthHz = 8;      // a faint harmonic's bins either side of it
constexpr std::size_t kLeastHarmonics = 4;  // lines on multiples of one mains frequency: its harmonics
constexpr double kLowestMains = 45, kHighestMains = 65;  // Hz, round 50 and 60
constexpr double kMainsStep = 0.05;                      // Hz
constexpr double kHarmonicTolerance = 3.5;               // Hz off a multiple, at most (the cells are 5.4 Hz)
constexpr double kFloorRank = 0.2;                       // of the levels from the passband up to the quiet band
constexpr double kLevelHz = 25;                          // each side: the levels are smoothed over neighbours
constexpr double kBandTopDb = 6;                         // a band: the bins within this of its top
constexpr double kTopRank = 0.95;                        // the top, robust against a few high bins
constexpr std::int32_t kRankStride = 4;                  // cells apart, of those the ranks are taken from
constexpr double kFlatOverFloor = 2;                     // a flat top stands this far above the floor (3 dB)
constexpr double kBesideFromHz = 50;                     // the levels beside a band: from here
constexpr double kBesideToHz = 300;                      // ... to here off each edge
constexpr double kBandOverDb = 6;                        // a band stands this far above the levels beside it
constexpr double kBandNowDb = 3;                         // ... and this far in the present buffer alone
constexpr double kNarrowestHz = 300;                     // narrower: a carrier, keyed CW, a tone
constexpr double kWidestHz = 2100;                       // wider: perhaps a receiver's passband (2.4 kHz and more)
// ... unless the receiver's own noise lies flat beside it on one side: the
// passband is wider than the band. A filter's skirt falls away from its
// passband, and the floor beyond a steep one lies far below.
constexpr double kShoulderFlatDb = 1.5;    // the levels near the edge and further off differ by at most this
constexpr double kShoulderDeepestDb = 18;  // ... and lie at most this far below the band
// ... and no wider than this: a 2.4 kHz filter's noise measures 2400 Hz and
// more, and a buzz's harmonics below it or an ignition's broad floor can lie flat
// beside it.
constexpr double kWidestShoulderedHz = 2300;

// Cells of `resolution` Hz that `hz` spans, at least one.
std::int32_t CellsOf(double hz, double resolution) {
  return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(hz / resolution)));
}

// The cells of about 5 Hz whatever the length, so a long buffer costs no more.
// A cell of one bin is the bin itself (0 + x and x / 1 are x). The lengths
// are powers of two, and so are the groups: their mean is multiplied by the
// exact reciprocal, which rounds as the division does, without its cost.
void Group(std::span<const double> power, std::int32_t group, std::vector<double>& cells) {
  if (group == 1) {
    cells.assign(power.begin(), power.end());
    return;
  }
  cells.assign(power.size() / static_cast<std::size_t>(group), 0.0);
  const bool exact = (group & (group - 1)) == 0;
  const double reciprocal = 1.0 / group;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    for (std::size_t k = 0; k < static_cast<std::size_t>(group); ++k)
      cells[c] += power[c * static_cast<std::size_t>(group) + k];
    if (exact)
      cells[c] *= reciprocal;
    else
      cells[c] /= group;
  }
}

// The mean of the levels from one cell to another, both kept inside.
double MeanOf(std::span<const double> levels, std::int32_t from, std::int32_t to) {
  const auto top = static_cast<std::int32_t>(levels.size()) - 1;
  from = std::clamp(from, 0, top), to = std::clamp(to, 0, top);
  double sum = 0;
  for (std::int32_t c = from; c <= to; ++c) sum += levels[static_cast<std::size_t>(c)];
  return to >= from ? sum / (to - from + 1) : 0.0;
}

double LevelDb(double power, double reference) {
  return 10 * std::log10(std::max(1e-30, power) / std::max(1e-30, reference));
}

}  // namespace

// Running sums of a spectrum: the mean over any range of bins at once.
// They are made in a vector the caller keeps, sparing an allocation.
class AveragedLevels::Sums {
 public:
  Sums(std::span<const double> v, std::vector<double>& sums) : sums_(sums) {
    sums.assign(v.size() + 1, 0.0);
    for (std::size_t i = 0; i < v.size(); ++i) sums[i + 1] = sums[i] + v[i];
  }
  // Bins from..to, kept inside the spectrum; 0 when none is left.
  double Mean(std::int32_t from, std::int32_t to) const {
    const auto last = static_cast<std::int32_t>(sums_.size()) - 2;
    from = std::clamp(from, 0, last), to = std::clamp(to, 0, last);
    return to >= from
               ? (sums_[static_cast<std::size_t>(to) + 1] - sums_[static_cast<std::size_t>(from)]) / (to - from + 1)
               : 0.0;
  }
  // Each bin's mean over `half` bins either side, as Mean gives it: away
  // from the ends, where every range is whole, in a loop the compiler
  // packs two bins at a time.
  void Means(std::int32_t half, std::vector<double>& means) const {
    const auto bins = static_cast<std::int32_t>(sums_.size()) - 1;
    means.resize(static_cast<std::size_t>(bins));
    std::int32_t b = 0;
    for (; b < std::min(half, bins); ++b) means[static_cast<std::size_t>(b)] = Mean(b - half, b + half);
    const double count = 2 * half + 1;
    const double* sums = sums_.data();
    for (; b < bins - half; ++b)
      means[static_cast<std::size_t>(b)] =
          (sums[static_cast<std::size_t>(b + half) + 1] - sums[static_cast<std::size_t>(b - half)]) / count;
    for (; b < bins; ++b) means[static_cast<std::size_t>(b)] = Mean(b - half, b + half);
  }

 private:
  const std::vector<double>& sums_;
};

void AveragedLevels::Follow(const BandSignal& buffer, float bufferSeconds) {
  const std::int32_t group = std::max(1, buffer.N() / kCellsOf);
  Group(buffer.Power(), group, cells_);
  if (buffer.N() != n_ || mean_.size() != cells_.size()) first_ = true;
  group_ = group;
  if (first_) {
    n_ = buffer.N();
    mean_ = cells_;
    squares_.resize(mean_.size());
    for (std::size_t c = 0; c < mean_.size(); ++c)
      squares_[c] = mean_[c] * mean_[c] * (1 + kFirstSpread * kFirstSpread);
    buffers_ = 1;
    firstWeight_ = 1;
    share_ = 1;
    first_ = false;
  } else {
    // A plain mean of the buffers so far until the memory is full.
    ++buffers_;
    share_ = std::max(1.0 / buffers_, std::min(1.0, bufferSeconds / kLevelsMemorySeconds));
    firstWeight_ *= 1 - share_;
    for (std::size_t c = 0; c < mean_.size(); ++c) {
      mean_[c] += share_ * (cells_[c] - mean_[c]);
      squares_[c] += share_ * (cells_[c] * cells_[c] - squares_[c]);
    }
  }
  // The lines and the band move with the average: looked for every few
  // tenths of a second.
  sinceSearch_ += bufferSeconds;
  searched_ = buffers_ == 1 || sinceSearch_ >= kSearchSeconds;
  if (searched_) {
    // The lines and the levels from one set of running sums of the mean.
    const Sums sums(mean_, meanSums_);
    FindLines(buffer, sums);
    known_ = buffers_ >= kKnownAfter && pending_.empty();
    Levels(buffer, mean_, sums, lineFree_, level_);
    FindFlatTop(buffer);
    sinceSearch_ = 0;
  }
}

// Until a tone is first taken out the toneless mean is the mean itself,
// and the band is found on the levels already made.
void AveragedLevels::FollowBand(const BandSignal& buffer) {
  if (buffers_ == 1) {
    toneless_ = buffer.TonesOut();
    if (toneless_) Group(buffer.PowerWithoutTones(), group_, tonelessCells_), tonelessMean_ = tonelessCells_;
  } else if (toneless_ || buffer.TonesOut()) {
    Group(buffer.PowerWithoutTones(), group_, tonelessCells_);
    if (toneless_) {
      for (std::size_t c = 0; c < tonelessMean_.size(); ++c)
        tonelessMean_[c] += share_ * (tonelessCells_[c] - tonelessMean_[c]);
    } else {
      // The first tone out: the mean as it would be had this buffer come
      // in without its tones, until now the two were one.
      tonelessMean_ = mean_;
      for (std::size_t c = 0; c < tonelessMean_.size(); ++c)
        tonelessMean_[c] += share_ * (tonelessCells_[c] - cells_[c]);
      toneless_ = true;
    }
  }
  if (searched_) {
    if (toneless_) Levels(buffer, tonelessMean_, Sums(tonelessMean_, tonelessSums_), bandFree_, bandLevel_);
    FindBand(buffer, toneless_ ? bandFree_ : lineFree_, toneless_ ? bandLevel_ : level_);
    searched_ = false;
  }
  // Once a line's spread can pass, no band round one still to be told.
  narrow_ = modemWide_ && (buffers_ < kKnownAfter || pending_.empty()) &&
            Over(toneless_ ? tonelessCells_ : cells_) >= kBandNowDb;
}

// The band's mean level over the levels beside it, in dB.
double AveragedLevels::Over(std::span<const double> levels) const {
  const double beside = std::max(MeanOf(levels, low_ - besideTo_, low_ - besideFrom_),
                                 MeanOf(levels, high_ + besideFrom_, high_ + besideTo_));
  return LevelDb(MeanOf(levels, low_, high_), beside);
}

// Whether the levels beside the band lie flat on one side, not far below
// it: near the edge as further off.
bool AveragedLevels::Shouldered(std::span<const double> levels) const {
  const double band = MeanOf(levels, low_, high_);
  const std::int32_t middle = (besideFrom_ + besideTo_) / 2;
  auto flat = [&](std::int32_t nearFrom, std::int32_t nearTo, std::int32_t farFrom, std::int32_t farTo) {
    const double nearby = MeanOf(levels, nearFrom, nearTo);
    return std::abs(LevelDb(nearby, MeanOf(levels, farFrom, farTo))) <= kShoulderFlatDb &&
           LevelDb(band, nearby) <= kShoulderDeepestDb;
  };
  return flat(low_ - middle, low_ - besideFrom_, low_ - besideTo_, low_ - middle - 1) ||
         flat(high_ + besideFrom_, high_ + middle, high_ + middle + 1, high_ + besideTo_);
}

// A line is a peak far above the bins a little way off on either side: a
// modem's tones come with the spread of their keying beside them.
void AveragedLevels::FindLines(const BandSignal& buffer, const Sums& sums) {
  const std::int32_t first = buffer.FirstBin() / group_, last = buffer.LastBin() / group_;
  const auto top = static_cast<std::int32_t>(mean_.size()) - 1;
  lines_.assign(static_cast<std::size_t>(buffer.LastBin() - buffer.FirstBin() + 1), 0);
  leftOut_.clear();
  const double resolution = buffer.Resolution() * group_;
  const std::int32_t from = CellsOf(kLineBesideHz, resolution), to = std::max(from + 1, CellsOf(kLineBesideToHz, resolution));
  const double ratio = std::pow(10.0, kLineDb / 10);
  found_.clear();
  pending_.clear();
  const double passband = sums.Mean(first, last) * (last - first + 1);
  for (std::int32_t c = first; c <= last; ++c) {
    if (c - to < 0 || c + to > top) continue;
    const double peak = mean_[static_cast<std::size_t>(c)];
    if (peak < mean_[static_cast<std::size_t>(c - 1)] || peak < mean_[static_cast<std::size_t>(c + 1)]) continue;
    // Above both sides; a carrier strong enough to steady the passband's
    // envelope (its five cells) above one, as another may stand on the other.
    const double below = sums.Mean(c - to, c - from), above = sums.Mean(c + from, c + to);
    const bool strong = sums.Mean(c - 2, c + 2) * 5 >= kStrongShare * passband;
    if (peak < ratio * (strong ? std::min(below, above) : std::max(below, above))) continue;
    // Where the peak lies between cells (its parabola through three).
    const double a = mean_[static_cast<std::size_t>(c - 1)], b = peak, d = mean_[static_cast<std::size_t>(c + 1)];
    const double at = (c + (a - 2 * b + d < 0 ? 0.5 * (a - d) / (a - 2 * b + d) : 0.0)) * resolution;
    // Steady from buffer to buffer, as hum and carriers are; a modem's tone
    // comes and goes with its data.
    const double spread = std::sqrt(std::max(0.0, squares_[static_cast<std::size_t>(c)] - peak * peak));
    if (spread <= kLineSpread * peak) {
      found_.push_back(at);
      continue;
    }
    // Strong and steady but for what the first buffer is taken to show: a
    // line still to be told, which until then the envelope and a band would
    // take for a modem's.
    const double shown = firstWeight_ * kFirstSpread * kFirstSpread * peak * peak;
    if (strong && spread * spread - shown <= kLineSpread * kLineSpread * peak * peak) pending_.push_back(at);
  }
  tones_ = found_;
  tones_.insert(tones_.end(), pending_.begin(), pending_.end());
  for (double f : found_) LeaveOut(buffer, f, kLineWidthHz);
  // Lines on the multiples of one mains frequency (hum, a rectifier's
  // buzz): its weaker harmonics, each too faint to find alone, would still
  // add up to a comb; all of them are left out.
  const double fundamental = MainsHarmonics();
  mains_ = fundamental > 0;
  if (fundamental > 0)
    for (double f = fundamental * std::ceil(kModemBandLow / fundamental); f <= kModemBandHigh; f += fundamental)
      LeaveOut(buffer, f, kHarmonicWidthHz);
}

// The mains frequency that the most lines found sit on multiples of, when
// at least a few do; 0 when none.
double AveragedLevels::MainsHarmonics() const {
  if (found_.size() < kLeastHarmonics) return 0;
  double best = 0;
  std::size_t most = 0;
  for (double f0 = kLowestMains; f0 <= kHighestMains; f0 += kMainsStep) {
    std::size_t on = 0;
    for (double f : found_) on += std::abs(f - f0 * std::round(f / f0)) <= kHarmonicTolerance;
    if (on > most) most = on, best = f0;
  }
  if (most < kLeastHarmonics) return 0;
  // The step finds it only roughly, its high harmonics some Hz off: fitted
  // to the lines on it.
  double lines = 0, orders = 0;
  for (double f : found_) {
    const double order = std::round(f / best);
    if (std::abs(f - best * order) <= kHarmonicTolerance) lines += f * order, orders += order * order;
  }
  return lines / orders;
}

// The bins of a line at frequency f, `halfWidth` Hz either side, left out;
// the levels see its cells as the level beside it (Levels).
void AveragedLevels::LeaveOut(const BandSignal& buffer, double f, double halfWidth) {
  const double resolution = buffer.Resolution() * group_;
  const auto c = static_cast<std::int32_t>(std::lround(f / resolution));
  const std::int32_t width = CellsOf(halfWidth, resolution);
  const std::int32_t firstBin = buffer.FirstBin(), lastBin = buffer.LastBin();
  for (std::int32_t b = std::max(firstBin, (c - width) * group_); b <= std::min(lastBin, (c + width + 1) * group_ - 1);
       ++b)
    lines_[static_cast<std::size_t>(b - firstBin)] = 1;
  leftOut_.emplace_back(f, halfWidth);
}

// A mean with the lines' cells as the levels beside them, and each cell's
// level: the mean of its neighbourhood (compared as ratios, not dB).
void AveragedLevels::Levels(const BandSignal& buffer, std::span<const double> mean, const Sums& sums,
                            std::vector<double>& lineFree, std::vector<double>& level) {
  const double resolution = buffer.Resolution() * group_;
  auto bins = [&](double hz) { return CellsOf(hz, resolution); };
  const auto top = static_cast<std::int32_t>(mean.size()) - 1;
  lineFree.assign(mean.begin(), mean.end());
  const std::int32_t from = bins(kLineBesideHz), to = std::max(from + 1, bins(kLineBesideToHz));
  for (const auto& [f, halfWidth] : leftOut_) {
    const auto c = static_cast<std::int32_t>(std::lround(f / resolution));
    const std::int32_t width = bins(halfWidth);
    const double beside = std::max(sums.Mean(c - to, c - from), sums.Mean(c + from, c + to));
    for (std::int32_t k = std::max(0, c - width); k <= std::min(top, c + width); ++k)
      lineFree[static_cast<std::size_t>(k)] = beside;
  }
  const std::int32_t half = bins(kLevelHz);
  Sums(lineFree, freeSums_).Means(half, level);
}

// A rank of the levels from..to, from every fourth cell: they are smoothed
// over more.
double AveragedLevels::Rank(std::span<const double> level, std::int32_t from, std::int32_t to, double share) {
  levels_.clear();
  for (std::int32_t c = from; c <= to; c += kRankStride) levels_.push_back(level[static_cast<std::size_t>(c)]);
  const auto at = levels_.begin() + static_cast<std::ptrdiff_t>(share * static_cast<double>(levels_.size() - 1));
  std::nth_element(levels_.begin(), at, levels_.end());
  return *at;
}

// The floor, and the flat tops: above the floor and within reach of the
// top, not on a skirt.
void AveragedLevels::FindFlatTop(const BandSignal& buffer) {
  const std::int32_t first = buffer.FirstBin() / group_, last = buffer.LastBin() / group_;
  const auto top = static_cast<std::int32_t>(level_.size()) - 1;
  floor_ = Rank(level_, first, top, kFloorRank);
  const double reach = Rank(level_, first, last, kTopRank) * std::pow(10.0, -kBandTopDb / 10);
  const std::int32_t firstBin = buffer.FirstBin(), lastBin = buffer.LastBin();
  flatTop_.resize(static_cast<std::size_t>(lastBin - firstBin + 1));
  const double least = std::max(kFlatOverFloor * floor_, reach);
  // Bin b lies in cell b / group_, stepped along rather than divided for.
  for (std::int32_t b = firstBin, cell = firstBin / group_, in = firstBin % group_; b <= lastBin; ++b) {
    flatTop_[static_cast<std::size_t>(b - firstBin)] = level_[static_cast<std::size_t>(cell)] > least;
    if (++in == group_) in = 0, ++cell;
  }
}

// The run of cells within reach of the top round the strongest one, the
// steady tones out.
void AveragedLevels::FindBand(const BandSignal& buffer, std::span<const double> lineFree,
                              std::span<const double> level) {
  const std::int32_t first = buffer.FirstBin() / group_, last = buffer.LastBin() / group_;
  const double resolution = buffer.Resolution() * group_;
  auto bins = [&](double hz) { return CellsOf(hz, resolution); };
  const double reach = Rank(level, first, last, kTopRank) * std::pow(10.0, -kBandTopDb / 10);
  const auto strongest = static_cast<std::int32_t>(
      std::max_element(level.begin() + first, level.begin() + last + 1) - level.begin());
  low_ = high_ = strongest;
  while (low_ > first && level[static_cast<std::size_t>(low_ - 1)] > reach) --low_;
  while (high_ < last && level[static_cast<std::size_t>(high_ + 1)] > reach) ++high_;
  besideFrom_ = bins(kBesideFromHz);
  besideTo_ = bins(kBesideToHz);
  stands_ = Over(lineFree) >= kBandOverDb;
  bandLow_ = stands_ ? low_ * resolution : 0.0;
  bandHigh_ = stands_ ? high_ * resolution : 0.0;
  const double width = (high_ - low_) * resolution;
  modemWide_ = stands_ && width >= kNarrowestHz &&
               (width <= kWidestHz || (width <= kWidestShoulderedHz && Shouldered(lineFree)));
}

}  // namespace velmora
