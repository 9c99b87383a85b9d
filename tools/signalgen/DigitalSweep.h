#pragma once
// "Digital Busy" measured on the modem sets: every family over the
// signal-to-noise ratios, the tuning set and the unseen set side by side,
// on from the first buffer and after the channel alone; each variant at
// 10 and 5 dB; the families through a receiver; the receiver's noises,
// transmissions that are no modem, and the Pactor forms, with the option
// off and on.
#include <iosfwd>

#include "tools/signalgen/Sweep.h"

namespace velmora::signalgen {

struct DigitalSweepOptions {
  SweepOptions sweep;
  bool tuningOnly = false;  // leave the unseen set out (while choosing rules and thresholds)
};

void RunDigitalSweep(const DigitalSweepOptions& options, std::ostream& out);

}  // namespace velmora::signalgen
