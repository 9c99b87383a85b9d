#include "tools/signalgen/FadingChannel.h"

#include <cmath>
#include <complex>
#include <numbers>

#include "common/Format.h"
#include "common/TextParse.h"
#include "tools/signalgen/Random.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora::signalgen {
namespace {

using Cx = std::complex<double>;
constexpr int kSinusoids = 64;      // per path gain: enough for its values to be Gaussian
constexpr std::size_t kGainStep = 16;  // samples between two gain values (1.5 ms; flutter fades in tens of ms)

// In place, length a power of two; inverse scaled by 1/n.
void Transform(std::vector<Cx>& a, bool inverse) {
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const double angle = (inverse ? 2 : -2) * std::numbers::pi / static_cast<double>(len);
    std::vector<Cx> w(len / 2);
    for (std::size_t k = 0; k < len / 2; ++k) w[k] = std::polar(1.0, angle * static_cast<double>(k));
    for (std::size_t i = 0; i < n; i += len)
      for (std::size_t k = 0; k < len / 2; ++k) {
        const Cx u = a[i + k], v = a[i + k + len / 2] * w[k];
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
  }
  if (inverse)
    for (Cx& x : a) x /= static_cast<double>(n);
}

}  // namespace

bool NamedChannel(std::string_view name, FadingChannel& channel) {
  if (name == "static") {
    channel = {};
    return true;
  }
  for (const FadingChannel& c : NamedChannels())
    if (c.name == name) {
      channel = c;
      return true;
    }
  return false;
}

std::vector<FadingChannel> NamedChannels() {
  return {{"good", 2, 0.5, 0.1}, {"moderate", 2, 1, 0.5}, {"poor", 2, 2, 1}, {"flutter", 2, 0.5, 10}};
}

FadingChannel CustomChannel(int paths, double delayMs, double spreadHz) {
  return {IntegerText(paths) + " paths, " + ShortestSingle(static_cast<float>(delayMs)) + " ms, " +
              ShortestSingle(static_cast<float>(spreadHz)) + " Hz",
          paths, delayMs, spreadHz};
}

bool ParseChannel(std::string_view text, FadingChannel& channel) {
  if (NamedChannel(text, channel)) return true;
  std::vector<double> parts;
  for (std::size_t from = 0; from <= text.size();) {
    const std::size_t colon = std::min(text.find(':', from), text.size());
    const std::string_view field = text.substr(from, colon - from);
    const auto value = ParseLeadingNumber(field);
    if (field.empty() || field.find_first_not_of("0123456789.") != std::string_view::npos || !value) return false;
    parts.push_back(*value);
    from = colon + 1;
  }
  if (parts.size() != 3 || parts[0] != std::floor(parts[0]) || parts[0] < 1 || parts[0] > 3) return false;
  if (parts[1] > 10 || !(parts[2] > 0 && parts[2] <= 50)) return false;
  channel = CustomChannel(static_cast<int>(parts[0]), parts[1], parts[2]);
  return true;
}

std::vector<double> PathGains(std::size_t values, double step, double spreadHz, std::uint64_t seed) {
  // A sum of sinusoids whose frequencies are drawn from the Doppler
  // spectrum itself: Gaussian values, Gaussian spectrum.
  Random random(seed);
  const double sigma = spreadHz / 2;
  std::vector<Cx> phase(kSinusoids), turn(kSinusoids);
  for (int m = 0; m < kSinusoids; ++m) {
    const double f = sigma * random.Gaussian();
    phase[m] = std::polar(1 / std::sqrt(double{kSinusoids}), 2 * std::numbers::pi * random.Uniform());
    turn[m] = std::polar(1.0, 2 * std::numbers::pi * f * step / kRate);
  }
  std::vector<double> gains(2 * values);
  for (std::size_t i = 0; i < values; ++i) {
    Cx sum = 0;
    for (int m = 0; m < kSinusoids; ++m) {
      sum += phase[m];
      phase[m] *= turn[m];
    }
    gains[2 * i] = sum.real();
    gains[2 * i + 1] = sum.imag();
  }
  return gains;
}

void ApplyFading(std::vector<float>& samples, const FadingChannel& channel, std::uint64_t seed) {
  if (!channel.Fades() || samples.empty()) return;
  const int paths = channel.paths;
  const double longest = std::max(0.0, channel.delayMs) * kRate / 1000;
  std::size_t length = 1;
  while (length < samples.size() + static_cast<std::size_t>(std::ceil(longest)) + 64) length <<= 1;

  // The analytic signal's spectrum: positive frequencies doubled, negative ones gone.
  std::vector<Cx> spectrum(length);
  for (std::size_t n = 0; n < samples.size(); ++n) spectrum[n] = samples[n];
  Transform(spectrum, false);
  for (std::size_t k = 1; k < length / 2; ++k) spectrum[k] *= 2;
  for (std::size_t k = length / 2 + 1; k < length; ++k) spectrum[k] = 0;

  const std::size_t gainValues = samples.size() / kGainStep + 2;
  std::vector<double> out(samples.size(), 0.0);
  std::vector<Cx> path(length);
  for (int p = 0; p < paths; ++p) {
    const double delay = paths > 1 ? longest * p / (paths - 1) : 0.0;  // samples, fractional
    for (std::size_t k = 0; k <= length / 2; ++k) {
      const double turn = -2 * std::numbers::pi * static_cast<double>(k) * delay / static_cast<double>(length);
      path[k] = spectrum[k] * std::polar(1.0, turn);
    }
    std::fill(path.begin() + static_cast<std::ptrdiff_t>(length / 2 + 1), path.end(), Cx{});
    Transform(path, true);
    const auto gains = PathGains(gainValues, kGainStep, channel.spreadHz, seed * 7919 + static_cast<std::uint64_t>(p));
    const double scale = 1 / std::sqrt(static_cast<double>(paths));
    for (std::size_t n = 0; n < samples.size(); ++n) {
      const std::size_t i = n / kGainStep;
      const double frac = static_cast<double>(n % kGainStep) / kGainStep;
      const Cx g0{gains[2 * i], gains[2 * i + 1]}, g1{gains[2 * i + 2], gains[2 * i + 3]};
      out[n] += scale * (((1 - frac) * g0 + frac * g1) * path[n]).real();
    }
  }
  for (std::size_t n = 0; n < samples.size(); ++n) samples[n] = static_cast<float>(out[n]);
}

}  // namespace velmora::signalgen
