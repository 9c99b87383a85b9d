#pragma once
// The detectors' verdict on one buffer, handed from the signal side to the
// AutoConnect side once per processed buffer.
namespace velmora {

struct Verdict {
  bool valid = true;   // false when every sample of the buffer was the same, zero or not ("Low Input Level")
  bool busy = false;   // a Pactor 2 or Pactor 3 detector fired
  bool noise = false;  // a burst-noise or peak-noise detector fired
  bool pulse = false;  // the pulse detector is switched on and found a pulse (stops a playback)

  bool operator==(const Verdict&) const = default;
};

}  // namespace velmora
