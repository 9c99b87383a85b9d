#include "analysis/DetectorLimits.h"

namespace velmora {
namespace {

bool Within(float value, float lowest, float highest) { return value >= lowest && value <= highest; }

void Keep(float& value, float before, float lowest, float highest) {
  if (!Within(value, lowest, highest)) value = before;
}

}  // namespace

void KeepAcceptedDetectorValues(const DetectorSettings& before, DetectorSettings& recalled) {
  Keep(recalled.centerFrequency, before.centerFrequency, kCenterFrequencyLowest, kCenterFrequencyHighest);
  Keep(recalled.centerFrequencyAutoFrequency, before.centerFrequencyAutoFrequency, kCenterFrequencyLowest,
       kCenterFrequencyHighest);
  Keep(recalled.cwFrequency, before.cwFrequency, 0, kNyquistHz);
  Keep(recalled.cwRange, before.cwRange, kCwRangeLowest, kNyquistHz);
  if (recalled.cwFrequency - recalled.cwRange < 0 || recalled.cwFrequency + recalled.cwRange > kNyquistHz) {
    recalled.cwFrequency = before.cwFrequency;
    recalled.cwRange = before.cwRange;
  }
  Keep(recalled.offsetFrequencyRange, before.offsetFrequencyRange, 0, kOffsetFrequencyHighest);
  Keep(recalled.offsetFrequencyStep, before.offsetFrequencyStep, 0, kOffsetFrequencyHighest);
}

}  // namespace velmora
