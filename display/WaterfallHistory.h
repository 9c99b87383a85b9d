#pragma once
// The channel's recent past for the waterfall: one line per buffer (its
// spectrum and its verdict), newest first, in a ring of fixed size that
// never grows. A change of the sample size starts it afresh, since lines of
// another transform length do not line up with the new bins.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/Verdict.h"

namespace velmora {

enum class VerdictKind : std::uint8_t { NoInput, Free, Noise, Busy };
VerdictKind KindOf(const Verdict& verdict);

class WaterfallHistory {
 public:
  // More lines than any screen shows, and a bound on all levels kept
  // (2 MB): at 2048 samples 1024 lines, 3.2 minutes; at 32768, 64 lines.
  static constexpr std::size_t kMostLines = 1024;
  static constexpr std::size_t kMostLevels = std::size_t{1} << 20;

  // Adds the buffer's densities in dB (bins 0 .. n/2 - 1) and its verdict.
  void Add(std::span<const float> densities, VerdictKind kind);
  void Clear();

  std::size_t Count() const { return count_; }
  std::size_t Capacity() const { return capacity_; }
  std::int32_t Bins() const { return bins_; }
  // Lines added since the last start afresh, and how often it started afresh:
  // together they tell a drawing which lines it has not yet seen.
  std::uint64_t Added() const { return added_; }
  std::uint64_t Generation() const { return generation_; }

  // The highest level of the bins in the line `age` buffers old (0 the
  // newest, below Count()).
  float Peak(std::size_t age, std::int32_t firstBin, std::int32_t lastBin) const;
  VerdictKind Kind(std::size_t age) const { return kinds_[Slot(age)]; }

 private:
  std::size_t Slot(std::size_t age) const { return (head_ + capacity_ - age) % capacity_; }
  const std::int16_t* Line(std::size_t age) const { return levels_.data() + Slot(age) * bins_; }

  std::int32_t bins_ = 0;
  std::size_t capacity_ = 0;
  std::size_t head_ = 0;  // slot of the newest line
  std::size_t count_ = 0;
  std::uint64_t added_ = 0;
  std::uint64_t generation_ = 0;
  std::vector<std::int16_t> levels_;  // hundredths of a dB, capacity_ lines of bins_
  std::vector<VerdictKind> kinds_;
};

}  // namespace velmora
