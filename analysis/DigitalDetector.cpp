#include "analysis/DigitalDetector.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "common/Format.h"

namespace velmora {
namespace {

constexpr double kPassLow = 200, kPassHigh = 3000;    // Hz, where the modems are looked for
constexpr double kQuietLow = 3400, kQuietHigh = 5000;  // Hz, empty above a modem, full in a crash
constexpr double kSmoothHz = 32;          // neighbours averaged: the noise's spread per bin shrinks
constexpr float kNewShare = 0.3f;         // of a bin's smoothed level that the new buffer brings
// The floor steps down ten times as fast as it rises, so it settles where a
// tenth of the levels lie below it; a carrier on for minutes sinks into it.
constexpr float kRiseDbPerSecond = 0.05f;
constexpr float kFallDbPerSecond = 0.5f;
constexpr float kCatchDown = 0.1f;       // of the distance to a level far below, per buffer
constexpr float kFloorSpreadDb = 6;      // a bin's floor above the passband's low floors, at most
constexpr float kOccupiedDb = 6;          // above the floor: a bin carries signal
constexpr double kEdgeShare = 0.05;       // of the occupied bins left outside each band edge
constexpr double kMinWidth = 300;         // Hz: narrower is a carrier, CW or a single tone
constexpr float kStrongDb = 10;           // below the band's strongest level: still strong
constexpr double kMinStrongHz = 80;       // strong over at least this much (a carrier: about 40 Hz)
constexpr double kMinFill = 0.3;          // occupied share of the band (tone grids included)
constexpr double kMaxQuietShare = 0.1;    // occupied share of the bins above the passband,
constexpr double kQuietToFill = 0.25;     // ... and at most this much of the band's own
constexpr double kNowDb = 5;              // mean rise of this buffer's band over the floor
constexpr float kQuietDb = 10;            // above the floor: a bin above the passband is not quiet
constexpr float kSplatterDb = 20;         // below the band's strongest: a modem's splatter
constexpr double kMinOverlap = 0.5;       // of two bands' union that both share
constexpr float kMaxCrest = 5;            // peak over RMS of the samples: above it, a crash

constexpr float kMaxKurtosis = 2.5f;     // of the samples: below it, an envelope steadier than noise's
constexpr float kSelfDb = 6;              // above the buffer's own low levels: a bin carries signal

// The buffer's samples in two figures: its peak over its RMS (an impulse
// stands far above the RMS; a modem's peaks, even OFDM's, which add up like
// noise, stay within a few times it) and its kurtosis (3 for noise however
// it was filtered, less for a modem whose envelope is steadier: PSK, FSK).
struct Shape {
  bool impulsive = false;
  bool steadyEnvelope = false;
};

Shape SampleShape(const PowerDensity& spectrum) {
  const float mean = spectrum.SampleMean();
  double second = 0, fourth = 0;
  float peak = 0;
  for (std::int16_t s : spectrum.Samples()) {
    const double v = static_cast<double>(s) - mean;
    second += v * v;
    fourth += v * v * v * v;
    peak = std::max(peak, static_cast<float>(std::abs(v)));
  }
  const double count = static_cast<double>(std::max<std::size_t>(1, spectrum.Samples().size()));
  const double power = second / count;
  if (power <= 0) return {};
  return {peak > kMaxCrest * std::sqrt(power), fourth / count < kMaxKurtosis * power * power};
}

// The first buffer's floor: a low rank of the passband's levels, so a modem
// already on keeps its band above it.
float LowRank(std::vector<float> levels) {
  const auto at = levels.begin() + static_cast<std::ptrdiff_t>(levels.size() / 5);
  std::nth_element(levels.begin(), at, levels.end());
  return *at;
}

double Overlap(const OccupiedBand& a, const OccupiedBand& b) {
  const double shared = std::min(a.high, b.high) - std::max(a.low, b.low);
  const double all = std::max(a.high, b.high) - std::min(a.low, b.low);
  return all > 0 ? std::max(0.0, shared) / all : 0.0;
}

}  // namespace

void DigitalDetector::Follow(const PowerDensity& spectrum, float bufferSeconds) {
  const std::int32_t n = spectrum.N();
  if (n != n_) first_ = true;
  if (first_) {
    n_ = n;
    firstBin_ = spectrum.Bin(kPassLow);
    lastBin_ = spectrum.Bin(kQuietHigh);
    level_.assign(static_cast<std::size_t>(lastBin_ - firstBin_ + 1), 0.0f);
    now_.assign(level_.size(), 0.0f);
    floor_.assign(level_.size(), 0.0f);
  }
  // A running mean of the dB levels over about kSmoothHz around each bin.
  const std::int32_t half = std::max<std::int32_t>(1, static_cast<std::int32_t>(kSmoothHz / spectrum.Resolution() / 2));
  const auto bins = spectrum.Spectrum();
  const std::int32_t top = n / 2 - 1;
  double sum = 0;
  std::int32_t count = 0;
  for (std::int32_t b = firstBin_ - half; b < firstBin_ + half && b <= top; ++b)
    if (b >= 0) sum += bins[static_cast<std::size_t>(b)].im, ++count;
  for (std::int32_t b = firstBin_; b <= lastBin_; ++b) {
    const std::int32_t enter = b + half, leave = b - half - 1;
    if (enter <= top) sum += bins[static_cast<std::size_t>(enter)].im, ++count;
    if (leave >= 0) sum -= bins[static_cast<std::size_t>(leave)].im, --count;
    const float mean = static_cast<float>(sum / std::max(1, count));
    now_[static_cast<std::size_t>(b - firstBin_)] = mean;
    float& level = level_[static_cast<std::size_t>(b - firstBin_)];
    level = first_ ? mean : level + kNewShare * (mean - level);
  }

  const auto passBins = spectrum.Bin(kPassHigh) - firstBin_ + 1;
  if (first_) {
    std::fill(floor_.begin(), floor_.end(), LowRank({level_.begin(), level_.begin() + passBins}));
    last_ = {};
    first_ = false;
  }
  const float rise = kRiseDbPerSecond * bufferSeconds, fall = kFallDbPerSecond * bufferSeconds;
  for (std::size_t i = 0; i < floor_.size(); ++i) {
    const float below = floor_[i] - level_[i];
    floor_[i] += below > 0 ? -std::max(fall, kCatchDown * below) : rise;
  }
  // Noise is smooth across the band: no bin's floor stands far above the
  // passband's low floors, so a modem on from the first buffer still shows.
  const float cap = LowRank({floor_.begin(), floor_.begin() + passBins}) + kFloorSpreadDb;
  for (std::size_t i = 0; i < floor_.size(); ++i) floor_[i] = std::min(floor_[i], cap);
}

// The bins from first to last that carry signal, less a few stray ones at
// each edge, so one noise spike does not widen the band.
DigitalDetector::Edges DigitalDetector::FindEdges(std::int32_t first, std::int32_t last,
                                                  const std::function<bool(std::int32_t)>& occupied) {
  Edges e;
  for (std::int32_t b = first; b <= last; ++b) e.inside += occupied(b);
  if (e.inside == 0) return e;
  const auto outside = static_cast<std::int32_t>(kEdgeShare * e.inside);
  std::int32_t seen = 0;
  for (std::int32_t b = first; b <= last; ++b)
    if (occupied(b) && seen++ == outside) e.low = b;
  seen = 0;
  for (std::int32_t b = last; b >= first; --b)
    if (occupied(b) && seen++ == outside) e.high = b;
  return e;
}

// A carrier, even keyed, is strong over a few tens of Hz; a modem's tones or
// carriers reach near its strongest level over a wider share of its band.
bool DigitalDetector::WideAndFilled(const Edges& e, const std::vector<float>& levels, float resolution) const {
  if (e.high <= e.low) return false;
  const auto from = levels.begin() + (e.low - firstBin_), to = levels.begin() + (e.high - firstBin_ + 1);
  const float strongest = *std::max_element(from, to);
  const auto strong = std::count_if(from, to, [&](float level) { return level >= strongest - kStrongDb; });
  const double fill = static_cast<double>(e.inside) / (e.high - e.low + 1);
  return (e.high - e.low) * resolution >= kMinWidth && fill >= kMinFill &&
         static_cast<double>(strong) * resolution >= kMinStrongHz;
}

OccupiedBand DigitalDetector::Measure(const PowerDensity& spectrum) const {
  const std::int32_t passLast = spectrum.Bin(kPassHigh);
  const Edges e = FindEdges(firstBin_, passLast, [&](std::int32_t b) {
    const auto i = static_cast<std::size_t>(b - firstBin_);
    return level_[i] > floor_[i] + kOccupiedDb;
  });
  if (e.high <= e.low) return {};
  OccupiedBand band{spectrum.Frequency(e.low), spectrum.Frequency(e.high), false};
  const auto strongest =
      *std::max_element(level_.begin() + (e.low - firstBin_), level_.begin() + (e.high - firstBin_ + 1));
  // Above the passband only what comes near the band's level counts: a
  // crash fills it so, a modem's own splatter stays far below.
  std::int32_t quiet = 0;
  const std::int32_t quietFirst = spectrum.Bin(kQuietLow);
  for (std::int32_t b = quietFirst; b <= lastBin_; ++b) {
    const auto i = static_cast<std::size_t>(b - firstBin_);
    quiet += level_[i] > floor_[i] + kQuietDb && level_[i] >= strongest - kSplatterDb;
  }
  const double fill = static_cast<double>(e.inside) / (e.high - e.low + 1);
  // The band in this very buffer, not only in the memory of the last ones:
  // a pause reads free at once.
  double rise = 0;
  for (std::int32_t b = e.low; b <= e.high; ++b) {
    const auto i = static_cast<std::size_t>(b - firstBin_);
    rise += now_[i] - floor_[i];
  }
  rise /= e.high - e.low + 1;
  const double quietShare = static_cast<double>(quiet) / std::max(1, lastBin_ - quietFirst + 1);
  band.modemLike = WideAndFilled(e, level_, spectrum.Resolution()) && rise >= kNowDb &&
                   quietShare <= std::min(kMaxQuietShare, kQuietToFill * fill);
  return band;
}

// Without the floor: a modem on since the first buffer (after a change of
// frequency, say) may fill the whole passband, so its band is measured
// against the buffer's own low levels, the quiet band above included. Noise
// behind a receiver's filter looks the same there; the steady envelope,
// which such noise never has, tells the two apart.
OccupiedBand DigitalDetector::MeasureAlone(const PowerDensity& spectrum) const {
  const float low = LowRank(now_);
  const Edges e = FindEdges(firstBin_, spectrum.Bin(kPassHigh), [&](std::int32_t b) {
    return now_[static_cast<std::size_t>(b - firstBin_)] > low + kSelfDb;
  });
  if (e.high <= e.low) return {};
  return {spectrum.Frequency(e.low), spectrum.Frequency(e.high), WideAndFilled(e, now_, spectrum.Resolution())};
}

bool DigitalDetector::Detect(const PowerDensity& spectrum, float bufferSeconds, bool speak, DetectorResults& results,
                             DetectorDrawing& drawing) {
  Follow(spectrum, bufferSeconds);
  const Shape shape = SampleShape(spectrum);
  OccupiedBand band = Measure(spectrum);
  band.modemLike = band.modemLike && !shape.impulsive;
  if (!band.modemLike && !shape.impulsive && shape.steadyEnvelope) {
    const OccupiedBand alone = MeasureAlone(spectrum);
    if (alone.modemLike) band = alone;
  }
  const bool steady = band.modemLike && last_.modemLike && Overlap(band, last_) >= kMinOverlap;
  last_ = band;
  results.digitalWidth = static_cast<float>(band.Width());
  results.digitalText = FormatNumber(results.digitalWidth, "0");
  if (!steady || !speak) return false;
  results.digitalDetected = true;
  if (drawing.Shown()) {
    // One marker at each edge of the band, over the floor there.
    for (double edge : {band.low, band.high}) {
      const float floor = floor_[static_cast<std::size_t>(spectrum.Bin(edge) - firstBin_)];
      drawing.SpectrumMarker(edge, floor + 20, floor - 20);
    }
  }
  return true;
}

}  // namespace velmora
