#pragma once
// "Digital Busy" measured on the modem sets: every family over the
// signal-to-noise ratios, the tuning set and the unseen set side by side,
// on from the first buffer and after the channel alone; each variant at
// 10 and 5 dB; the families through a receiver; the receiver's noises,
// transmissions that are no modem, and the Pactor forms, with the option
// off and on; or the modems through fading channels.
#include <iosfwd>
#include <vector>

#include "tools/signalgen/FadingChannel.h"
#include "tools/signalgen/Sweep.h"

namespace velmora::signalgen {

struct DigitalSweepOptions {
  SweepOptions sweep;
  bool tuningOnly = false;  // leave the unseen set out (while choosing rules and thresholds)
  // Not empty: the modems through these channels alone, at 5 and 10 dB;
  // with the delays and spreads kept apart if asked.
  std::vector<FadingChannel> fading;
  bool keptApartChannels = false;
  // More than 0: every variant through those channels on this many seeds
  // no rule was chosen on, at 10 dB, in place of the two sets.
  int freshSeeds = 0;
};

void RunDigitalSweep(const DigitalSweepOptions& options, std::ostream& out);

}  // namespace velmora::signalgen
