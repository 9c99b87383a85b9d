#include "analysis/FftPlan.h"

#include <cmath>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VELMORA_X86 1
#endif

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

void TransformScalar(Complex* data, int log2n, const std::vector<double>& twiddles,
                     const std::vector<std::size_t>& stageStart) {
  const std::size_t n = std::size_t{1} << log2n;
  for (int stage = 1; stage <= log2n; ++stage) {
    StageScalar(data, n, n >> stage, twiddles.data() + stageStart[stage]);
  }
}

#ifdef VELMORA_X86
// (d.re·w.re - d.im·w.im, d.re·w.im + d.im·w.re) for two complex values,
// each product rounded on its own (no fused multiply-add).
__attribute__((target("avx"))) inline __m256d MultiplyAvx(__m256d d, __m256d w) {
  const __m256d wRe = _mm256_movedup_pd(w);         // wr0 wr0 wr1 wr1
  const __m256d wIm = _mm256_permute_pd(w, 0xF);    // wi0 wi0 wi1 wi1
  const __m256d dSwap = _mm256_permute_pd(d, 0x5);  // di0 dr0 di1 dr1
  return _mm256_addsub_pd(_mm256_mul_pd(d, wRe), _mm256_mul_pd(dSwap, wIm));
}

__attribute__((target("avx"))) void StageAvxWide(float* data, std::size_t n, std::size_t half, const double* w) {
  const std::size_t span = 2 * half;
  for (std::size_t base = 0; base < n; base += span) {
    float* a = data + 2 * base;
    float* b = a + 2 * half;
    for (std::size_t j = 0; j < half; j += 4) {
      const __m256 va = _mm256_loadu_ps(a + 2 * j);
      const __m256 vb = _mm256_loadu_ps(b + 2 * j);
      _mm256_storeu_ps(a + 2 * j, _mm256_add_ps(va, vb));
      const __m256 d = _mm256_sub_ps(va, vb);
      const __m256d d0 = _mm256_cvtps_pd(_mm256_castps256_ps128(d));
      const __m256d d1 = _mm256_cvtps_pd(_mm256_extractf128_ps(d, 1));
      const __m256d r0 = MultiplyAvx(d0, _mm256_loadu_pd(w + 2 * j));
      const __m256d r1 = MultiplyAvx(d1, _mm256_loadu_pd(w + 2 * j + 4));
      _mm256_storeu_ps(b + 2 * j, _mm256_set_m128(_mm256_cvtpd_ps(r1), _mm256_cvtpd_ps(r0)));
    }
  }
}

// half = 2: blocks of four entries, the first two against the last two.
__attribute__((target("avx"))) void StageAvxHalf2(float* data, std::size_t n, const double* w) {
  const __m256d w01 = _mm256_loadu_pd(w);
  for (std::size_t base = 0; base < n; base += 4) {
    float* a = data + 2 * base;
    const __m128 va = _mm_loadu_ps(a);
    const __m128 vb = _mm_loadu_ps(a + 4);
    _mm_storeu_ps(a, _mm_add_ps(va, vb));
    const __m256d r = MultiplyAvx(_mm256_cvtps_pd(_mm_sub_ps(va, vb)), w01);
    _mm_storeu_ps(a + 4, _mm256_cvtpd_ps(r));
  }
}

// half = 1: neighbours, the twiddle is exactly (1, 0). Multiplying by it in
// single precision gives the same result as in double: every product and
// difference is exact.
__attribute__((target("avx"))) void StageAvxHalf1(float* data, std::size_t n) {
  const __m256 factors = _mm256_setr_ps(1, 0, 0, 1, 1, 0, 0, 1);
  const __m256 negateSecond = _mm256_setr_ps(0, -0.0f, 0, 0, 0, -0.0f, 0, 0);
  for (std::size_t base = 0; base < n; base += 4) {
    float* a = data + 2 * base;
    const __m256 v = _mm256_loadu_ps(a);                       // r0 i0 r1 i1 | r2 i2 r3 i3
    const __m256 x = _mm256_shuffle_ps(v, v, _MM_SHUFFLE(1, 0, 1, 0));  // r0 i0 r0 i0
    const __m256 y = _mm256_shuffle_ps(v, v, _MM_SHUFFLE(3, 2, 3, 2));  // r1 i1 r1 i1
    const __m256 sum = _mm256_add_ps(x, y);
    const __m256 diff = _mm256_sub_ps(x, y);
    // (dr·1, di·0, dr·0, di·1) -> (dr·1 - di·0, dr·0 + di·1)
    const __m256 products = _mm256_xor_ps(_mm256_mul_ps(diff, factors), negateSecond);
    const __m256 product = _mm256_hadd_ps(products, products);
    _mm256_storeu_ps(a, _mm256_shuffle_ps(sum, product, _MM_SHUFFLE(1, 0, 1, 0)));
  }
}

