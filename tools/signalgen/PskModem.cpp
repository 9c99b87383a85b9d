#include "tools/signalgen/PskModem.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "common/SampleFormat.h"
#include "tools/signalgen/Waveform.h"

namespace velmora::signalgen {

void AddPsk(std::span<float> out, const PskParams& p, double rms, Random& random) {
  if (p.order < 2 || p.baud <= 0) return;
  constexpr double rate = kSampleRate;
  constexpr int kSpan = 6;  // symbols each side of a pulse's centre
  const double beta = std::clamp(p.rollOff, 0.01, 1.0);
  const double clock = random.Uniform();  // of a symbol gone at the first sample
  const auto symbols =
      static_cast<std::size_t>(static_cast<double>(out.size()) * p.baud / rate + clock) + 2 * kSpan + 2;
  std::vector<double> re(symbols), im(symbols);
  // QPSK on the diagonals, as modems place it; 2- and 8-PSK from the axis.
  const double rotation = p.order == 4 ? std::numbers::pi / 4 : 0;
  for (std::size_t k = 0; k < symbols; ++k) {
    const double angle = rotation + 2 * std::numbers::pi * random.Below(p.order) / p.order;
    re[k] = std::cos(angle);
    im[k] = std::sin(angle);
  }
  std::vector<double> wave(out.size());
  const double step = 2 * std::numbers::pi * p.center / rate, start = random.Uniform() * 2 * std::numbers::pi;
  for (std::size_t n = 0; n < wave.size(); ++n) {
    const double position = static_cast<double>(n) * p.baud / rate + clock + kSpan;  // in symbols
    const auto centre = static_cast<long>(std::floor(position));
    double i = 0, q = 0;
    for (long k = centre - kSpan; k <= centre + kSpan + 1; ++k) {
      const double pulse = RootRaisedCosine(position - static_cast<double>(k), beta);
      i += pulse * re[static_cast<std::size_t>(k)];
      q += pulse * im[static_cast<std::size_t>(k)];
    }
    const double angle = start + step * static_cast<double>(n);
    wave[n] = i * std::cos(angle) - q * std::sin(angle);
  }
  AddScaled(out, wave, rms);
}

}  // namespace velmora::signalgen
