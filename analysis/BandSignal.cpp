#include "analysis/BandSignal.h"

#include <algorithm>
#include <cmath>

#include "analysis/Bins.h"

namespace velmora {
namespace {

constexpr double kCrest = 5;     // peak over RMS: above it, an impulse (a modem's peaks, even OFDM's, stay below)
constexpr double kTaperHz = 50;  // the passband's edges fade over this, so the signal rings little

int Log2(std::int32_t n) {
  int log2n = 0;
  while ((std::int32_t{1} << log2n) < n) ++log2n;
  return log2n;
}

}  // namespace

double BandSignal::Resolution() const { return n_ > 0 ? kSampleRate / static_cast<double>(n_) : 0.0; }

std::int32_t BandSignal::Bin(double frequency) const { return BinOf(frequency, n_); }

void BandSignal::Take(std::span<const std::int16_t> samples, std::int32_t n) {
  n_ = n;
  const auto size = static_cast<std::size_t>(n);
  const std::size_t count = std::min(samples.size(), size);
  double mean = 0;
  for (std::size_t i = 0; i < count; ++i) mean += samples[i];
  mean = count ? mean / static_cast<double>(count) : 0.0;
  transform_.assign(size, Complex{});
  double squares = 0, peak = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double v = samples[i] - mean;
    transform_[i].re = static_cast<float>(v);
    squares += v * v;
    peak = std::max(peak, std::abs(v));
  }
  impulsive_ = count > 0 && peak > kCrest * std::sqrt(squares / static_cast<double>(count));
  fft_.Transform(1, transform_, Log2(n));

  // The Hamming window applied afterwards: each bin less a share of its neighbours.
  const std::int32_t top = Bin(kQuietBandHigh);
  power_.resize(static_cast<std::size_t>(top + 1));
  flatPower_.resize(power_.size());
  for (std::int32_t b = 0; b <= top; ++b) {
    const Complex& c = transform_[static_cast<std::size_t>(b)];
    const Complex& l = transform_[static_cast<std::size_t>((b + n - 1) % n)];
    const Complex& r = transform_[static_cast<std::size_t>(b + 1)];
    const double re = 0.54 * c.re - 0.23 * (l.re + r.re), im = 0.54 * c.im - 0.23 * (l.im + r.im);
    power_[static_cast<std::size_t>(b)] = re * re + im * im;
    flatPower_[static_cast<std::size_t>(b)] = static_cast<double>(c.re) * c.re + static_cast<double>(c.im) * c.im;
  }
}

void BandSignal::LimitToPassband(std::span<const std::uint8_t> dropped) {
  const std::int32_t n = n_;

  // The passband alone, its edges tapered, moved down to 0 Hz.
  const std::int32_t half = n / 2, first = FirstBin(), last = LastBin(), centre = CentreBin();
  analytic_.assign(static_cast<std::size_t>(half), Complex{});
  const double taper = std::max(1.0, kTaperHz / Resolution());
  for (std::int32_t b = first; b <= last; ++b) {
    if (!dropped.empty() && dropped[static_cast<std::size_t>(b - first)]) continue;
    const double inside = std::min(b - first, last - b) + 0.5;
    const double weight = inside >= taper ? 1.0 : 0.5 - 0.5 * std::cos(3.14159265358979 * inside / taper);
    const Complex& c = transform_[static_cast<std::size_t>(b)];
    analytic_[static_cast<std::size_t>(((b - centre) % half + half) % half)] = {static_cast<float>(c.re * weight),
                                                                               static_cast<float>(c.im * weight)};
  }
  fft_.Transform(-1, analytic_, Log2(half));
}

}  // namespace velmora
