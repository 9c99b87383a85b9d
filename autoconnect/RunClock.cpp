#include "autoconnect/RunClock.h"

namespace velmora {

double SystemRunClock::SecondsSinceMidnight() {
  UtcDateTime now = UtcNow();
  return now.hour * 3600.0 + now.minute * 60.0 + now.second + now.millisecond / 1000.0;
}

}  // namespace velmora
