#pragma once
// Shifting a UTC date and time by hours, as the prediction time needs it.
#include "common/SystemLib.h"

namespace velmora {

// The time `hours` later (earlier when negative), across days, months and
// years. The result stays within the years 1 to 9999, however far the
// shift, and a shift that is no number shifts nothing: no value overflows
// the arithmetic.
UtcDateTime UtcAddHours(const UtcDateTime& time, double hours);

}  // namespace velmora
