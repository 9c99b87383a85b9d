#pragma once
// The channel's noise as a receiver hands it over: band-limited by its
// passband filter (300 to 2700 Hz, steep skirts) and ridden by its AGC,
// which ducks the noise after each static crash and lets it swell back.
#include <cstdint>
#include <vector>

namespace velmora::signalgen {

// `seconds` of such noise at `rms` (A/D units, the crashes included), a
// crash every 1 / crashesPerSecond seconds on average.
std::vector<float> ReceiverNoise(double seconds, double rms, double crashesPerSecond, std::uint64_t seed);

}  // namespace velmora::signalgen
