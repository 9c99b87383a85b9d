#pragma once
// The transform of Fft with its twiddle tables kept between calls. The
// tables hold exactly the values Fft's recurrence produces, and the
// butterflies do exactly Fft's arithmetic (only grouped for the vector
// unit), so the results are the same numbers, bit for bit.
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/MathLib.h"

namespace velmora {

class FftPlan {
 public:
  // Transforms entries 0..2^log2n - 1 of data in place, like
  // Fft(direction, data, log2n). Direction 1 forward, -1 inverse.
  void Transform(int direction, std::span<Complex> data, int log2n);

  // Whether the vector path is in use on this processor.
  static bool VectorPath();

 private:
  struct Tables {
    int log2n = -1;
    std::vector<double> twiddles;  // per stage: half complex values, re and im interleaved
    std::vector<std::size_t> stageStart;
  };
  void Prepare(int direction, int log2n);
  void Reorder(std::span<Complex> data);

  Tables tables_[2];  // forward, inverse
  int swapsLog2n_ = -1;
  std::vector<std::uint32_t> swaps_;  // pairs of indices exchanged by the bit reversal
};

}  // namespace velmora
