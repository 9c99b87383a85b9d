#include "analysis/MathLib.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmora {
namespace {

double ClampDb(double db) { return std::clamp(db, -300.0, 300.0); }

}  // namespace

double Db10(double x) {
  if (!(x > 0)) return -100;
  return ClampDb(10 * std::log10(x));
}

double Db20(double x) {
  if (!(x > 0)) return -100;
  return ClampDb(20 * std::log10(x));
}

Complex ConjugateProduct(Complex a, Complex b) {
  return {a.re * b.re + a.im * b.im, a.re * b.im - b.re * a.im};
}

void Fft(int direction, std::span<Complex> data, int log2n) {
  if (log2n <= 0) return;
  const std::size_t n = std::size_t{1} << log2n;
  if (data.size() < n) return;

  for (int stage = 1; stage <= log2n; ++stage) {
    const std::size_t span = std::size_t{1} << (log2n - stage + 1);
    const std::size_t half = span / 2;
    const double angle = direction * kPi / static_cast<double>(half);
    const double stepRe = std::cos(angle), stepIm = -std::sin(angle);
    double wRe = 1, wIm = 0;
    for (std::size_t j = 0; j < half; ++j) {
      for (std::size_t k = j; k < n; k += span) {
        const std::size_t p = k + half;
        const Complex a = data[k], b = data[p];
        const float diffRe = a.re - b.re, diffIm = a.im - b.im;
        data[k] = {a.re + b.re, a.im + b.im};
        data[p] = {static_cast<float>(diffRe * wRe - diffIm * wIm), static_cast<float>(diffRe * wIm + diffIm * wRe)};
      }
      const double nextRe = wRe * stepRe - wIm * stepIm;
      wIm = wRe * stepIm + wIm * stepRe;
      wRe = nextRe;
    }
  }

  // Bit reversal: j runs through the reversed indices by halving.
  for (std::size_t i = 0, j = 0; i < n - 1; ++i) {
    if (i < j) std::swap(data[i], data[j]);
    std::size_t k = n / 2;
    while (k <= j) {
      j -= k;
      k /= 2;
    }
    j += k;
  }

  if (direction == -1) {
    const float scale = static_cast<float>(n);
    for (std::size_t i = 0; i < n; ++i) data[i] = {data[i].re / scale, data[i].im / scale};
  }
}

double WindowWeight(int type, int i, int n) {
  const double x = kTwoPi * i / n;
  switch (type) {
    case 2:
      return 0.5 - 0.5 * std::cos(x);
    case 3:
      return 0.54 - 0.46 * std::cos(x);
    case 4:
      return 0.42 - 0.5 * std::cos(x) + 0.08 * std::cos(2 * x);
    case 6: {
      const int halfN = n / 2;
      if (halfN == 0) return 1;  // one point: no slope to divide by
      return 1 - std::abs(halfN - i) / static_cast<double>(halfN);
    }
    case 7: {
      const double u = 2.0 * i / n - 1;
      return BesselI0(6 * std::sqrt(std::max(0.0, 1 - u * u))) / BesselI0(6);
    }
    case 8:
      return 1 - 1.88492 * std::cos(x) + 0.88492 * std::cos(2 * x);
    default:
      return 1;
  }
}

void Window(int type, std::span<Complex> data, int n) {
  if (type != 2 && type != 3 && type != 4 && type != 6 && type != 7 && type != 8) return;
  n = std::min<int>(n, static_cast<int>(data.size()));
  for (int i = 1; i <= n; ++i) {
    const double w = WindowWeight(type, i, n);
    Complex& c = data[i - 1];
    c = {static_cast<float>(c.re * w), static_cast<float>(c.im * w)};
  }
}

double BesselI0(double x) {
  double sum = 1, term = 1;
  const double halfX = x / 2;
  for (int k = 1; k < 1000; ++k) {
    term *= halfX / k;
    const double t = term * term;
    sum += t;
    if (t <= 1e-6 * std::abs(sum)) break;
  }
  return sum;
}

void Hilbert(std::span<const float> re, std::span<float> im) {
  static constexpr float c[14] = {0.635527f, 0.208936f, 0.121930f, 0.083510f, 0.061375f, 0.046726f, 0.036199f,
                                  0.028230f, 0.021989f, 0.017011f, 0.012993f, 0.009742f, 0.007117f, 0.009512f};
  const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(std::min(re.size(), im.size()));
  auto at = [&](std::ptrdiff_t i) { return i >= 0 && i < n ? re[i] : 0.0f; };
  for (std::ptrdiff_t i = 0; i < n; ++i) {
    float sum = 0;
    if (i >= 27 && i + 27 < n) {
      for (int m = 0; m < 14; ++m) sum += c[m] * (re[i - (2 * m + 1)] - re[i + (2 * m + 1)]);
    } else {
      for (int m = 0; m < 14; ++m) sum += c[m] * (at(i - (2 * m + 1)) - at(i + (2 * m + 1)));
    }
    im[i] = sum;
  }
}

}  // namespace velmora
