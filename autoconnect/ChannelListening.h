#pragma once
// Where the AutoConnect steps tell what they heard: each buffer listened to
// on a frequency (by the calling modes, the scan, the noise collection and
// the reference measurement) with its length and whether it was judged
// busy, and the end of a run, when what was heard is to be kept. The
// window side keeps the occupancy record behind it.
#include "airmail/AutomationSeams.h"

namespace velmora {

class ChannelListening {
 public:
  virtual ~ChannelListening() = default;
  virtual void Heard(const CallTarget& where, double seconds, bool busy) = 0;
  virtual void ListeningEnded() = 0;
};

}  // namespace velmora
