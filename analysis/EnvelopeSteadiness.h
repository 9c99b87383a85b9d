#pragma once
// How steady the passband's envelope is: the mean of |z|^4 / (mean |z|^2)^2
// over short stretches, averaged over the last buffers. Noise, however a
// receiver filtered it, gives 2; a modem that keeps its amplitude (FSK,
// MFSK, PSK) gives less, down to 1 for one tone at a time. The stretches
// are short, so slow swings (AGC, fading, a voice's syllables) do not count;
// a crash raises the figure.
#include <cstdint>
#include <deque>
#include <span>

#include "analysis/MathLib.h"

namespace velmora {

class EnvelopeSteadiness {
 public:
  void Restart() { buffers_.clear(); }
  // The passband's analytic signal at half the sample rate (its ends wrap
  // round and are left out); kept for about `memorySeconds`.
  void Add(std::span<const Complex> analytic, float bufferSeconds);
  // The figure over the buffers kept; 2 (noise) when none.
  double Ratio() const;

 private:
  struct Buffer {
    double sum = 0;  // of the stretches' ratios
    std::int32_t stretches = 0;
  };
  std::deque<Buffer> buffers_;
};

}  // namespace velmora
