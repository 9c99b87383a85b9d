#include "analysis/DetectorStatistics.h"

#include <algorithm>
#include <cmath>

#include "common/Format.h"

namespace velmora {
namespace {

constexpr const char* kNames[] = {"Power:", "Pactor 2:", "Pactor 3:", "Burst Noise:", "Peak Noise:", "Digital:"};

}  // namespace

void DetectorStatistics::Add(StatisticsDetector k, bool hit, float value, float bufferSeconds) {
  StatisticsRecord& r = records_[Index(k)];
  ++r.count;
  r.seconds += bufferSeconds;
  if (hit) {
    ++r.hits;
    r.hitSeconds += bufferSeconds;
  }
  r.sum += value;
  r.sumSquares += static_cast<double>(value) * value;
  // The first value sets the peak: silence reads -127 dB, below the reset value.
  if (value > r.peak || r.count == 1) r.peak = value;
}

void DetectorStatistics::Reset() { records_.fill(StatisticsRecord{}); }

std::string DetectorStatistics::Text(StatisticsDetector k, float bufferSeconds) const {
  const StatisticsRecord& r = records_[Index(k)];
  std::string text = kNames[Index(k)];
  text += "\rCount " + IntegerText(r.count) + ", Hits " + IntegerText(r.hits);
  if (r.count <= 0) return text;

  // From the time the buffers counted lasted, not the buffer in hand's
  // duration times the count: the sample size may have changed between.
  const double rate = static_cast<double>(r.hits) / r.count;
  double seconds;
  if (k == StatisticsDetector::Power)
    seconds = r.hits > 0 ? r.hitSeconds : bufferSeconds;  // time the gate was open
  else
    seconds = r.hits > 0 ? r.seconds / r.hits : r.seconds;  // mean time between hits
  text += "\rRate " + FormatNumber(rate, "0.0e-0") + ", Secs " + FormatNumber(seconds, ".0");

  const double mean = r.sum / r.count;
  // The mean square is never below the squared mean; a steady value's
  // rounding takes it a hair below, which is no spread.
  const double variance = std::max(0.0, r.sumSquares / r.count - mean * mean);
  text += "\rMean " + FormatNumber(mean, ".0") + ", Std " + FormatNumber(std::sqrt(variance), ".0");
  text += "\rPeak " + FormatNumber(r.peak, ".0");
  return text;
}

bool StatisticsEnabled(StatisticsDetector k, const DetectorSettings& s) {
  switch (k) {
    case StatisticsDetector::Power:
      return s.powerEnabled;
    case StatisticsDetector::Pactor2:
      return s.pactor2Enabled;
    case StatisticsDetector::Pactor3:
      return s.pactor3Enabled;
    case StatisticsDetector::BurstNoise:
      return s.burstEnabled;
    case StatisticsDetector::PeakNoise:
      return s.peakEnabled;
    case StatisticsDetector::Digital:
      return s.digitalBusy;
  }
  return false;
}

void StatisticsUpdate(DetectorStatistics& statistics, const DetectorResults& r, const DetectorSettings& s,
                      float signalLevel, float bufferSeconds) {
  using K = StatisticsDetector;
  if (s.powerEnabled) statistics.Add(K::Power, r.powerDetected, signalLevel, bufferSeconds);
  if (s.pactor2Enabled) statistics.Add(K::Pactor2, r.pactor2Detected, r.pactor2Score, bufferSeconds);
  if (s.pactor3Enabled) statistics.Add(K::Pactor3, r.pactor3Detected, r.pactor3Score, bufferSeconds);
  if (s.burstEnabled) statistics.Add(K::BurstNoise, r.burstDetected, r.detectorValue, bufferSeconds);
  if (s.peakEnabled) statistics.Add(K::PeakNoise, r.peakDetected, r.peakValue, bufferSeconds);
  if (s.digitalBusy) statistics.Add(K::Digital, r.digitalDetected, r.digitalWidth, bufferSeconds);
}

}  // namespace velmora
