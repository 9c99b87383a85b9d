#pragma once
// The times a run shows and logs: the UTC date and time, and the time of
// day that the status panels measure elapsed times with.
#include "common/SystemLib.h"

namespace velmora {

class RunClock {
 public:
  virtual ~RunClock() = default;
  virtual UtcDateTime Utc() = 0;
  virtual double SecondsSinceMidnight() = 0;  // UTC, with fractions
};

class SystemRunClock final : public RunClock {
 public:
  UtcDateTime Utc() override { return UtcNow(); }
  double SecondsSinceMidnight() override;
};

}  // namespace velmora
