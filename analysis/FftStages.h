#pragma once
// The butterflies of one transform stage, shared by the plan: the plain
// kernel, and on x86 the AVX and AVX-512 kernels, which give the same
// results product by product (no fused multiply-add).
#include <cstddef>

#include "analysis/MathLib.h"

#if defined(__x86_64__) || defined(__i386__)
#define VELMORA_X86 1
#endif

namespace velmora {

// A stage's twiddles, interleaved (re, im, re, im ...) and apart (re ..., im ...).
struct StageTwiddles {
  const double* interleaved;
  const double* re;
  const double* im;
  const double* lanes;  // groups of eight: the real parts, then the imaginary, in the AVX lane order
};

// Within each group of eight butterflies, the order in which the AVX
// kernel's deinterleaving leaves them.
constexpr std::size_t kLaneOrder[8] = {0, 1, 4, 5, 2, 3, 6, 7};


// One stage over n entries in blocks of 2·half, with that stage's twiddles.
void StageScalarOn(float* data, std::size_t n, std::size_t half, const StageTwiddles& w);
#ifdef VELMORA_X86
void StageAvx(float* data, std::size_t n, std::size_t half, const StageTwiddles& w);
void StageAvx512(float* data, std::size_t n, std::size_t half, const StageTwiddles& w);
#endif

}  // namespace velmora
