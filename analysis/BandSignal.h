#pragma once
// One buffer as the digital-modem detector reads it, from the transform the
// spectrum analysis made (Hamming weighted): its power per bin up to the
// quiet band above the passband, the passband's power as it would be
// without the window, and the passband's analytic signal, shifted down to
// 0 Hz at a quarter of the sample rate.
#include <complex>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "analysis/FftPlan.h"
#include "analysis/PowerDensity.h"

namespace velmora {

inline constexpr double kModemBandLow = 250, kModemBandHigh = 2950;  // Hz, where modems are looked for
inline constexpr double kQuietBandHigh = 5000;                       // Hz, the spectrum kept reaches this

class BandSignal {
 public:
  // The buffer's transform and samples; false when the transform was not kept.
  bool Take(const PowerDensity& spectrum);
  // The analytic signal of the passband, leaving out the bins marked
  // (steady lines), counted from the first bin of the passband.
  void LimitToPassband(std::span<const std::uint8_t> dropped);
  // Takes the steady tones near these frequencies (Hz), each fitted in
  // this buffer, out of the unweighted power with their skirts, and out of
  // the weighted power's passband.
  void RemoveTones(std::span<const double> frequencies);

  std::int32_t N() const { return n_; }
  double Resolution() const;  // Hz per bin
  std::int32_t Bin(double frequency) const;
  // Power per bin 0..Bin(kQuietBandHigh), Hamming weighted, in the transform's units.
  std::span<const double> Power() const { return power_; }
  // The same with the tones taken out (as Power() until some are).
  std::span<const double> PowerWithoutTones() const { return tonesOut_ ? tonelessPower_ : power_; }
  bool TonesOut() const { return tonesOut_; }
  // The passband's power per bin (from FirstBin) without the window: every
  // sample weighs the same.
  std::span<const double> FlatPower() const { return flatPower_; }
  // The passband's analytic signal, N/4 samples (each stands for four). Its
  // ends, where the window nearly closes, are left to the caller.
  std::span<const Complex> Analytic() const { return analytic_; }
  std::int32_t FirstBin() const { return Bin(kModemBandLow); }
  std::int32_t LastBin() const { return Bin(kModemBandHigh); }
  std::int32_t CentreBin() const { return Bin((kModemBandLow + kModemBandHigh) / 2); }
  // The passband's envelope stands far above its RMS somewhere: a crash or
  // a click (known once limited to the passband).
  bool Impulsive() const { return impulsive_; }

 private:
  void Unweigh();
  void Shape();
  std::pair<double, std::complex<double>> FitTone(double bin, std::size_t self) const;

  std::int32_t n_ = 0;
  bool impulsive_ = false;
  std::span<const Complex> transform_;
  std::vector<double> power_, flatPower_, tonelessPower_;
  bool tonesOut_ = false;
  std::vector<std::complex<double>> toneSum_;  // the tones taken out, unweighted, a bin beyond the passband each side
  std::vector<std::complex<double>> flat_;  // the passband's unweighted transform (from FirstBin)
  std::vector<std::pair<double, std::complex<double>>> fitted_;  // the tones taken out of it: bin, amplitude
  std::vector<Complex> analytic_;
  FftPlan fft_;
  // Kept per transform length: the elimination of the window's system, the
  // passband's taper and the window's inverse.
  std::int32_t eliminated_ = 0, shaped_ = 0;
  std::vector<double> upperRe_, upperIm_, inverseRe_, inverseIm_;
  std::vector<double> solvedRe_[2], solvedIm_[2];  // the two halves of the passband
  std::vector<double> taper_, unwindow_;
};

}  // namespace velmora
