#include "tools/signalgen/ReceiverNoise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/signalgen/Random.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora::signalgen {
namespace {

constexpr double kLowEdge = 300, kHighEdge = 2700;  // Hz
// The sections of an 8th-order Butterworth filter.
constexpr double kQs[] = {0.5098, 0.6013, 0.9000, 2.5629};
constexpr double kAttack = 0.002, kDecay = 0.3;  // s, the AGC's time constants

// One second-order section (the usual high- and low-pass forms).
class Biquad {
 public:
  Biquad(double frequency, double q, bool highPass) {
    const double w = 2 * std::numbers::pi * frequency / kRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    const double edge = highPass ? (1 + c) / 2 : (1 - c) / 2;
    b0_ = edge / a0;
    b1_ = (highPass ? -2 * edge : 2 * edge) / a0;
    b2_ = edge / a0;
    a1_ = -2 * c / a0;
    a2_ = (1 - alpha) / a0;
  }
  double Step(double x) {
    const double y = b0_ * x + s1_;
    s1_ = b1_ * x - a1_ * y + s2_;
    s2_ = b2_ * x - a2_ * y;
    return y;
  }

 private:
  double b0_, b1_, b2_, a1_, a2_, s1_ = 0, s2_ = 0;
};

}  // namespace

std::vector<float> ReceiverNoise(double seconds, double rms, double crashesPerSecond, std::uint64_t seed) {
  const auto count = static_cast<std::size_t>(std::max(0.0, seconds) * kRate);
  std::vector<float> raw(count, 0.0f);
  Random random(seed);
  AddNoise(raw, 1, random);
  // Crashes 10 to 30 dB above the noise, a few ms each.
  AddBursts(raw, crashesPerSecond, 30, random);

  std::vector<Biquad> filter;
  for (double q : kQs) {
    filter.emplace_back(kLowEdge, q, true);
    filter.emplace_back(kHighEdge, q, false);
  }
  // The AGC follows the band's envelope, quick to duck and slow to let go,
  // and sets the gain that brings it to the level wanted.
  const double attack = 1 - std::exp(-1 / (kAttack * kRate)), decay = 1 - std::exp(-1 / (kDecay * kRate));
  const double bandRms = std::sqrt((kHighEdge - kLowEdge) / (kRate / 2));
  double envelope = bandRms;
  std::vector<float> out(count);
  for (std::size_t n = 0; n < count; ++n) {
    double x = raw[n];
    for (Biquad& section : filter) x = section.Step(x);
    // The mean of |x| of Gaussian noise, to its RMS.
    const double level = std::abs(x) * std::sqrt(std::numbers::pi / 2);
    envelope += (level > envelope ? attack : decay) * (level - envelope);
    out[n] = static_cast<float>(x / std::max(envelope, bandRms));
  }
  // The AGC's envelope rides the peaks: the level asked for is set at the end.
  double squares = 0;
  for (float x : out) squares += static_cast<double>(x) * x;
  const double scale = squares > 0 ? rms / std::sqrt(squares / static_cast<double>(count)) : 0.0;
  for (float& x : out) x = static_cast<float>(x * scale);
  return out;
}

}  // namespace velmora::signalgen
