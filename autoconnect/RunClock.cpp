#include "autoconnect/RunClock.h"

namespace velmora {

namespace {
constexpr double kSecondsPerDay = 86400;
}

double SystemRunClock::SecondsSinceMidnight() {
  UtcDateTime now = UtcNow();
  return now.hour * 3600.0 + now.minute * 60.0 + now.second + now.millisecond / 1000.0;
}

double ElapsedSeconds(double start, double now) {
  double elapsed = now - start;
  return elapsed < 0 ? elapsed + kSecondsPerDay : elapsed;
}

}  // namespace velmora
