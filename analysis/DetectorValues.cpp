#include "analysis/DetectorValues.h"

namespace velmora {

namespace {
constexpr float kPactor2CenterFrequency = 1500;
}

void CenterFrequencySet(DetectorValues& values, bool pactor3Row) {
  if (!values.CenterFrequencyAuto()) return;
  values.SetCenterFrequency(pactor3Row ? values.CenterFrequencyAutoFrequency() : kPactor2CenterFrequency);
}

void CenterFrequencyRestore(DetectorValues& values) {
  if (values.CenterFrequencyAuto()) values.SetCenterFrequency(values.CenterFrequencyAutoFrequency());
}

}  // namespace velmora
