#pragma once
// The one audio format every part of the program works in: mono samples at
// 11025 per second, taken in buffers of a power of two from 256 to 32768.
#include <algorithm>
#include <cstdint>
#include <span>

namespace velmora {

inline constexpr std::int32_t kSampleRate = 11025;
// The same rate for frequency arithmetic in single precision, where the
// stored results were computed that way.
inline constexpr float kSampleRateHz = static_cast<float>(kSampleRate);
inline constexpr double kNyquist = kSampleRate / 2.0;

inline constexpr std::int32_t kSampleSizeMin = 256;
inline constexpr std::int32_t kSampleSizeMax = 32768;
inline constexpr std::int32_t kSampleSizeDefault = 2048;

// A power of two from 256 to 32768: the only sizes buffers and transforms take.
constexpr bool IsValidSampleSize(long long samples) {
  return samples >= kSampleSizeMin && samples <= kSampleSizeMax && (samples & (samples - 1)) == 0;
}

// A sample the converter could not tell from a larger one: at full scale,
// 16-bit or the top 8-bit step widened ((255 - 128) * 256 = 32512). An
// overdriven input flattens the signal there.
constexpr bool IsAtFullScale(std::int16_t sample) { return sample >= 32512 || sample <= -32512; }
// The share of the samples at full scale, 0 for none.
inline double ClippedShare(std::span<const std::int16_t> samples) {
  const auto clipped = std::count_if(samples.begin(), samples.end(), IsAtFullScale);
  return samples.empty() ? 0.0 : static_cast<double>(clipped) / static_cast<double>(samples.size());
}

// A buffer that carries no audio ("Low Input Level"): every sample zero, or
// every one the same, as a muted card whose input stands at a DC offset
// gives. An empty buffer too.
inline bool IsSilentBuffer(std::span<const std::int16_t> samples) {
  return std::all_of(samples.begin(), samples.end(), [&](std::int16_t s) { return s == samples.front(); });
}

// The index of the buffer in hand before any buffer was processed.
inline constexpr std::uint16_t kNoBuffer = 65535;

}  // namespace velmora
