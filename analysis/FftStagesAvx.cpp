#include "analysis/FftStages.h"

#ifdef VELMORA_X86
#include <immintrin.h>

namespace velmora {
namespace {

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

// Eight butterflies at a time with real and imaginary parts apart (fewer
// shuffles than the interleaved kernel; the same arithmetic).
__attribute__((target("avx"))) void StageAvxSplit(float* data, std::size_t n, std::size_t half, const double* lanes) {
  const std::size_t span = 2 * half;
  for (std::size_t base = 0; base < n; base += span) {
    float* a = data + 2 * base;
    float* b = a + 2 * half;
    const double* w = lanes;
    for (std::size_t j = 0; j < half; j += 8, w += 16) {
      const __m256 a0 = _mm256_loadu_ps(a + 2 * j), a1 = _mm256_loadu_ps(a + 2 * j + 8);
      const __m256 b0 = _mm256_loadu_ps(b + 2 * j), b1 = _mm256_loadu_ps(b + 2 * j + 8);
      _mm256_storeu_ps(a + 2 * j, _mm256_add_ps(a0, b0));
      _mm256_storeu_ps(a + 2 * j + 8, _mm256_add_ps(a1, b1));
      const __m256 d0 = _mm256_sub_ps(a0, b0), d1 = _mm256_sub_ps(a1, b1);
      const __m256 dRe = _mm256_shuffle_ps(d0, d1, _MM_SHUFFLE(2, 0, 2, 0));  // lane order 0 1 4 5 | 2 3 6 7
      const __m256 dIm = _mm256_shuffle_ps(d0, d1, _MM_SHUFFLE(3, 1, 3, 1));
      const __m256d dr0 = _mm256_cvtps_pd(_mm256_castps256_ps128(dRe)),
                    dr1 = _mm256_cvtps_pd(_mm256_extractf128_ps(dRe, 1));
      const __m256d di0 = _mm256_cvtps_pd(_mm256_castps256_ps128(dIm)),
                    di1 = _mm256_cvtps_pd(_mm256_extractf128_ps(dIm, 1));
      const __m256d wr0 = _mm256_loadu_pd(w), wr1 = _mm256_loadu_pd(w + 4);
      const __m256d wi0 = _mm256_loadu_pd(w + 8), wi1 = _mm256_loadu_pd(w + 12);
      const __m256 re =
          _mm256_set_m128(_mm256_cvtpd_ps(_mm256_sub_pd(_mm256_mul_pd(dr1, wr1), _mm256_mul_pd(di1, wi1))),
                          _mm256_cvtpd_ps(_mm256_sub_pd(_mm256_mul_pd(dr0, wr0), _mm256_mul_pd(di0, wi0))));
      const __m256 im =
          _mm256_set_m128(_mm256_cvtpd_ps(_mm256_add_pd(_mm256_mul_pd(dr1, wi1), _mm256_mul_pd(di1, wr1))),
                          _mm256_cvtpd_ps(_mm256_add_pd(_mm256_mul_pd(dr0, wi0), _mm256_mul_pd(di0, wr0))));
      _mm256_storeu_ps(b + 2 * j, _mm256_unpacklo_ps(re, im));
      _mm256_storeu_ps(b + 2 * j + 8, _mm256_unpackhi_ps(re, im));
    }
  }
}

}  // namespace

__attribute__((target("avx"))) void StageAvx(float* f, std::size_t n, std::size_t half, const StageTwiddles& w) {
  if (half >= 8)
    StageAvxSplit(f, n, half, w.lanes);
  else if (half >= 4)
    StageAvxWide(f, n, half, w.interleaved);
  else if (half == 2)
    StageAvxHalf2(f, n, w.interleaved);
  else
    StageAvxHalf1(f, n);
}
namespace {

__attribute__((target("avx512f"))) inline __m512d MultiplyAvx512(__m512d d, __m512d w) {
  const __m512d wRe = _mm512_movedup_pd(w);
  const __m512d wIm = _mm512_permute_pd(w, 0xFF);
  const __m512d dSwap = _mm512_permute_pd(d, 0x55);
  const __m512d a = _mm512_mul_pd(d, wRe), b = _mm512_mul_pd(dSwap, wIm);
  return _mm512_mask_sub_pd(_mm512_add_pd(a, b), 0x55, a, b);  // real lanes a - b, imaginary a + b
}

__attribute__((target("avx512f"))) void StageAvx512Wide(float* data, std::size_t n, std::size_t half,
                                                          const double* w) {
  const std::size_t span = 2 * half;
  for (std::size_t base = 0; base < n; base += span) {
    float* a = data + 2 * base;
    float* b = a + 2 * half;
    for (std::size_t j = 0; j < half; j += 8) {
      const __m512 va = _mm512_loadu_ps(a + 2 * j);
      const __m512 vb = _mm512_loadu_ps(b + 2 * j);
      _mm512_storeu_ps(a + 2 * j, _mm512_add_ps(va, vb));
      const __m512 d = _mm512_sub_ps(va, vb);
      const __m512d d0 = _mm512_cvtps_pd(_mm512_castps512_ps256(d));
      const __m512d d1 = _mm512_cvtps_pd(_mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(d), 1)));
      const __m256 r0 = _mm512_cvtpd_ps(MultiplyAvx512(d0, _mm512_loadu_pd(w + 2 * j)));
      const __m256 r1 = _mm512_cvtpd_ps(MultiplyAvx512(d1, _mm512_loadu_pd(w + 2 * j + 8)));
      const __m512d r = _mm512_insertf64x4(_mm512_castpd256_pd512(_mm256_castps_pd(r0)), _mm256_castps_pd(r1), 1);
      _mm512_storeu_ps(b + 2 * j, _mm512_castpd_ps(r));
    }
  }
}

