#include "autoconnect/RunStatistics.h"

namespace velmora {

namespace {
constexpr float kSnrFloor = 3;
}

void SnrStatistics::Add(float snr) {
  if (!(snr > kSnrFloor)) return;
  ++count;
  sum += snr;
  sumOfSquares += snr * snr;
  if (snr < minimum) minimum = snr;
  if (snr > maximum) maximum = snr;
}

}  // namespace velmora
