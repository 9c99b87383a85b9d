#include "display/WaterfallHistory.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {
namespace {

constexpr float kStepsPerDb = 100;

std::int16_t Quantised(float db) {
  if (!(db == db)) return std::numeric_limits<std::int16_t>::min();  // not a number: as quiet as can be
  const float steps = std::clamp(db * kStepsPerDb, -32768.0f, 32767.0f);
  return static_cast<std::int16_t>(std::lround(steps));
}

}  // namespace

VerdictKind KindOf(const Verdict& verdict) {
  if (!verdict.valid) return VerdictKind::NoInput;
  if (verdict.busy) return VerdictKind::Busy;
  if (verdict.noise) return VerdictKind::Noise;
  return VerdictKind::Free;
}

void WaterfallHistory::Clear() {
  count_ = 0;
  added_ = 0;
  ++generation_;
}

void WaterfallHistory::Add(std::span<const float> densities, VerdictKind kind) {
  const auto bins = static_cast<std::int32_t>(std::min(densities.size(), kMostLevels));
  if (bins < 1) return;
  if (bins != bins_) {
    bins_ = bins;
    capacity_ = std::clamp<std::size_t>(kMostLevels / static_cast<std::size_t>(bins), 1, kMostLines);
    levels_.assign(capacity_ * static_cast<std::size_t>(bins_), 0);
    kinds_.assign(capacity_, VerdictKind::NoInput);
    head_ = capacity_ - 1;
    Clear();
  }
  head_ = (head_ + 1) % capacity_;
  std::int16_t* line = levels_.data() + head_ * static_cast<std::size_t>(bins_);
  for (std::int32_t b = 0; b < bins_; ++b) line[b] = Quantised(densities[static_cast<std::size_t>(b)]);
  kinds_[head_] = kind;
  count_ = std::min(count_ + 1, capacity_);
  ++added_;
}

float WaterfallHistory::Peak(std::size_t age, std::int32_t firstBin, std::int32_t lastBin) const {
  const std::int16_t* line = Line(age);
  const std::int32_t first = std::clamp(firstBin, 0, bins_ - 1);
  const std::int32_t last = std::clamp(lastBin, first, bins_ - 1);
  return *std::max_element(line + first, line + last + 1) / kStepsPerDb;
}

}  // namespace velmora
