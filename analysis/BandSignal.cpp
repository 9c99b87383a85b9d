#include "analysis/BandSignal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <utility>

#include "analysis/Bins.h"

namespace velmora {
namespace {

constexpr double kCrest = 5;     // peak over RMS: above it, an impulse (a modem's peaks, even OFDM's, stay below)
constexpr double kTaperHz = 50;  // the passband's edges fade over this, so the signal rings little
constexpr std::int32_t kSolveMargin = 12;  // bins solved beyond the passband: the error dies away within them
// A steady tone's fit: its bins either side of its peak, how far its
// frequency is searched from the bin it peaks in, the steps of that search
// (to a millionth of a bin) and the most of the bins' power the fit may
// leave (more: no steady tone, a modem's keyed one).
constexpr std::int32_t kToneFitBins = 3;
constexpr double kToneFitReach = 0.6;
constexpr int kToneFitSteps = 28;
constexpr double kToneFitWorst = 0.1;
// The analysis window w(j) = 0.54 - 0.46 cos(2 pi (j + 1) / n) for sample j.
constexpr double kCentre = 0.54, kSide = 0.23;

// A tone at bin `at` of complex amplitude a, a (cot(pi (k - at) / n) + i) at
// bin k unweighted, from `firstBin` on: the angle steps a bin at a time by
// rotation.
class ToneSkirt {
 public:
  ToneSkirt(double at, std::complex<double> a, std::int32_t firstBin, double step)
      : a_(a), c_(std::cos(step * (firstBin - at))), s_(std::sin(step * (firstBin - at))) {}
  // Out of the next bin.
  void TakeFrom(std::complex<double>& x, double c1, double s1) {
    if (std::abs(s_) > 1e-12) x -= a_ * std::complex<double>(c_ / s_, 1);
    const double next = c_ * c1 - s_ * s1;
    s_ = s_ * c1 + c_ * s1, c_ = next;
  }

 private:
  std::complex<double> a_;
  double c_, s_;
};

// A real tone at bin f of complex amplitude a from `firstBin` on: the
// tone, and its mirror at -f, -conj(a) (cot(pi (k + f) / n) + i), a real
// tone's other half, some 70 dB under its peak and nearly flat, above the
// noise of a carrier 40 dB over it. Each bin loses the tone, then its
// mirror; the two rotations run side by side, neither waiting on the
// other's last step.
class ToneAndMirror {
 public:
  ToneAndMirror(double f, std::complex<double> a, std::int32_t firstBin, std::int32_t n)
      : c1_(std::cos(kPi / n)),
        s1_(std::sin(kPi / n)),
        tone_(f, a, firstBin, kPi / n),
        mirror_(-f, -std::conj(a), firstBin, kPi / n) {}
  void TakeFrom(std::complex<double>& x) { tone_.TakeFrom(x, c1_, s1_), mirror_.TakeFrom(x, c1_, s1_); }

