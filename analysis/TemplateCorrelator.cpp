#include "analysis/TemplateCorrelator.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace velmora {
namespace {

constexpr float kBaseline = 0.04f;
constexpr double kLobeHalfWidth = 90;  // Hz
// The most steps one offset search takes: a finer step is raised to the
// range divided by this. Finer steps only land on the same bins again (one
// shift per bin is the most that can tell offsets apart), and every search
// must fit in a buffer's time.
constexpr float kMostOffsetSteps = 512;
// The measured bands kept for one buffer, in values (8 MB); the shifts
// beyond are measured again for each template.
constexpr std::size_t kMostKeptValues = std::size_t{1} << 20;

}  // namespace

SpectrumTemplate BuildTemplate(std::int32_t n, double lo, double hi, std::span<const double> tones) {
  SpectrumTemplate t;
  t.n = n;
  t.firstBin = BinOf(lo, n);
  t.lastBin = std::max(t.firstBin, BinOf(hi, n));
  const std::int32_t count = t.Count();
  t.levels.assign(static_cast<std::size_t>(count), kBaseline);

  for (double f : tones) {
    const std::int32_t from = std::max(BinOf(f - kLobeHalfWidth, n), t.firstBin);
    const std::int32_t to = std::min(BinOf(f + kLobeHalfWidth, n), t.lastBin);
    for (std::int32_t b = from; b <= to; ++b) {
      const double d = BinFrequency(b, n) - f;
      if (std::abs(d) >= kLobeHalfWidth) continue;
      const double x = std::abs(d) * kPi / kLobeHalfWidth;
      const float value = x == 0 ? 1.0f : static_cast<float>(std::sin(x) / x);
      float& level = t.levels[static_cast<std::size_t>(b - t.firstBin)];
      if (value > level) level = value;
    }
  }

  double sum = 0;
  for (float& level : t.levels) {
    level = static_cast<float>(Db10(level));
    sum += level;
  }
  t.mean = static_cast<float>(sum / count);
  t.centred.resize(t.levels.size());
  t.sumSquares = 0;
  for (std::size_t i = 0; i < t.levels.size(); ++i) {
    t.centred[i] = static_cast<double>(t.levels[i]) - t.mean;
    t.sumSquares += t.centred[i] * t.centred[i];
  }
  return t;
}

void TemplateCorrelator::Begin(const PowerDensity& spectrum) {
  spectrum_ = &spectrum;
  const std::size_t bins = static_cast<std::size_t>(spectrum.N() / 2);
  if (linear_.size() < bins) {
    linear_.resize(bins);
    linearMark_.assign(bins, 0);
    generation_ = 0;
  }
  if (++generation_ == 0) {  // wrapped: start the marks again
    std::fill(linearMark_.begin(), linearMark_.end(), 0);
    generation_ = 1;
  }
  bandsUsed_ = 0;
  keptValues_ = 0;
  lastFound_ = 0;
}

double TemplateCorrelator::Linear(std::int32_t bin) {
  if (linearMark_[bin] != generation_) {
    linear_[bin] = std::pow(10.0, static_cast<double>(spectrum_->Density(bin)) / 10);
    linearMark_[bin] = generation_;
  }
  return linear_[bin];
}

const TemplateCorrelator::Band& TemplateCorrelator::BandAt(std::int32_t firstBin, std::int32_t lastBin,
                                                          std::int32_t shift) {
  auto same = [&](const Band& b) { return b.firstBin == firstBin && b.lastBin == lastBin && b.shift == shift; };
  // The templates of a band walk the same shifts in the same order, so the
  // band wanted is mostly the one after the last found.
  if (lastFound_ + 1 < bandsUsed_ && same(bands_[lastFound_ + 1])) return bands_[++lastFound_];
  for (std::size_t i = 0; i < bandsUsed_; ++i)
    if (same(bands_[i])) return bands_[lastFound_ = i];

  const std::size_t count = static_cast<std::size_t>(lastBin - firstBin + 1);
  Band* slot = &scratch_;
  if (keptValues_ + count <= kMostKeptValues) {
    if (bandsUsed_ == bands_.size()) bands_.emplace_back();
    lastFound_ = bandsUsed_;
    slot = &bands_[bandsUsed_++];
    keptValues_ += count;
  }
  Band& band = *slot;
  band.firstBin = firstBin;
  band.lastBin = lastBin;
  band.shift = shift;
  const std::int32_t n = spectrum_->N();

  // The reads of the band at this shift, kept inside the spectrum.
  const std::int32_t first = firstBin + shift, last = lastBin + shift;
  const bool inside = first >= 0 && last <= n / 2 - 1;
  const Complex* spectrum = spectrum_->Spectrum().data();  // densities in the imaginary parts
  auto bin = [&](std::int32_t b) { return inside ? b + shift : ClampBin(static_cast<long long>(b) + shift, n); };

  double linear = 0;
  for (std::int32_t b = firstBin; b <= lastBin; ++b) linear += Linear(bin(b));
  band.level = static_cast<float>(Db10(linear / count));

  band.deviations.resize(count);
  band.sumSquares = 0;
  const double level = band.level;
  for (std::int32_t b = firstBin; b <= lastBin; ++b) {
    const double a = static_cast<double>(spectrum[bin(b)].im) - level;
    band.deviations[static_cast<std::size_t>(b - firstBin)] = a;
    band.sumSquares += a * a;
  }
  return band;
}

float TemplateCorrelator::Score(const SpectrumTemplate& tmpl, const Band& band) const {
  const std::size_t count = tmpl.centred.size();
  double cross = 0;
  for (std::size_t i = 0; i < count; ++i) cross += band.deviations[i] * tmpl.centred[i];
  const double m = static_cast<double>(count);
  const double sa = std::sqrt(band.sumSquares / m);
  const double st = std::sqrt(tmpl.sumSquares / m);
  const double r = sa != 0 && cross != 0 ? cross / (st * sa * m) : 0;
  return static_cast<float>(100 * r);
}

Correlation TemplateCorrelator::Correlate(const SpectrumTemplate& tmpl, float range, float step) {
  Correlation result;
  if (!spectrum_ || tmpl.Count() < 1 || tmpl.n != spectrum_->N()) return result;
  if (!OffsetSearch(range, step)) {
    range = 0;
    step = 1;
  }
  step = std::max(step, 2 * range / kMostOffsetSteps);
  const std::int32_t n = spectrum_->N();
  // Beyond these shifts every read lands on the same edge bin, so the band
  // looks the same: the first such offset keeps its score.
  const std::int32_t lowestShift = -tmpl.lastBin;
  const std::int32_t highestShift = (n / 2 - 1) - tmpl.firstBin;

  std::int32_t lastShift = INT_MIN;
  long offsets = 0;
  for (float off = -range; off <= range && offsets <= kMostOffsetSteps; ++offsets) {
    const std::int32_t shift = std::clamp(BinShift(off, n), lowestShift, highestShift);
    // Offsets that fall on the bin shift already scored give the same
    // score, which cannot beat the best (ties go to the earlier offset).
    if (shift != lastShift) {
      const Band& band = BandAt(tmpl.firstBin, tmpl.lastBin, shift);
      result.bandLevel = band.level;
      const float score = Score(tmpl, band);
      if (score > result.score) {
        result.score = score;
        result.offset = off;
      }
      lastShift = shift;
    }
    const float next = off + step;
    if (!(next > off)) break;  // the step is lost in the offset's rounding
    off = next;
  }
  return result;
}

}  // namespace velmora
