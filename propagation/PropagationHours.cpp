#include "propagation/PropagationHours.h"

namespace velmora {

void PropagationHours::Reset(int hourCount, size_t frequencyCount) {
  *this = {};
  hours.assign(static_cast<size_t>(hourCount > 0 ? hourCount : 0),
               HourPrediction{0, 0, std::vector<FrequencyHour>(frequencyCount)});
}

}  // namespace velmora