// Sixteen butterflies at a time with the real and imaginary parts apart:
// (re, im) = (dr·wr - di·wi, dr·wi + di·wr), every product in double and
// rounded on its own, as in the interleaved kernels, with fewer shuffles.
__attribute__((target("avx512f"))) inline __m512d Low(__m512 x) { return _mm512_cvtps_pd(_mm512_castps512_ps256(x)); }
__attribute__((target("avx512f"))) inline __m512d High(__m512 x) {
  return _mm512_cvtps_pd(_mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(x), 1)));
}
__attribute__((target("avx512f"))) inline __m512 Join(__m512d low, __m512d high) {
  return _mm512_castpd_ps(_mm512_insertf64x4(_mm512_castpd256_pd512(_mm256_castps_pd(_mm512_cvtpd_ps(low))),
                                             _mm256_castps_pd(_mm512_cvtpd_ps(high)), 1));
}

__attribute__((target("avx512f"))) void StageAvx512Split(float* data, std::size_t n, std::size_t half,
                                                          const double* wRe, const double* wIm) {
  const __m512i evens = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
  const __m512i odds = _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31);
  const __m512i firstPairs = _mm512_setr_epi32(0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
  const __m512i lastPairs = _mm512_setr_epi32(8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31);
  const std::size_t span = 2 * half;
  for (std::size_t base = 0; base < n; base += span) {
    float* a = data + 2 * base;
    float* b = a + 2 * half;
    for (std::size_t j = 0; j < half; j += 16) {
      const __m512 a0 = _mm512_loadu_ps(a + 2 * j), a1 = _mm512_loadu_ps(a + 2 * j + 16);
      const __m512 b0 = _mm512_loadu_ps(b + 2 * j), b1 = _mm512_loadu_ps(b + 2 * j + 16);
      _mm512_storeu_ps(a + 2 * j, _mm512_add_ps(a0, b0));
      _mm512_storeu_ps(a + 2 * j + 16, _mm512_add_ps(a1, b1));
      const __m512 d0 = _mm512_sub_ps(a0, b0), d1 = _mm512_sub_ps(a1, b1);
      const __m512 dRe = _mm512_permutex2var_ps(d0, evens, d1), dIm = _mm512_permutex2var_ps(d0, odds, d1);
      const __m512d wr0 = _mm512_loadu_pd(wRe + j), wr1 = _mm512_loadu_pd(wRe + j + 8);
      const __m512d wi0 = _mm512_loadu_pd(wIm + j), wi1 = _mm512_loadu_pd(wIm + j + 8);
      const __m512d dr0 = Low(dRe), dr1 = High(dRe), di0 = Low(dIm), di1 = High(dIm);
      const __m512 re = Join(_mm512_sub_pd(_mm512_mul_pd(dr0, wr0), _mm512_mul_pd(di0, wi0)),
                             _mm512_sub_pd(_mm512_mul_pd(dr1, wr1), _mm512_mul_pd(di1, wi1)));
      const __m512 im = Join(_mm512_add_pd(_mm512_mul_pd(dr0, wi0), _mm512_mul_pd(di0, wr0)),
                             _mm512_add_pd(_mm512_mul_pd(dr1, wi1), _mm512_mul_pd(di1, wr1)));
      _mm512_storeu_ps(b + 2 * j, _mm512_permutex2var_ps(re, firstPairs, im));
      _mm512_storeu_ps(b + 2 * j + 16, _mm512_permutex2var_ps(re, lastPairs, im));
    }
  }
}

