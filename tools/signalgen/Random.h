#pragma once
// Seeded pseudo-random numbers for the test signals: the same numbers on
// every platform and compiler, so a recipe always gives the same samples.
#include <cstdint>

namespace velmora::signalgen {

// xoshiro256** seeded through splitmix64: the same numbers on every platform.
class Random {
 public:
  explicit Random(std::uint64_t seed);
  std::uint64_t Next();
  double Uniform();   // [0, 1)
  double Gaussian();  // mean 0, variance 1
  int Below(int n);   // 0..n-1

 private:
  std::uint64_t s_[4];
  bool haveSpare_ = false;
  double spare_ = 0;
};

}  // namespace velmora::signalgen
