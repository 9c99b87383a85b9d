#include "analysis/Bins.h"

#include <cmath>

namespace velmora {
namespace {

// Half away from zero, as round() does; out-of-range and NaN values are
// brought to the nearest end first so the conversion is always defined.
long long RoundBins(double bins) {
  if (!(bins > -1e9)) return bins != bins ? 0 : -1000000000LL;
  if (bins > 1e9) return 1000000000LL;
  return std::llround(bins);
}

}  // namespace

std::int32_t BinOf(double frequency, std::int32_t n) {
  return ClampBin(RoundBins(frequency * n / kSampleRateHz), n);
}

std::int32_t BinShift(double frequency, std::int32_t n) {
  return static_cast<std::int32_t>(RoundBins(frequency * n / kSampleRateHz));
}

double BinFrequency(std::int32_t bin, std::int32_t n) { return static_cast<double>(bin) * kSampleRateHz / n; }

}  // namespace velmora
