#include "analysis/FftStages.h"

namespace velmora {
namespace {

// One stage's butterflies, blocks of span = 2·half entries, exactly as Fft
// computes them: sum and difference in single precision, the difference
// times the twiddle in double, rounded to single.
void StageScalar(Complex* data, std::size_t n, std::size_t half, const double* w) {
  const std::size_t span = 2 * half;
  for (std::size_t base = 0; base < n; base += span) {
    Complex* a = data + base;
    Complex* b = a + half;
    for (std::size_t j = 0; j < half; ++j) {
      const float diffRe = a[j].re - b[j].re, diffIm = a[j].im - b[j].im;
      a[j] = {a[j].re + b[j].re, a[j].im + b[j].im};
      const double wRe = w[2 * j], wIm = w[2 * j + 1];
      b[j] = {static_cast<float>(diffRe * wRe - diffIm * wIm), static_cast<float>(diffRe * wIm + diffIm * wRe)};
    }
  }
}

}  // namespace

void StageScalarOn(float* f, std::size_t n, std::size_t half, const StageTwiddles& w) {
  StageScalar(reinterpret_cast<Complex*>(f), n, half, w.interleaved);
}

}  // namespace velmora
