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

void StageScalarOn(float* f, std::size_t n, std::size_t half, const double* w) {
  StageScalar(reinterpret_cast<Complex*>(f), n, half, w);
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

__attribute__((target("avx"))) void StageAvx(float* f, std::size_t n, std::size_t half, const double* w) {
  if (half >= 4)
    StageAvxWide(f, n, half, w);
  else if (half == 2)
    StageAvxHalf2(f, n, w);
  else
    StageAvxHalf1(f, n);
}
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

__attribute__((target("avx512f"))) void StageAvx512(float* f, std::size_t n, std::size_t half, const double* w) {
  if (half >= 8)
    StageAvx512Wide(f, n, half, w);
  else
    StageAvx(f, n, half, w);
}
#endif

using StageFunction = void (*)(float* block, std::size_t n, std::size_t half, const double* twiddles);

// The stages from 'stage' on over one block of 'size' entries. After a
// stage, the two halves of each block are separate transforms: a block
// small enough for the cache runs all its remaining stages at once. The
// butterflies and their order within a stage are unchanged.
void Stages(StageFunction run, float* block, std::size_t size, int stage, int log2n,
            const std::vector<double>& twiddles, const std::vector<std::size_t>& stageStart) {
  constexpr std::size_t kCacheBlock = 4096;
  const std::size_t n = std::size_t{1} << log2n;
  if (size <= kCacheBlock) {
    for (int s = stage; s <= log2n; ++s) run(block, size, n >> s, twiddles.data() + stageStart[s]);
    return;
  }
  run(block, size, n >> stage, twiddles.data() + stageStart[stage]);
  Stages(run, block, size / 2, stage + 1, log2n, twiddles, stageStart);
  Stages(run, block + size, size / 2, stage + 1, log2n, twiddles, stageStart);
}

}  // namespace

FftPath FftPlan::BestPath() {
#ifdef VELMORA_X86
  static const FftPath best = [] {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return FftPath::Avx512;
    if (__builtin_cpu_supports("avx")) return FftPath::Avx;
    return FftPath::Scalar;
  }();
  return best;
#else
  return FftPath::Scalar;
#endif
}

bool FftPlan::Supported(FftPath path) { return static_cast<int>(path) <= static_cast<int>(BestPath()); }

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

namespace {

std::size_t Reverse(std::size_t x, int bits) {
  std::size_t r = 0;
  for (int b = 0; b < bits; ++b) r |= ((x >> b) & 1) << (bits - 1 - b);
  return r;
}

}  // namespace

void FftPlan::Reorder(std::span<Complex> data, int log2n) {
  constexpr int kTileBits = 4;
  constexpr std::size_t kTile = std::size_t{1} << kTileBits;
  const std::size_t n = std::size_t{1} << log2n;
  if (log2n < 2 * kTileBits + 1) {
    for (std::size_t s = 0; s + 1 < swaps_.size(); s += 2) std::swap(data[swaps_[s]], data[swaps_[s + 1]]);
    return;
  }
  // Large transforms: the index is (high, middle, low) with kTileBits high
  // and low bits; a tile of all highs and lows of one middle goes through a
  // small buffer, so every cache line is read once and written once.
  scratch_.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n));
  const int middleBits = log2n - 2 * kTileBits;
  const int highShift = log2n - kTileBits;
  std::size_t reversed[kTile];
  for (std::size_t i = 0; i < kTile; ++i) reversed[i] = Reverse(i, kTileBits);
  Complex tile[kTile][kTile];
  for (std::size_t middle = 0; middle < (std::size_t{1} << middleBits); ++middle) {
    const std::size_t from = middle << kTileBits;
    const std::size_t to = Reverse(middle, middleBits) << kTileBits;
    for (std::size_t high = 0; high < kTile; ++high)
      for (std::size_t low = 0; low < kTile; ++low) tile[high][low] = scratch_[(high << highShift) | from | low];
    for (std::size_t low = 0; low < kTile; ++low) {
      Complex* row = data.data() + ((reversed[low] << highShift) | to);
      for (std::size_t high = 0; high < kTile; ++high) row[reversed[high]] = tile[high][low];
    }
  }
}

void FftPlan::Transform(int direction, std::span<Complex> data, int log2n) {
  if (log2n <= 0) return;
  const std::size_t n = std::size_t{1} << log2n;
  if (data.size() < n) return;
  Prepare(direction, log2n);
  const Tables& t = tables_[direction == 1 ? 0 : 1];

  StageFunction run = StageScalarOn;
#ifdef VELMORA_X86
  if (n >= 4 && path_ == FftPath::Avx) run = StageAvx;
  if (n >= 4 && path_ == FftPath::Avx512) run = StageAvx512;
#endif
  Stages(run, reinterpret_cast<float*>(data.data()), n, 1, log2n, t.twiddles, t.stageStart);

  if (swapsLog2n_ != log2n && log2n < 9) {
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
  Reorder(data, log2n);

  if (direction == -1) {
    const float scale = static_cast<float>(n);
    for (std::size_t i = 0; i < n; ++i) data[i] = {data[i].re / scale, data[i].im / scale};
  }
}

}  // namespace velmora
