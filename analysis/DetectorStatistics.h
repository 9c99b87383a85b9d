#pragma once
// Statistics of the six main detectors, kept while the Options dialog is
// shown: how often each ran and fired, and the mean, spread and peak of the
// value beside it.
#include <array>
#include <cstdint>
#include <string>

#include "analysis/DetectorResults.h"
#include "analysis/DetectorSettings.h"

namespace velmora {

enum class StatisticsDetector { Power = 1, Pactor2 = 2, Pactor3 = 3, BurstNoise = 4, PeakNoise = 5, Digital = 6 };
inline constexpr int kStatisticsDetectors = 6;

struct StatisticsRecord {
  std::int32_t count = 0;
  double sum = 0;
  double sumSquares = 0;
  float peak = -100;
  std::int32_t hits = 0;
  // The time the buffers counted lasted, all and those that hit: a buffer's
  // duration changes with the sample size.
  double seconds = 0;
  double hitSeconds = 0;
};

class DetectorStatistics {
 public:
  void Add(StatisticsDetector k, bool hit, float value, float bufferSeconds);
  void Reset();
  // The detector's name, the counts and, once it ran, rate, seconds, mean,
  // spread and peak, on lines separated by carriage returns.
  // bufferSeconds is the duration of the buffer in hand.
  std::string Text(StatisticsDetector k, float bufferSeconds) const;
  const StatisticsRecord& Record(StatisticsDetector k) const { return records_[Index(k)]; }

 private:
  static std::size_t Index(StatisticsDetector k) { return static_cast<std::size_t>(k) - 1; }
  std::array<StatisticsRecord, kStatisticsDetectors> records_{};
};

// What the Options dialog adds after each buffer while it is shown: each
// enabled detector with its hit flag and the value its label shows.
void StatisticsUpdate(DetectorStatistics& statistics, const DetectorResults& results,
                      const DetectorSettings& settings, float signalLevel, float bufferSeconds);

// Whether the detector is switched on in the settings.
bool StatisticsEnabled(StatisticsDetector k, const DetectorSettings& settings);

}  // namespace velmora
