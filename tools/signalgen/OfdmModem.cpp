#include "tools/signalgen/OfdmModem.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "common/SampleFormat.h"
#include "tools/signalgen/Waveform.h"

namespace velmora::signalgen {

void AddOfdm(std::span<float> out, const OfdmParams& p, double rms, Random& random) {
  if (p.carriers < 1 || p.spacing <= 0) return;
  constexpr double rate = kSampleRate;
  const double useful = 1 / p.spacing, symbol = useful * (1 + p.guard);
  const auto carriers = static_cast<std::size_t>(p.carriers);
  std::vector<std::complex<double>> data(carriers), turn(carriers), now(carriers);
  for (std::size_t k = 0; k < carriers; ++k) {
    const double offset = (static_cast<double>(k) - (p.carriers - 1) / 2.0) * p.spacing;
    turn[k] = std::polar(1.0, 2 * std::numbers::pi * offset / rate);
  }
  const double clock = random.Uniform() * symbol;  // of a symbol gone at the first sample
  const double carrierStep = 2 * std::numbers::pi * p.center / rate;
  const double carrierStart = random.Uniform() * 2 * std::numbers::pi;
  std::vector<double> wave(out.size());
  long current = -1;
  for (std::size_t n = 0; n < wave.size(); ++n) {
    const double t = static_cast<double>(n) / rate + clock;
    const auto s = static_cast<long>(std::floor(t / symbol));
    if (s != current) {
      current = s;
      for (auto& d : data) {
        auto axis = [&] { return 2.0 * random.Below(p.levels) - (p.levels - 1); };
        d = {axis(), axis()};
      }
      // Each carrier's phase at this sample: its position in the useful
      // part, which the prefix reaches back into.
      const double tau = t - s * symbol - p.guard * useful;
      for (std::size_t k = 0; k < carriers; ++k) {
        const double offset = (static_cast<double>(k) - (p.carriers - 1) / 2.0) * p.spacing;
        now[k] = data[k] * std::polar(1.0, 2 * std::numbers::pi * offset * tau);
      }
    }
    std::complex<double> sum = 0;
    for (std::size_t k = 0; k < carriers; ++k) {
      sum += now[k];
      now[k] *= turn[k];
    }
    wave[n] = std::real(sum * std::polar(1.0, carrierStart + carrierStep * static_cast<double>(n)));
  }
  AddScaled(out, wave, rms);
}

}  // namespace velmora::signalgen
