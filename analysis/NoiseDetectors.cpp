#include "analysis/NoiseDetectors.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/Format.h"
#include "common/SampleFormat.h"

namespace velmora {
namespace {

// Time constants of the two envelopes, per sample: fractions, not integer quotients.
constexpr float kFastRate = 20.0f / kSampleRateHz;
constexpr float kSlowRate = 5.0f / kSampleRateHz;
constexpr double kPeakBand = 1100;  // Hz each side of the centre

// The mean magnitude of the buffer: where both envelopes start.
float MeanDeviation(std::span<const std::int16_t> samples, float mean) {
  const std::size_t count = samples.size();
  double sum = 0;
  for (std::int16_t s : samples) sum += std::abs(static_cast<float>(s) - mean);
  return count ? static_cast<float>(sum / static_cast<double>(count)) : 0.0f;
}

// The largest and smallest envelope ratio of the buffer and where they fell (1-based).
struct BurstExtremes {
  float largest = -1e30f, smallest = 1e30f;
  long largestAt = 0, smallestAt = 0;

  void Take(float ratio, long position) {
    if (ratio >= largest) {  // an equal later value moves the position
      largest = ratio;
      largestAt = position;
    }
    if (ratio < smallest) {
      smallest = ratio;
      smallestAt = position;
    }
  }
};

// Burst noise when either extreme passes the threshold; the larger one is the reading.
bool ReportBurst(const BurstExtremes& extremes, const DetectorSettings& settings, DetectorResults& results,
                 DetectorDrawing& drawing, std::string& panelText) {
  const float threshold = settings.burstThreshold;
  const bool high = extremes.largest >= threshold;
  const bool low = extremes.smallest <= -threshold;
  const bool fired = high || low;
  if (fired) {
    panelText = "Burst Noise";
    results.burstDetected = true;
    if (drawing.Shown()) {
      if (high) drawing.TimeMarker(extremes.largestAt, TimeMarkerKind::Burst);
      if (low) drawing.TimeMarker(extremes.smallestAt, TimeMarkerKind::Burst);
    }
  }
  results.detectorValue = -extremes.smallest >= extremes.largest ? extremes.smallest : extremes.largest;
  results.burstText = FormatNumber(results.detectorValue, ".0");
  return fired;
}

}  // namespace

bool DetectPower(const PowerDensity& spectrum, const DetectorSettings& settings, DetectorResults& results) {
  const float level = spectrum.SignalLevel();
  results.detectorValue = level;
  results.powerText = FormatNumber(level, ".0");
  if (!(level >= settings.powerThreshold)) return false;
  results.powerDetected = true;
  return true;
}

// Moves both envelopes on by one sample's magnitude; returns by how many per
// cent the fast one stands above the slow one.
float BurstDetector::Follow(float x) {
  fast_ = (1 - kFastRate) * fast_ + kFastRate * x;
  slow_ = (1 - kSlowRate) * slow_ + kSlowRate * x;
  return slow_ == 0 ? 0.0f : (fast_ / slow_ - 1) * 100;
}

bool BurstDetector::Detect(const PowerDensity& spectrum, const DetectorSettings& settings,
                           DetectorResults& results, DetectorDrawing& drawing, std::string& panelText) {
  const auto samples = spectrum.Samples();
  const float mean = spectrum.SampleMean();
  const std::size_t count = samples.size();
  if (firstBuffer_) {
    fast_ = slow_ = MeanDeviation(samples, mean);
    firstBuffer_ = false;
  }

  const bool plot = settings.debugEnabled && drawing.Shown();
  std::vector<float> fastCurve, slowCurve;
  if (plot) {
    fastCurve.reserve(count);
    slowCurve.reserve(count);
  }

  BurstExtremes extremes;
  for (std::size_t i = 0; i < count; ++i) {
    const float x = std::abs(static_cast<float>(samples[i]) - mean);
    extremes.Take(Follow(x), static_cast<long>(i) + 1);
    if (plot) {
      fastCurve.push_back(mean + 2 * fast_);
      slowCurve.push_back(mean + 2 * slow_);
    }
  }

  const bool fired = ReportBurst(extremes, settings, results, drawing, panelText);
  if (plot) {
    drawing.TimeCurve(TimeCurveKind::BurstFast, fastCurve);
    drawing.TimeCurve(TimeCurveKind::BurstSlow, slowCurve);
  }
  return fired;
}

bool DetectPeak(const PowerDensity& spectrum, const DetectorSettings& settings, DetectorResults& results,
                DetectorDrawing& drawing, std::string& panelText) {
  const double center = settings.centerFrequency;
  const std::int32_t from = spectrum.Bin(center - kPeakBand);
  const std::int32_t to = spectrum.Bin(center + kPeakBand);
  double linear = 0;
  for (std::int32_t b = from; b <= to; ++b) linear += std::pow(10.0, static_cast<double>(spectrum.Density(b)) / 10);
  const float level = static_cast<float>(Db10(linear / (to - from + 1)));

  float peak = 0;
  for (std::int32_t b = from; b <= to; ++b) peak = std::max(peak, spectrum.Density(b) - level);
  results.peakValue = peak;
  results.peakText = FormatNumber(peak, "0.0");
  const bool fired = peak >= settings.peakThreshold;
  if (fired) {
    results.peakDetected = true;
    panelText = "Peak Noise";
  }
  if (settings.debugEnabled && drawing.Shown())
    drawing.SpectrumLevelLine(spectrum.Frequency(from), spectrum.Frequency(to), level);
  return fired;
}

}  // namespace velmora
