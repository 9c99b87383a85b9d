#pragma once
// The order of day, month and year in the user's short dates, as the
// regional settings give it: the order AirMail writes its dates in.
#include "propagation/DateTimeText.h"

namespace velmora {

// Month first when the settings cannot be read.
DateOrder UserDateOrder();

}  // namespace velmora
