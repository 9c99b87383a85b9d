#pragma once
// HF channels that fade, as HF modems are tested on them: the signal
// arrives over two or three paths, each delayed and weighted by a complex
// gain that wanders at random (Rayleigh fading whose Doppler spectrum is a
// Gaussian), so notches and tilts move across the band for seconds at a
// time. Seeded: the same channel and seed always give the same fades.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::signalgen {

struct FadingChannel {
  std::string name = "static";  // as the tables name it
  int paths = 0;                // 0: static, the signal as it is
  double delayMs = 0;           // between the first and the last path
  double spreadHz = 0;          // Doppler spread: twice the Gaussian's standard deviation

  bool Fades() const { return paths >= 1; }
};

// "static", and the usual test channels of two paths: "good" (0.5 ms, 0.1
// Hz), "moderate" (1 ms, 0.5 Hz), "poor" (2 ms, 1 Hz), "flutter" (0.5 ms,
// 10 Hz); false for any other name.
bool NamedChannel(std::string_view name, FadingChannel& channel);
std::vector<FadingChannel> NamedChannels();  // the four that fade
// Any delay and spread: "2 paths, 1.5 ms, 0.8 Hz" as its name.
FadingChannel CustomChannel(int paths, double delayMs, double spreadHz);
// A name above, or "PATHS:DELAY_MS:SPREAD_HZ" (1 to 3 paths, a delay of up
// to 10 ms, a spread above 0 and up to 50 Hz); false for anything else.
bool ParseChannel(std::string_view text, FadingChannel& channel);

// The signal through the channel: the paths (equally strong on average,
// spread evenly over the delay) add up with a mean power gain of 1, so the
// signal-to-noise ratio set beforehand holds on average.
void ApplyFading(std::vector<float>& samples, const FadingChannel& channel, std::uint64_t seed);

// One path's gain over time: complex Gaussian, mean power 1, its spectrum
// a Gaussian of standard deviation spreadHz / 2 (interleaved re, im; one
// value every `step` samples).
std::vector<double> PathGains(std::size_t values, double step, double spreadHz, std::uint64_t seed);

}  // namespace velmora::signalgen
