#include "analysis/PulseDetector.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/Format.h"
#include "common/SampleFormat.h"

namespace velmora {
namespace {

// A first-order low-pass at 300 Hz; the detector works on what it removes.
constexpr double kLowPass = kTwoPi * 300 / kSampleRate;
constexpr double kLeast = 360000;  // least energy of a quarter window
constexpr std::size_t kHalfWindow = 500;
constexpr long kFirstCandidate = 999;  // on a first buffer, the ring must fill first

bool Even(double half, double quarter) {
  const double q = half / quarter / 2;
  return q > 0.8 && q < 1.2;
}

}  // namespace

void PulseDetector::Reset() {
  ring_.fill(0);
  write_ = 0;
  sums_ = {};
  low_ = 0;
  previousHigh_ = 0;
}

void PulseDetector::Detect(bool busy, const PowerDensity& spectrum, const DetectorSettings& settings,
                           DetectorResults& results, DetectorDrawing& drawing, std::string& panelText) {
  const bool first = firstBuffer_;
  if (firstBuffer_) {
    Reset();
    firstBuffer_ = false;
  }
  const auto samples = spectrum.Samples();
  const double mean = spectrum.SampleMean();
  const std::size_t count = samples.size();

  double squares = 0;
  for (std::int16_t s : samples) squares += (s - mean) * (s - mean);
  const double reference = count ? 0.1 * 450 * (squares / static_cast<double>(count)) : 0.0;

  const bool plot = settings.debugEnabled && drawing.Shown();
  std::vector<float> filtered;
  if (plot) filtered.reserve(count);

  double best = 0, bestOldHalf = 0, bestNewHalf = 0;
  long bestAt = 0;
  for (std::size_t index = 0; index < count; ++index) {
    const long i = static_cast<long>(index) + 1;
    const double x = samples[index] - mean;
    low_ = kLowPass * x + (1 - kLowPass) * low_;
    const double high = x - low_;
    const double e = previousHigh_ * previousHigh_;
    previousHigh_ = high;

    const double leaving = Age(1001);
    sums_.newQuarter += e - Age(225);
    sums_.newHalf += e - Age(450);
    sums_.newer += e - Age(kHalfWindow);
    sums_.oldQuarter += Age(776) - leaving;
    sums_.oldHalf += Age(551) - leaving;
    sums_.older += Age(kHalfWindow + 1) - leaving;
    ring_[write_] = e;
    write_ = (write_ + 1) % kRing;
    if (plot) filtered.push_back(static_cast<float>(high));

    if (!busy || (first && i <= kFirstCandidate) || reference == 0) continue;
    const double candidate = std::abs(sums_.older - sums_.newer) / reference;
    if (candidate > best && sums_.oldQuarter > kLeast && sums_.newQuarter > kLeast &&
        Even(sums_.oldHalf, sums_.oldQuarter) && Even(sums_.newHalf, sums_.newQuarter)) {
      best = candidate;
      bestAt = i - static_cast<long>(kHalfWindow);
      bestOldHalf = sums_.oldHalf;
      bestNewHalf = sums_.newHalf;
    }
  }

  results.pulseRatio = static_cast<float>(best);
  results.pulseValue = 0;
  if (best >= settings.pulseThreshold) {
    results.pulseDetected = true;
    if (drawing.Shown()) drawing.TimeMarker(bestAt, TimeMarkerKind::Pulse);
    const double larger = std::max(bestOldHalf, bestNewHalf), smaller = std::min(bestOldHalf, bestNewHalf);
    results.pulseValue = bestOldHalf == bestNewHalf ? -100.0f : static_cast<float>(Db10((larger - smaller) / smaller));
    results.pulseText = FormatNumber(results.pulseRatio, "0") + ", " + FormatNumber(results.pulseValue, "0");
    panelText += ", Snr " + FormatNumber(results.pulseValue, "0");
  } else {
    results.pulseText = FormatNumber(results.pulseRatio, "0");
  }
  if (plot) drawing.TimeCurve(TimeCurveKind::PulseFiltered, filtered);
}

}  // namespace velmora