// half = 4: one block of eight entries per vector, its halves against each other.
__attribute__((target("avx512f"))) void StageAvx512Half4(float* data, std::size_t n, const double* w) {
  const __m512d w0123 = _mm512_loadu_pd(w);
  for (std::size_t base = 0; base < n; base += 8) {
    float* a = data + 2 * base;
    const __m512 v = _mm512_loadu_ps(a);
    const __m256 va = _mm512_castps512_ps256(v);
    const __m256 vb = _mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(v), 1));
    const __m256 product = _mm512_cvtpd_ps(MultiplyAvx512(_mm512_cvtps_pd(_mm256_sub_ps(va, vb)), w0123));
    const __m512d out = _mm512_insertf64x4(_mm512_castpd256_pd512(_mm256_castps_pd(_mm256_add_ps(va, vb))),
                                           _mm256_castps_pd(product), 1);
    _mm512_storeu_ps(a, _mm512_castpd_ps(out));
  }
}

// half = 1: neighbours against each other, the twiddle exactly (1, 0) as in
// StageAvxHalf1, four pairs per vector.
__attribute__((target("avx512f"))) void StageAvx512Half1(float* data, std::size_t n) {
  const __m512 factors = _mm512_setr_ps(1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1);
  const __m512i negateSecond =
      _mm512_setr_epi32(0, INT32_MIN, 0, 0, 0, INT32_MIN, 0, 0, 0, INT32_MIN, 0, 0, 0, INT32_MIN, 0, 0);
  for (std::size_t base = 0; base < n; base += 8) {
    float* a = data + 2 * base;
    const __m512 v = _mm512_loadu_ps(a);
    const __m512 x = _mm512_shuffle_ps(v, v, _MM_SHUFFLE(1, 0, 1, 0));  // r0 i0 r0 i0
    const __m512 y = _mm512_shuffle_ps(v, v, _MM_SHUFFLE(3, 2, 3, 2));  // r1 i1 r1 i1
    const __m512 sum = _mm512_add_ps(x, y);
    // (dr·1, -(di·0), dr·0, di·1), then each with its neighbour: (dr·1 - di·0, ., dr·0 + di·1, .)
    const __m512 p = _mm512_castsi512_ps(
        _mm512_xor_si512(_mm512_castps_si512(_mm512_mul_ps(_mm512_sub_ps(x, y), factors)), negateSecond));
    const __m512 q = _mm512_add_ps(p, _mm512_shuffle_ps(p, p, _MM_SHUFFLE(2, 3, 0, 1)));
    _mm512_storeu_ps(a, _mm512_shuffle_ps(sum, q, _MM_SHUFFLE(2, 0, 1, 0)));
  }
}

}  // namespace

__attribute__((target("avx512f"))) void StageAvx512(float* f, std::size_t n, std::size_t half,
                                                     const StageTwiddles& w) {
  if (half >= 16)
    StageAvx512Split(f, n, half, w.re, w.im);
  else if (half >= 8)
    StageAvx512Wide(f, n, half, w.interleaved);
  else if (half == 4 && n >= 8)
    StageAvx512Half4(f, n, w.interleaved);
  else if (half == 1 && n >= 8)
    StageAvx512Half1(f, n);
  else
    StageAvx(f, n, half, w);
}

}  // namespace velmora
#endif