__attribute__((target("avx"))) void TransformAvx(Complex* data, int log2n, const std::vector<double>& twiddles,
                                                 const std::vector<std::size_t>& stageStart) {
  const std::size_t n = std::size_t{1} << log2n;
  float* f = reinterpret_cast<float*>(data);
  for (int stage = 1; stage <= log2n; ++stage) {
    const std::size_t half = n >> stage;
    const double* w = twiddles.data() + stageStart[stage];
    if (half >= 4)
      StageAvxWide(f, n, half, w);
    else if (half == 2)
      StageAvxHalf2(f, n, w);
    else
      StageAvxHalf1(f, n);
  }
}

bool DetectAvx() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx");
}
#endif

}  // namespace

bool FftPlan::VectorPath() {
#ifdef VELMORA_X86
  static const bool avx = DetectAvx();
  return avx;
#else
  return false;
#endif
}

void FftPlan::Prepare(int direction, int log2n) {
  Tables& t = tables_[direction == 1 ? 0 : 1];
  if (t.log2n == log2n) return;
  const std::size_t n = std::size_t{1} << log2n;
  t.twiddles.assign(2 * n, 0.0);
  t.stageStart.assign(static_cast<std::size_t>(log2n) + 1, 0);
  std::size_t at = 0;
  for (int stage = 1; stage <= log2n; ++stage) {
    const std::size_t half = n >> stage;
    t.stageStart[stage] = at;
    // The same recurrence as Fft: one cosine and one sine per stage.
    const double angle = direction * kPi / static_cast<double>(half);
    const double stepRe = std::cos(angle), stepIm = -std::sin(angle);
    double wRe = 1, wIm = 0;
    for (std::size_t j = 0; j < half; ++j) {
      t.twiddles[at + 2 * j] = wRe;
      t.twiddles[at + 2 * j + 1] = wIm;
      const double nextRe = wRe * stepRe - wIm * stepIm;
      wIm = wRe * stepIm + wIm * stepRe;
      wRe = nextRe;
    }
    at += 2 * half;
  }
  t.log2n = log2n;
}

void FftPlan::Reorder(std::span<Complex> data) {
  for (std::size_t s = 0; s + 1 < swaps_.size(); s += 2) std::swap(data[swaps_[s]], data[swaps_[s + 1]]);
}

void FftPlan::Transform(int direction, std::span<Complex> data, int log2n) {
  if (log2n <= 0) return;
  const std::size_t n = std::size_t{1} << log2n;
  if (data.size() < n) return;
  Prepare(direction, log2n);
  const Tables& t = tables_[direction == 1 ? 0 : 1];

#ifdef VELMORA_X86
  if (VectorPath() && n >= 4)
    TransformAvx(data.data(), log2n, t.twiddles, t.stageStart);
  else
#endif
    TransformScalar(data.data(), log2n, t.twiddles, t.stageStart);

  if (swapsLog2n_ != log2n) {
    swaps_.clear();
    for (std::size_t i = 0, j = 0; i < n - 1; ++i) {
      if (i < j) {
        swaps_.push_back(static_cast<std::uint32_t>(i));
        swaps_.push_back(static_cast<std::uint32_t>(j));
      }
      std::size_t k = n / 2;
      while (k <= j) {
        j -= k;
        k /= 2;
      }
      j += k;
    }
    swapsLog2n_ = log2n;
  }
  Reorder(data);

  if (direction == -1) {
    const float scale = static_cast<float>(n);
    for (std::size_t i = 0; i < n; ++i) data[i] = {data[i].re / scale, data[i].im / scale};
  }
}

}  // namespace velmora
