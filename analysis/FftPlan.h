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

// The exponent of the least power of two that holds n entries: the
// log2n of a transform over them.
inline int TransformLog2(std::size_t n) {
  int log2n = 0;
  while ((std::size_t{1} << log2n) < n) ++log2n;
  return log2n;
}

// How the butterflies are computed; every path gives the same numbers.
enum class FftPath { Scalar = 0, Avx = 1, Avx512 = 2 };

class FftPlan {
 public:
  // The fastest path the processor has, or a chosen one (tests compare them).
  FftPlan() : path_(BestPath()) {}
  explicit FftPlan(FftPath path) : path_(Supported(path) ? path : FftPath::Scalar) {}

  // Transforms entries 0..2^log2n - 1 of data in place, like
  // Fft(direction, data, log2n). Direction 1 forward, -1 inverse.
  void Transform(int direction, std::span<Complex> data, int log2n);

  static FftPath BestPath();
  static bool Supported(FftPath path);
  FftPath Path() const { return path_; }

 private:
  struct Tables {
    int log2n = -1;
    std::vector<double> twiddles;  // per stage: half complex values, re and im interleaved
    std::vector<double> split;     // the same per stage: half real parts, then half imaginary parts
    std::vector<double> lanes;     // the same per stage in groups of eight, in the AVX kernel's order
    std::vector<std::size_t> stageStart;
  };
  void Prepare(int direction, int log2n);
  void Reorder(std::span<Complex> data, int log2n);

  FftPath path_;
  Tables tables_[2];  // forward, inverse
  int swapsLog2n_ = -1;
  std::vector<std::uint32_t> swaps_;  // small transforms: pairs of indices exchanged by the bit reversal
  std::vector<Complex> scratch_;       // large transforms: the data before the reordering
};

}  // namespace velmora
