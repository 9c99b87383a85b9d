#include "analysis/BandSignal.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "analysis/Bins.h"

namespace velmora {
namespace {

constexpr double kCrest = 5;     // peak over RMS: above it, an impulse (a modem's peaks, even OFDM's, stay below)
constexpr double kTaperHz = 50;  // the passband's edges fade over this, so the signal rings little
constexpr std::int32_t kSolveMargin = 12;  // bins solved beyond the passband: the error dies away within them
// The analysis window w(j) = 0.54 - 0.46 cos(2 pi (j + 1) / n) for sample j.
constexpr double kCentre = 0.54, kSide = 0.23;

}  // namespace

double BandSignal::Resolution() const { return n_ > 0 ? kSampleRate / static_cast<double>(n_) : 0.0; }

std::int32_t BandSignal::Bin(double frequency) const { return BinOf(frequency, n_); }

bool BandSignal::Take(const PowerDensity& spectrum) {
  transform_ = spectrum.Transform();
  n_ = spectrum.N();
  if (transform_.size() != static_cast<std::size_t>(n_ / 2)) return false;
  const std::int32_t top = std::min(Bin(kQuietBandHigh), n_ / 2 - 1);
  power_.resize(static_cast<std::size_t>(top + 1));
  for (std::size_t b = 0; b < power_.size(); ++b)
    power_[b] = static_cast<double>(transform_[b].re) * transform_[b].re +
                static_cast<double>(transform_[b].im) * transform_[b].im;
  Unweigh();
  return true;
}

// The window multiplies each bin's transform by 0.54 and takes 0.23 of each
// neighbour (turned by one bin's phase step): a tridiagonal system, solved
// in two halves of the passband, each with a margin beyond it outside which
// the bins count as 0 (the error dies away within the margin). Both halves
// are worked in one pass, so neither waits on its own last step. The
// elimination depends on the length alone and is kept.
void BandSignal::Unweigh() {
  const std::int32_t first = FirstBin(), last = LastBin(), middle = (first + last) / 2;
  const std::int32_t from[2] = {std::max(1, first - kSolveMargin), middle + 1 - kSolveMargin};
  const auto size = static_cast<std::size_t>(std::max(middle - first + 1, last - middle) + 2 * kSolveMargin);
  // The sub- and super-diagonals: -0.23 turned by +-one bin's phase step.
  const double stepRe = -kSide * std::cos(2 * kPi / n_),
               stepIm = -kSide * std::sin(2 * kPi / n_);
  if (eliminated_ != n_ || upperRe_.size() != size) {
    upperRe_.resize(size), upperIm_.resize(size), inverseRe_.resize(size), inverseIm_.resize(size);
    std::complex<double> last = 0;
    for (std::size_t i = 0; i < size; ++i) {
      const std::complex<double> inverse = 1.0 / (kCentre - std::complex<double>(stepRe, stepIm) * last);
      last = std::complex<double>(stepRe, -stepIm) * inverse;
      inverseRe_[i] = inverse.real(), inverseIm_[i] = inverse.imag();
      upperRe_[i] = last.real(), upperIm_[i] = last.imag();
    }
    eliminated_ = n_;
  }
  for (auto* v : {&solvedRe_[0], &solvedRe_[1], &solvedIm_[0], &solvedIm_[1]}) v->assign(size, 0.0);
  // Forward and back, in plain arithmetic (the library's complex product
  // guards against infinities at a cost paid here per bin).
  double re[2] = {0, 0}, im[2] = {0, 0};
  for (std::size_t i = 0; i < size; ++i)
    for (int h = 0; h < 2; ++h) {
      const auto bin = static_cast<std::size_t>(from[h]) + i;
      const Complex w = bin < transform_.size() ? transform_[bin] : Complex{};
      const double r = w.re - (stepRe * re[h] - stepIm * im[h]), j = w.im - (stepRe * im[h] + stepIm * re[h]);
      re[h] = solvedRe_[h][i] = r * inverseRe_[i] - j * inverseIm_[i];
      im[h] = solvedIm_[h][i] = r * inverseIm_[i] + j * inverseRe_[i];
    }
  for (std::size_t i = size - 1; i-- > 0;)
    for (int h = 0; h < 2; ++h) {
      auto& r = solvedRe_[h];
      auto& j = solvedIm_[h];
      r[i] -= upperRe_[i] * r[i + 1] - upperIm_[i] * j[i + 1];
      j[i] -= upperRe_[i] * j[i + 1] + upperIm_[i] * r[i + 1];
    }
  flatPower_.resize(static_cast<std::size_t>(last - first + 1));
  for (std::int32_t b = first; b <= last; ++b) {
    const int h = b > middle ? 1 : 0;
    const auto i = static_cast<std::size_t>(b - from[h]);
    flatPower_[static_cast<std::size_t>(b - first)] =
        solvedRe_[h][i] * solvedRe_[h][i] + solvedIm_[h][i] * solvedIm_[h][i];
  }
}

void BandSignal::LimitToPassband(std::span<const std::uint8_t> dropped) {
  const std::int32_t quarter = n_ / 4, first = FirstBin(), last = LastBin(), centre = CentreBin();
  if (shaped_ != n_) Shape();
  // The passband alone, its edges tapered, moved down to 0 Hz.
  analytic_.assign(static_cast<std::size_t>(quarter), Complex{});
  for (std::int32_t b = first; b <= last; ++b) {
    if (!dropped.empty() && dropped[static_cast<std::size_t>(b - first)]) continue;
    const double weight = taper_[static_cast<std::size_t>(b - first)];
    const Complex& c = transform_[static_cast<std::size_t>(b)];
    analytic_[static_cast<std::size_t>(((b - centre) % quarter + quarter) % quarter)] = {
        static_cast<float>(c.re * weight), static_cast<float>(c.im * weight)};
  }
  fft_.Transform(-1, analytic_, TransformLog2(static_cast<std::size_t>(quarter)));
  // A crash stands far above the rest of the passband's envelope (the ends,
  // where the window closes, left out).
  double peak = 0, sum = 0;
  const std::size_t skip = analytic_.size() / 8;
  for (std::size_t m = 0; m < analytic_.size(); ++m) {
    Complex& z = analytic_[m];
    z = {static_cast<float>(z.re * unwindow_[m]), static_cast<float>(z.im * unwindow_[m])};
    if (m < skip || m + skip >= analytic_.size()) continue;
    const double power = static_cast<double>(z.re) * z.re + static_cast<double>(z.im) * z.im;
    peak = std::max(peak, power);
    sum += power;
  }
  impulsive_ = peak > kCrest * kCrest * sum / static_cast<double>(analytic_.size() - 2 * skip);
}

// The passband's taper, and what undoes the window at each analytic sample
// (0.08 at the ends: the caller leaves them) with the quarter-size
// transform's scale, so a tone keeps its amplitude.
void BandSignal::Shape() {
  const std::int32_t first = FirstBin(), last = LastBin();
  const double taper = std::max(1.0, kTaperHz / Resolution());
  taper_.resize(static_cast<std::size_t>(last - first + 1));
  for (std::int32_t b = first; b <= last; ++b) {
    const double inside = std::min(b - first, last - b) + 0.5;
    taper_[static_cast<std::size_t>(b - first)] = RaisedCosineRamp(inside / taper);
  }
  unwindow_.resize(static_cast<std::size_t>(n_ / 4));
  for (std::size_t m = 0; m < unwindow_.size(); ++m)
    unwindow_[m] = 0.5 / (kCentre - 2 * kSide * std::cos(2 * kPi * static_cast<double>(4 * m + 1) / n_));
  shaped_ = n_;
}

}  // namespace velmora
