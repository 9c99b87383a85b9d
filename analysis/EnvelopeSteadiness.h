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
  void Restart() { buffers_.clear(), clipping_.clear(); }
  // The passband's analytic signal at `rate` samples a second (its ends,
  // where the analysis window closes, are left out); the figure follows the
  // last buffers of about 0.7 s. From the buffer's samples it knows when
  // the input clips at full scale (over the last 2 s), and says nothing then.
  void Add(std::span<const Complex> analytic, double rate, float bufferSeconds,
           std::span<const std::int16_t> samples);
  // The figure over the buffers kept; 2 (noise) when none or clipping.
  double Ratio() const;

 private:
  struct Buffer {
    double sum = 0;  // of the stretches' ratios
    std::int32_t stretches = 0;
  };
  std::deque<Buffer> buffers_;
  struct Clipping {
    std::size_t clipped = 0, samples = 0;
  };
  std::deque<Clipping> clipping_;  // per buffer, over a longer memory
};

}  // namespace velmora
