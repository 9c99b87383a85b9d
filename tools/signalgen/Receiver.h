#pragma once
// What a receiver does to the audio besides the signal it hears: its filter
// (flat in the passband, skirts, a floor far below outside), its AGC's swings,
// mains hum in the audio path and static crashes from the antenna. Seeded.
#include <span>
#include <vector>

#include "tools/signalgen/Random.h"

namespace velmora::signalgen {

struct Passband {
  double low = 300, high = 2700;  // Hz, the flat part
  double skirt = 100;             // Hz from each edge down to the floor outside
  double depthDb = 30;            // the floor outside, below the passband
};

// The gain swings by ±depth of itself, a sine of the given period, from a
// random point of it.
struct AgcSwing {
  double depth = 0.5;
  double period = 7;  // seconds
};

// Harmonic h at 1 / h^slope of the fundamental, the even ones at evenLevel
// of that (a rectifier's buzz is rich in odd harmonics).
struct Hum {
  double mains = 50;   // Hz
  double rms = 300;    // A/D units
  int harmonics = 20;
  double evenLevel = 0.5;
  double slope = 1;
};

struct Crashes {
  double perSecond = 2;
  double peakDb = 20;   // over the noise's RMS
  double recovery = 0;  // seconds the AGC takes to recover from each (0: no AGC reaction)
};

// The filter's response at f, in dB (0 in the passband).
double PassbandDb(const Passband& band, double frequency);
// Filters x through the passband, in place, without delay (linear phase).
void ApplyPassband(std::span<float> x, const Passband& band);
// Multiplies x by the swinging gain.
void ApplyAgc(std::span<float> x, const AgcSwing& agc, Random& random);
void AddHum(std::span<float> x, const Hum& hum, Random& random);
// Adds the crashes (impulsive, broadband) and returns where each begins, in samples.
std::vector<std::size_t> AddCrashes(std::span<float> x, const Crashes& crashes, double noiseRms, Random& random);
// The AGC's answer to each crash: the gain drops to a tenth and recovers.
void ApplyCrashRecovery(std::span<float> x, std::span<const std::size_t> crashes, double recovery);

}  // namespace velmora::signalgen