 private:
  double c1_, s1_;  // a bin's step of the angles
  ToneSkirt tone_, mirror_;
};

// Takes a tone at bin f of complex amplitude a, with its mirror, out of
// the bins from `firstBin` on.
void TakeOutTone(std::span<std::complex<double>> bins, std::int32_t firstBin, double f,
                 std::complex<double> amplitude, std::int32_t n) {
  ToneAndMirror tone(f, amplitude, firstBin, n);
  for (auto& x : bins) tone.TakeFrom(x);
}

// The same tone out of the passband's bins (from `firstBin`) and, with the
// opposite sign, into the sum of those taken out, which starts a bin
// lower and ends a bin higher: the four rotations side by side.
void TakeOutToneTwice(std::span<std::complex<double>> bins, std::span<std::complex<double>> sum,
                      std::int32_t firstBin, double f, std::complex<double> amplitude, std::int32_t n) {
  ToneAndMirror tone(f, amplitude, firstBin, n), sumTone(f, -amplitude, firstBin - 1, n);
  sumTone.TakeFrom(sum[0]);
  for (std::size_t i = 0; i < bins.size(); ++i) tone.TakeFrom(bins[i]), sumTone.TakeFrom(sum[i + 1]);
  for (std::size_t i = bins.size() + 1; i < sum.size(); ++i) sumTone.TakeFrom(sum[i]);
}

}  // namespace

double BandSignal::Resolution() const { return n_ > 0 ? kSampleRate / static_cast<double>(n_) : 0.0; }

std::int32_t BandSignal::Bin(double frequency) const { return BinOf(frequency, n_); }

bool BandSignal::Take(const PowerDensity& spectrum) {
  transform_ = spectrum.Transform();
  n_ = spectrum.N();
  tonesOut_ = false;
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
  flat_.resize(flatPower_.size());
  for (std::int32_t b = first; b <= last; ++b) {
    const int h = b > middle ? 1 : 0;
    const auto i = static_cast<std::size_t>(b - from[h]);
    flat_[static_cast<std::size_t>(b - first)] = {solvedRe_[h][i], solvedIm_[h][i]};
    flatPower_[static_cast<std::size_t>(b - first)] =
        solvedRe_[h][i] * solvedRe_[h][i] + solvedIm_[h][i] * solvedIm_[h][i];
  }
}

// Unweighted, a tone's power falls off only as 1/k^2 from its bin: a strong
// carrier stands over the noise for tens of bins either side, the same in
// every buffer, and its skirts ripple the spectrum as a modem's symbols do.
// A tone at bin f of complex amplitude a is a (cot(pi (k - f) / N) + i) at
// bin k, its frequency found where that fits the bins round its peak best;
// fitted twice, the second time with the other tones taken out of those
// bins, then all taken out of the passband.
void BandSignal::RemoveTones(std::span<const double> frequencies) {
  if (frequencies.empty() || flat_.empty()) return;
  fitted_.assign(frequencies.size(), {0.0, 0.0});
  for (int pass = 0; pass < 2; ++pass)
    for (std::size_t t = 0; t < fitted_.size(); ++t)
      fitted_[t] = FitTone(pass == 0 ? frequencies[t] / Resolution() : fitted_[t].first, t);
  // Summed, a bin beyond the passband each side, so each bin's weighted
  // share (0.54 of its own, 0.23 of each neighbour's, turned as the
  // window's solve turns them) comes out of the weighted power too.
  toneSum_.assign(flat_.size() + 2, 0.0);
  for (const auto& [f, amplitude] : fitted_)
    if (amplitude != 0.0) {
      TakeOutToneTwice(flat_, toneSum_, FirstBin(), f, amplitude, n_);
      tonesOut_ = true;
    }
  for (std::size_t i = 0; i < flat_.size(); ++i) flatPower_[i] = std::norm(flat_[i]);
  if (!tonesOut_) return;
  tonelessPower_ = power_;
  const std::complex<double> step = -kSide * std::polar(1.0, 2 * kPi / n_);
  for (std::size_t i = 0; i < flat_.size(); ++i) {
    const std::size_t b = static_cast<std::size_t>(FirstBin()) + i;
    if (b >= tonelessPower_.size()) break;
    const std::complex<double> weighted =
        step * toneSum_[i] + kCentre * toneSum_[i + 1] + std::conj(step) * toneSum_[i + 2];
    tonelessPower_[b] = std::norm(std::complex<double>(transform_[b].re, transform_[b].im) - weighted);
  }
}

// Tone `self` near `bin`: its frequency in bins and amplitude (0 when the
// bins round it fit no tone), the other tones fitted so far taken out.
std::pair<double, std::complex<double>> BandSignal::FitTone(double bin, std::size_t self) const {
  const std::int32_t first = FirstBin(), last = first + static_cast<std::int32_t>(flat_.size()) - 1;
  const std::int32_t reach = kToneFitBins + 1;
  if (!(bin > first && bin < last)) return {bin, 0.0};  // far off, or no number
  const auto near = static_cast<std::int32_t>(std::lround(bin));
  if (near - reach < first || near + reach > last) return {bin, 0.0};
  std::array<std::complex<double>, 2 * (kToneFitBins + 1) + 1> x;
  std::copy_n(flat_.begin() + (near - reach - first), x.size(), x.begin());
  // The other tones out of these bins (a hum's tens of lines each take
  // every other out).
  for (std::size_t u = 0; u < fitted_.size(); ++u)
    if (u != self && fitted_[u].second != 0.0) TakeOutTone(x, near - reach, fitted_[u].first, fitted_[u].second, n_);
  std::int32_t peak = near;
  for (std::int32_t b = near - 1; b <= near + 1; ++b)
    if (std::norm(x[static_cast<std::size_t>(b - near + reach)]) >
        std::norm(x[static_cast<std::size_t>(peak - near + reach)]))
      peak = b;
  const std::int32_t from = peak - kToneFitBins, to = peak + kToneFitBins;
  auto at = [&](std::int32_t b) { return x[static_cast<std::size_t>(b - near + reach)]; };
  double power = 0;
  for (std::int32_t b = from; b <= to; ++b) power += std::norm(at(b));
  // What a tone at f leaves of the bins' power, and its amplitude; the
  // angle steps a bin at a time by rotation.
  const double step = kPi / n_, c1 = std::cos(step), s1 = std::sin(step);
  auto left = [&](double f, std::complex<double>& a) {
    // A few bins' angle: its sine and cosine by their series, to the last digit.
    const double y = step * (from - f), y2 = y * y;
    double c = 1 - y2 / 2 * (1 - y2 / 12), s = y * (1 - y2 / 6 * (1 - y2 / 20));
    std::complex<double> dot = 0;
    double norm = 0;
    for (std::int32_t b = from; b <= to; ++b) {
      const std::complex<double> g(std::abs(s) > 1e-12 ? c / s : 1e12, 1);
      dot += at(b) * std::conj(g), norm += std::norm(g);
      const double next = c * c1 - s * s1;
      s = s * c1 + c * s1, c = next;
    }
    a = dot / norm;
    return power - std::norm(dot) / norm;
  };
  // Golden section.
  constexpr double kGolden = 0.6180339887498949;
  double low = peak - kToneFitReach, high = peak + kToneFitReach;
  double x1 = high - kGolden * (high - low), x2 = low + kGolden * (high - low);
  std::complex<double> a;
  double y1 = left(x1, a), y2 = left(x2, a);
  for (int i = 0; i < kToneFitSteps; ++i) {
    if (y1 < y2)
      high = x2, x2 = x1, y2 = y1, x1 = high - kGolden * (high - low), y1 = left(x1, a);
    else
      low = x1, x1 = x2, y1 = y2, x2 = low + kGolden * (high - low), y2 = left(x2, a);
  }
  const double f = (low + high) / 2;
  return {f, left(f, a) < kToneFitWorst * power ? a : 0.0};
}

void BandSignal::LimitToPassband(std::span<const std::uint8_t> dropped) {
  const std::int32_t quarter = n_ / 4, first = FirstBin(), last = LastBin(), centre = CentreBin();
  if (shaped_ != n_) Shape();
  // The passband alone, its edges tapered, moved down to 0 Hz.
  analytic_.assign(static_cast<std::size_t>(quarter), Complex{});
  // Bin b goes to (b - centre) modulo the quarter, stepped along rather
  // than divided for at every bin.
  std::int32_t to = ((first - centre) % quarter + quarter) % quarter;
  for (std::int32_t b = first; b <= last; ++b, to = to + 1 == quarter ? 0 : to + 1) {
    if (!dropped.empty() && dropped[static_cast<std::size_t>(b - first)]) continue;
    const double weight = taper_[static_cast<std::size_t>(b - first)];
    const Complex& c = transform_[static_cast<std::size_t>(b)];
    analytic_[static_cast<std::size_t>(to)] = {static_cast<float>(c.re * weight), static_cast<float>(c.im * weight)};
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
