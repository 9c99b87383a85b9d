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

}  // namespace

bool DetectPower(const PowerDensity& spectrum, const DetectorSettings& settings, DetectorResults& results) {
  const float level = spectrum.SignalLevel();
  results.detectorValue = level;
  results.powerText = FormatNumber(level, ".0");
  if (!(level >= settings.powerThreshold)) return false;
  results.powerDetected = true;
  return true;
}

bool BurstDetector::Detect(const PowerDensity& spectrum, const DetectorSettings& settings,
                           DetectorResults& results, DetectorDrawing& drawing, std::string& panelText) {
  const auto samples = spectrum.Samples();
  const float mean = spectrum.SampleMean();
  const std::size_t count = samples.size();
  if (firstBuffer_) {
    double sum = 0;
    for (std::int16_t s : samples) sum += std::abs(static_cast<float>(s) - mean);
    fast_ = slow_ = count ? static_cast<float>(sum / static_cast<double>(count)) : 0.0f;
    firstBuffer_ = false;
  }

  const bool plot = settings.debugEnabled && drawing.Shown();
  std::vector<float> fastCurve, slowCurve;
  if (plot) {
    fastCurve.reserve(count);
    slowCurve.reserve(count);
  }

  float largest = -1e30f, smallest = 1e30f;
  long largestAt = 0, smallestAt = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const float x = std::abs(static_cast<float>(samples[i]) - mean);
    fast_ = (1 - kFastRate) * fast_ + kFastRate * x;
    slow_ = (1 - kSlowRate) * slow_ + kSlowRate * x;
    const float ratio = slow_ == 0 ? 0.0f : (fast_ / slow_ - 1) * 100;
    const long position = static_cast<long>(i) + 1;
    if (ratio >= largest) {  // an equal later value moves the position
      largest = ratio;
      largestAt = position;
    }
    if (ratio < smallest) {
      smallest = ratio;
      smallestAt = position;
    }
    if (plot) {
      fastCurve.push_back(mean + 2 * fast_);
      slowCurve.push_back(mean + 2 * slow_);
    }
  }

  const float threshold = settings.burstThreshold;
  const bool high = largest >= threshold;
  const bool low = smallest <= -threshold;
  const bool fired = high || low;
  if (fired) {
    panelText = "Burst Noise";
    results.burstDetected = true;
    if (drawing.Shown()) {
      if (high) drawing.TimeMarker(largestAt, TimeMarkerKind::Burst);
      if (low) drawing.TimeMarker(smallestAt, TimeMarkerKind::Burst);
    }
  }
  results.detectorValue = -smallest >= largest ? smallest : largest;
  results.burstText = FormatNumber(results.detectorValue, ".0");
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
