#include "tools/signalgen/DigitalForms.h"

#include <cmath>
#include <vector>

#include "tools/signalgen/SignalGen.h"

namespace velmora::signalgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Adds the wave to out at the wanted RMS (the wave's own level does not matter).
void AddScaled(std::span<float> out, const std::vector<double>& wave, double rms) {
  double sum = 0;
  for (double x : wave) sum += x * x;
  if (sum <= 0) return;
  const double gain = rms / std::sqrt(sum / static_cast<double>(wave.size()));
  for (std::size_t n = 0; n < out.size(); ++n) out[n] += static_cast<float>(gain * wave[n]);
}

// Continuous-phase tones, one per symbol, chosen at random from the grid.
void AddToneHops(std::span<float> out, double rms, double first, double spacing, int tones, double baud,
                 Random& random) {
  std::vector<double> wave(out.size());
  double phase = random.Uniform() * 2 * kPi;
  long symbol = -1;
  double frequency = first;
  for (std::size_t n = 0; n < wave.size(); ++n) {
    const long s = static_cast<long>(static_cast<double>(n) * baud / kRate);
    if (s != symbol) {
      symbol = s;
      frequency = first + spacing * random.Below(tones);
    }
    phase = std::fmod(phase + 2 * kPi * frequency / kRate, 2 * kPi);
    wave[n] = std::cos(phase);
  }
  AddScaled(out, wave, rms);
}

// The root-raised-cosine pulse at t symbol periods from its centre.
double RootRaisedCosine(double t, double beta) {
  if (t == 0) return 1 - beta + 4 * beta / kPi;
  if (std::abs(std::abs(t) - 1 / (4 * beta)) < 1e-9)
    return beta / std::sqrt(2.0) *
           ((1 + 2 / kPi) * std::sin(kPi / (4 * beta)) + (1 - 2 / kPi) * std::cos(kPi / (4 * beta)));
  const double x = 4 * beta * t;
  return (std::sin(kPi * t * (1 - beta)) + x * std::cos(kPi * t * (1 + beta))) / (kPi * t * (1 - x * x));
}

}  // namespace

void AddOfdm(std::span<float> out, double rms, double offset, Random& random) {
  constexpr int kUseful = 256, kPrefix = 32, kFirst = 13, kCarriers = 52;
  std::vector<double> wave(out.size());
  std::vector<double> re(kCarriers), im(kCarriers);
  for (std::size_t start = 0; start < wave.size(); start += kUseful + kPrefix) {
    for (int k = 0; k < kCarriers; ++k) {
      const int quadrant = random.Below(4);
      re[static_cast<std::size_t>(k)] = std::cos(kPi / 4 + quadrant * kPi / 2);
      im[static_cast<std::size_t>(k)] = std::sin(kPi / 4 + quadrant * kPi / 2);
    }
    // Sample -kPrefix..kUseful-1 of the symbol: the prefix repeats its end.
    for (int n = -kPrefix; n < kUseful; ++n) {
      const std::size_t at = start + static_cast<std::size_t>(n + kPrefix);
      if (at >= wave.size()) break;
      double sum = 0;
      for (int k = 0; k < kCarriers; ++k) {
        const double f = (kFirst + k) * kRate / kUseful + offset;
        const double angle = 2 * kPi * f * n / kRate;
        sum += re[static_cast<std::size_t>(k)] * std::cos(angle) - im[static_cast<std::size_t>(k)] * std::sin(angle);
      }
      wave[at] = sum;
    }
  }
  AddScaled(out, wave, rms);
}

void AddFsk4(std::span<float> out, double rms, double offset, Random& random) {
  AddToneHops(out, rms, 1200 + offset, 200, 4, 50, random);
}

void AddMfsk(std::span<float> out, double rms, double offset, Random& random) {
  AddToneHops(out, rms, 1000 + offset, 31.25, 32, 31.25, random);
}

void AddPsk2400(std::span<float> out, double rms, double offset, Random& random) {
  constexpr double kBaud = 2400, kBeta = 0.2, kCarrier = 1650;
  constexpr int kSpan = 6;  // symbols each side of the pulse's centre
  const std::size_t symbols = static_cast<std::size_t>(static_cast<double>(out.size()) * kBaud / kRate) + 2 * kSpan + 2;
  std::vector<double> re(symbols), im(symbols);
  for (std::size_t k = 0; k < symbols; ++k) {
    const int quadrant = random.Below(4);
    re[k] = std::cos(kPi / 4 + quadrant * kPi / 2);
    im[k] = std::sin(kPi / 4 + quadrant * kPi / 2);
  }
  std::vector<double> wave(out.size());
  const double step = 2 * kPi * (kCarrier + offset) / kRate;
  for (std::size_t n = 0; n < wave.size(); ++n) {
    const double position = static_cast<double>(n) * kBaud / kRate + kSpan;  // in symbols
    const long centre = static_cast<long>(std::floor(position));
    double i = 0, q = 0;
    for (long k = centre - kSpan; k <= centre + kSpan + 1; ++k) {
      const double p = RootRaisedCosine(position - static_cast<double>(k), kBeta);
      i += p * re[static_cast<std::size_t>(k)];
      q += p * im[static_cast<std::size_t>(k)];
    }
    const double angle = step * static_cast<double>(n);
    wave[n] = i * std::cos(angle) - q * std::sin(angle);
  }
  AddScaled(out, wave, rms);
}

}  // namespace velmora::signalgen
