#pragma once
// The maths of the signal side: the transform, windows, the Bessel function,
// the Hilbert filter and decibels. All pure functions.
#include <cmath>
#include <cstdint>
#include <span>

namespace velmora {

// One entry of the spectrum work array, in single precision.
struct Complex {
  float re = 0;
  float im = 0;
  bool operator==(const Complex&) const = default;
};

// The constants the stored results were computed with.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717959;

// 10·log10(x) and 20·log10(x); -100 when x <= 0 (or not a number), never
// minus infinity; kept within -300..300.
double Db10(double x);
double Db20(double x);

// conj(a)·b: re = a.re·b.re + a.im·b.im, im = a.re·b.im - b.re·a.im.
Complex ConjugateProduct(Complex a, Complex b);

// In-place complex FFT of entries 0..2^log2n - 1, radix-2 decimation in
// frequency with twiddles by recurrence, then bit reversal. Direction 1 is
// the forward transform (kernel e^-iθ), unscaled; -1 the inverse, divided
// by n. This is the plain form; FftPlan computes the same numbers faster.
void Fft(int direction, std::span<Complex> data, int log2n);

// Multiplies entries 1..n (re and im) by the window of the given type
// (2 Hanning, 3 Hamming, 4 Blackman, 6 triangular, 7 Kaiser β = 6, 8 the
// flat-top); any other type leaves the data unchanged.
void Window(int type, std::span<Complex> data, int n);
// The weight of entry i (1-based) of an n-point window; 1 for unknown types.
double WindowWeight(int type, int i, int n);
// A ramp from 0 at x <= 0 to 1 at x >= 1, half a raised cosine between: a
// taper over a distance, where WindowWeight is a window over a length.
inline double RaisedCosineRamp(double x) { return x <= 0 ? 0.0 : x >= 1 ? 1.0 : 0.5 - 0.5 * std::cos(kPi * x); }

// Modified Bessel function of order 0 by its power series.
double BesselI0(double x);

// The 28-tap Hilbert filter: im[i] = Σ c[m]·(re[i - (2m-1)] - re[i + (2m-1)]),
// m = 1..14, entries outside the array counting as 0. Single precision.
void Hilbert(std::span<const float> re, std::span<float> im);

}  // namespace velmora
