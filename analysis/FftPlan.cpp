#include "analysis/FftPlan.h"

#include <climits>
#include <cmath>
#include <utility>

#include "analysis/FftStages.h"

namespace velmora {
namespace {

using StageFunction = void (*)(float* block, std::size_t n, std::size_t half, const StageTwiddles& w);

// The stages from 'stage' on over one block of 'size' entries. After a
// stage, the two halves of each block are separate transforms: a block
// small enough for the cache runs all its remaining stages at once. The
// butterflies and their order within a stage are unchanged.
struct TwiddleTables {
  const std::vector<double>& interleaved;
  const std::vector<double>& split;
  const std::vector<double>& lanes;
  const std::vector<std::size_t>& stageStart;
  StageTwiddles At(int stage, std::size_t half) const {
    const std::size_t at = stageStart[static_cast<std::size_t>(stage)];
    return {interleaved.data() + at, split.data() + at, split.data() + at + half, lanes.data() + at};
  }
};

void Stages(StageFunction run, float* block, std::size_t size, int stage, int log2n, const TwiddleTables& t) {
  constexpr std::size_t kCacheBlock = 4096;
  const std::size_t n = std::size_t{1} << log2n;
  if (size <= kCacheBlock) {
    for (int s = stage; s <= log2n; ++s) run(block, size, n >> s, t.At(s, n >> s));
    return;
  }
  run(block, size, n >> stage, t.At(stage, n >> stage));
  Stages(run, block, size / 2, stage + 1, log2n, t);
  Stages(run, block + size, size / 2, stage + 1, log2n, t);
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
  t.split.assign(2 * n, 0.0);
  t.lanes.assign(2 * n, 0.0);
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
      t.twiddles[at + 2 * j] = t.split[at + j] = wRe;
      t.twiddles[at + 2 * j + 1] = t.split[at + half + j] = wIm;
      const double nextRe = wRe * stepRe - wIm * stepIm;
      wIm = wRe * stepIm + wIm * stepRe;
      wRe = nextRe;
    }
    for (std::size_t group = 0; group + 8 <= half; group += 8) {
      for (std::size_t k = 0; k < 8; ++k) {
        t.lanes[at + 2 * group + k] = t.split[at + group + kLaneOrder[k]];
        t.lanes[at + 2 * group + 8 + k] = t.split[at + half + group + kLaneOrder[k]];
      }
    }
    at += 2 * half;
  }
  t.log2n = log2n;
}

namespace {

// From this size on the reordering goes through tiles: below it the
// exchanges stay within the cache anyway.
constexpr int kBlockedFrom = 13;

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
  if (log2n < kBlockedFrom) {
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
  Stages(run, reinterpret_cast<float*>(data.data()), n, 1, log2n, {t.twiddles, t.split, t.lanes, t.stageStart});

  if (swapsLog2n_ != log2n && log2n < kBlockedFrom) {
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
