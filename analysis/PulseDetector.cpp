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

// The buffer's mean square, scaled: what a change of the window sums is measured against.
double PulseReference(std::span<const std::int16_t> samples, double mean) {
  const std::size_t count = samples.size();
  double squares = 0;
  for (std::int16_t s : samples) squares += (s - mean) * (s - mean);
  return count ? 0.1 * 450 * (squares / static_cast<double>(count)) : 0.0;
}

// The strongest change of energy between the two halves of the window so far.
struct PulseCandidate {
  double ratio = 0;
  double oldHalf = 0;
  double newHalf = 0;
  long at = 0;
};

// Sample i (1-based) replaces the best when its change is larger and both
// halves hold enough, evenly spread energy.
void ConsiderPulse(const PulseDetector::Sums& sums, long i, double reference, PulseCandidate& best) {
  const double candidate = std::abs(sums.older - sums.newer) / reference;
  if (candidate > best.ratio && sums.oldQuarter > kLeast && sums.newQuarter > kLeast &&
      Even(sums.oldHalf, sums.oldQuarter) && Even(sums.newHalf, sums.newQuarter)) {
    best.ratio = candidate;
    best.at = i - static_cast<long>(kHalfWindow);
    best.oldHalf = sums.oldHalf;
    best.newHalf = sums.newHalf;
  }
}

void ReportPulse(const PulseCandidate& best, const DetectorSettings& settings, DetectorResults& results,
                 DetectorDrawing& drawing, std::string& panelText) {
  results.pulseRatio = static_cast<float>(best.ratio);
  results.pulseValue = 0;
  if (best.ratio >= settings.pulseThreshold) {
    results.pulseDetected = true;
    if (drawing.Shown()) drawing.TimeMarker(best.at, TimeMarkerKind::Pulse);
    const double larger = std::max(best.oldHalf, best.newHalf), smaller = std::min(best.oldHalf, best.newHalf);
    results.pulseValue =
        best.oldHalf == best.newHalf ? -100.0f : static_cast<float>(Db10((larger - smaller) / smaller));
    results.pulseText = FormatNumber(results.pulseRatio, "0") + ", " + FormatNumber(results.pulseValue, "0");
    panelText += ", Snr " + FormatNumber(results.pulseValue, "0");
  } else {
    results.pulseText = FormatNumber(results.pulseRatio, "0");
  }
}

}  // namespace

void PulseDetector::Reset() {
  ring_.fill(0);
  write_ = 0;
  sums_ = {};
  low_ = 0;
  previousHigh_ = 0;
}

// Filters one sample and moves the window sums on by it; returns what the low-pass removed.
double PulseDetector::Filter(double x) {
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
  return high;
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
  const double reference = PulseReference(samples, mean);

  const bool plot = settings.debugEnabled && drawing.Shown();
  std::vector<float> filtered;
  if (plot) filtered.reserve(count);

  PulseCandidate best;
  for (std::size_t index = 0; index < count; ++index) {
    const long i = static_cast<long>(index) + 1;
    const double high = Filter(samples[index] - mean);
    if (plot) filtered.push_back(static_cast<float>(high));

    if (!busy || (first && i <= kFirstCandidate) || reference == 0) continue;
    ConsiderPulse(sums_, i, reference, best);
  }
  ReportPulse(best, settings, results, drawing, panelText);
  if (plot) drawing.TimeCurve(TimeCurveKind::PulseFiltered, filtered);
}

}  // namespace velmora
