#include "tools/signalgen/Receiver.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/FftPlan.h"
#include "common/SampleFormat.h"
#include "tools/signalgen/SignalGen.h"
#include "tools/signalgen/Waveform.h"

namespace velmora::signalgen {
namespace {

constexpr int kTapsLog2 = 11;   // 2048-point design: about 5 Hz steps
constexpr int kBlockLog2 = 13;  // the overlap-add transform

// Linear-phase taps whose response follows PassbandDb, windowed (Blackman).
std::vector<float> Taps(const Passband& band) {
  const std::size_t n = std::size_t{1} << kTapsLog2;
  std::vector<double> gain(n / 2 + 1);
  for (std::size_t k = 0; k < gain.size(); ++k)
    gain[k] = std::pow(10.0, PassbandDb(band, static_cast<double>(k) * kRate / static_cast<double>(n)) / 20);
  std::vector<float> taps(n - 1);
  const double middle = static_cast<double>(n / 2 - 1);
  for (std::size_t i = 0; i < taps.size(); ++i) {
    const double t = static_cast<double>(i) - middle;
    double sum = gain[0];
    for (std::size_t k = 1; k < n / 2; ++k)
      sum += 2 * gain[k] * std::cos(2 * std::numbers::pi * static_cast<double>(k) * t / static_cast<double>(n));
    sum += gain[n / 2] * std::cos(std::numbers::pi * t);
    const double w = static_cast<double>(i) / static_cast<double>(taps.size() - 1);
    const double blackman = 0.42 - 0.5 * std::cos(2 * std::numbers::pi * w) + 0.08 * std::cos(4 * std::numbers::pi * w);
    taps[i] = static_cast<float>(sum / static_cast<double>(n) * blackman);
  }
  return taps;
}

}  // namespace

double PassbandDb(const Passband& band, double f) {
  const double outside = std::max(band.low - f, f - band.high);
  if (outside <= 0) return 0;
  if (band.skirt <= 0 || outside >= band.skirt) return -band.depthDb;
  return -band.depthDb * outside / band.skirt;
}

void ApplyPassband(std::span<float> x, const Passband& band) {
  const std::vector<float> taps = Taps(band);
  const std::size_t block = std::size_t{1} << kBlockLog2, step = block - taps.size() + 1;
  const std::size_t delay = taps.size() / 2;
  FftPlan fft;
  std::vector<Complex> response(block), work(block);
  for (std::size_t i = 0; i < taps.size(); ++i) response[i].re = taps[i];
  fft.Transform(1, response, kBlockLog2);
  std::vector<float> y(x.size() + taps.size(), 0.0f);
  for (std::size_t start = 0; start < x.size(); start += step) {
    std::fill(work.begin(), work.end(), Complex{});
    for (std::size_t i = 0; i < step && start + i < x.size(); ++i) work[i].re = x[start + i];
    fft.Transform(1, work, kBlockLog2);
    for (std::size_t k = 0; k < block; ++k) {
      const Complex a = work[k], h = response[k];
      work[k] = {a.re * h.re - a.im * h.im, a.re * h.im + a.im * h.re};
    }
    fft.Transform(-1, work, kBlockLog2);
    for (std::size_t i = 0; i < block && start + i < y.size(); ++i) y[start + i] += work[i].re;
  }
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = y[i + delay];
}

void ApplyAgc(std::span<float> x, const AgcSwing& agc, Random& random) {
  if (agc.period <= 0) return;
  const double phase = random.Uniform() * 2 * std::numbers::pi, step = 2 * std::numbers::pi / (agc.period * kRate);
  for (std::size_t n = 0; n < x.size(); ++n)
    x[n] *= static_cast<float>(1 + agc.depth * std::sin(phase + step * static_cast<double>(n)));
}

void AddHum(std::span<float> x, const Hum& hum, Random& random) {
  std::vector<double> wave(x.size());
  for (int h = 1; h <= hum.harmonics && h * hum.mains < kRate / 2; ++h) {
    const double level = (h % 2 ? 1.0 : hum.evenLevel) / std::pow(h, hum.slope);
    const double phase = random.Uniform() * 2 * std::numbers::pi;
    const double step = 2 * std::numbers::pi * h * hum.mains / kRate;
    for (std::size_t n = 0; n < wave.size(); ++n) wave[n] += level * std::cos(phase + step * static_cast<double>(n));
  }
  AddScaled(x, wave, hum.rms);
}

std::vector<std::size_t> AddCrashes(std::span<float> x, const Crashes& crashes, double noiseRms, Random& random) {
  std::vector<std::size_t> starts;
  if (crashes.perSecond <= 0) return starts;
  const double peak = noiseRms * std::pow(10.0, crashes.peakDb / 20);
  const double total = static_cast<double>(x.size()) / kRate;
  // A crash is a few strokes within some milliseconds, each a decaying burst.
  for (double t = -std::log(1 - random.Uniform()) / crashes.perSecond; t < total;
       t += -std::log(1 - random.Uniform()) / crashes.perSecond) {
    const auto first = static_cast<std::size_t>(t * kRate);
    starts.push_back(first);
    const int strokes = 1 + random.Below(3);
    for (int s = 0; s < strokes; ++s) {
      const auto start = first + static_cast<std::size_t>(random.Uniform() * 0.02 * kRate);
      const double decay = 0.0003 + 0.003 * random.Uniform(), height = peak * (0.4 + 0.6 * random.Uniform());
      const auto length = static_cast<std::size_t>(5 * decay * kRate);
      for (std::size_t i = 0; i < length && start + i < x.size(); ++i)
        x[start + i] +=
            static_cast<float>(height * std::exp(-(static_cast<double>(i) / kRate) / decay) * random.Gaussian() / 2);
    }
  }
  return starts;
}

void ApplyCrashRecovery(std::span<float> x, std::span<const std::size_t> crashes, double recovery) {
  if (recovery <= 0 || crashes.empty()) return;
  std::size_t next = 0;
  double since = 1e9;  // seconds since the last crash
  for (std::size_t n = 0; n < x.size(); ++n) {
    // Held low through the crash's own few milliseconds, then recovering.
    while (next < crashes.size() && crashes[next] <= n) since = -0.02, ++next;
    since += 1 / kRate;
    const double gain = since <= 0 ? 0.1 : 1 - 0.9 * std::exp(-since / recovery);
    x[n] *= static_cast<float>(gain);
  }
}

}  // namespace velmora::signalgen
