#pragma once
// Frequencies and the bins of an n-point spectrum. Bin b covers b·11025/n Hz;
// a frequency falls in the nearest bin. Every bin the detectors and the
// displays compute is kept inside the spectrum (0..n/2 - 1), however far the
// centre frequency, a search range or an offset points.
#include <cstdint>

#include "common/SampleFormat.h"

namespace velmora {


// A bin index kept to 0..n/2 - 1.
inline std::int32_t ClampBin(long long bin, std::int32_t n) {
  const long long last = n / 2 - 1;
  if (bin > last) bin = last;
  if (bin < 0) bin = 0;
  return static_cast<std::int32_t>(bin);
}

// The nearest bin of a frequency, round(f·n/11025), kept inside the spectrum.
std::int32_t BinOf(double frequency, std::int32_t n);

// The nearest whole number of bins of a frequency difference, unclamped
// (an offset shift, applied to bins that are then clamped).
std::int32_t BinShift(double frequency, std::int32_t n);

// b·11025/n.
double BinFrequency(std::int32_t bin, std::int32_t n);

}  // namespace velmora
