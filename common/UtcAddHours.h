#pragma once
// Shifting a UTC date and time by hours, as the prediction time needs it.
#include "common/SystemLib.h"

namespace velmora {

// The time `hours` later (earlier when negative), across days, months and years.
UtcDateTime UtcAddHours(const UtcDateTime& time, double hours);

}  // namespace velmora
