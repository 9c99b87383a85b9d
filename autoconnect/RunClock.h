#pragma once
// The times a run shows and logs: the UTC date and time, and the seconds
// that the status panels measure elapsed times with.
#include "common/SystemLib.h"

namespace velmora {

class RunClock {
 public:
  virtual ~RunClock() = default;
  virtual UtcDateTime Utc() = 0;
  // Seconds on a clock that never jumps, with fractions: midnight and the
  // system clock set back or forward leave an elapsed time as it is.
  virtual double Seconds() = 0;
};

class SystemRunClock final : public RunClock {
 public:
  UtcDateTime Utc() override { return UtcNow(); }
  double Seconds() override { return steady_.Seconds(); }

 private:
  SteadyClock steady_;
};

}  // namespace velmora
