#include "tools/signalgen/Random.h"

#include <cmath>
#include <numbers>

namespace velmora::signalgen {
namespace {


std::uint64_t SplitMix(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint64_t Rotate(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

Random::Random(std::uint64_t seed) {
  for (auto& s : s_) s = SplitMix(seed);
}

std::uint64_t Random::Next() {
  const std::uint64_t result = Rotate(s_[1] * 5, 7) * 9;
  const std::uint64_t t = s_[1] << 17;
  s_[2] ^= s_[0];
  s_[3] ^= s_[1];
  s_[1] ^= s_[2];
  s_[0] ^= s_[3];
  s_[2] ^= t;
  s_[3] = Rotate(s_[3], 45);
  return result;
}

double Random::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

int Random::Below(int n) { return static_cast<int>(Uniform() * n); }

double Random::Gaussian() {
  if (haveSpare_) {
    haveSpare_ = false;
    return spare_;
  }
  double u = 0;
  while (u <= 0) u = Uniform();
  const double v = Uniform();
  const double r = std::sqrt(-2 * std::log(u));
  spare_ = r * std::sin(2 * std::numbers::pi * v);
  haveSpare_ = true;
  return r * std::cos(2 * std::numbers::pi * v);
}

}  // namespace velmora::signalgen
