#include "tools/signalgen/Waveform.h"

#include <cmath>
#include <numbers>

#include "common/SampleFormat.h"

namespace velmora::signalgen {

void AddScaled(std::span<float> out, std::span<const double> wave, double rms) {
  double sum = 0;
  for (double x : wave) sum += x * x;
  if (sum <= 0) return;
  const double gain = rms / std::sqrt(sum / static_cast<double>(wave.size()));
  for (std::size_t n = 0; n < out.size() && n < wave.size(); ++n) out[n] += static_cast<float>(gain * wave[n]);
}

double RootRaisedCosine(double t, double beta) {
  constexpr double pi = std::numbers::pi;
  if (t == 0) return 1 - beta + 4 * beta / pi;
  if (std::abs(std::abs(t) - 1 / (4 * beta)) < 1e-9)
    return beta / std::sqrt(2.0) *
           ((1 + 2 / pi) * std::sin(pi / (4 * beta)) + (1 - 2 / pi) * std::cos(pi / (4 * beta)));
  const double x = 4 * beta * t;
  return (std::sin(pi * t * (1 - beta)) + x * std::cos(pi * t * (1 + beta))) / (pi * t * (1 - x * x));
}

std::vector<double> ToneHops(std::size_t count, double first, double spacing, int tones, double baud, Random& random) {
  constexpr double rate = kSampleRate;
  std::vector<double> wave(count);
  double phase = random.Uniform() * 2 * std::numbers::pi;
  const double clock = random.Uniform();  // of a symbol, already gone at the first sample
  long symbol = -1;
  double frequency = first;
  for (std::size_t n = 0; n < count; ++n) {
    const auto s = static_cast<long>(static_cast<double>(n) * baud / rate + clock);
    if (s != symbol) {
      symbol = s;
      frequency = first + spacing * random.Below(tones);
    }
    phase = std::fmod(phase + 2 * std::numbers::pi * frequency / rate, 2 * std::numbers::pi);
    wave[n] = std::cos(phase);
  }
  return wave;
}

}  // namespace velmora::signalgen
