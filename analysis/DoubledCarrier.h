#pragma once
// Whether the passband holds a 2-PSK: its signal squared loses the data
// (each symbol's phase, 0 or 180 degrees, doubles to a whole turn) and
// leaves one line at twice the carrier, however long the channel's echoes
// are, which leave its envelope too unsteady to count. Noise, a receiver's
// passband, its AGC and crashes leave no line; a comb of lines (mains hum,
// a voice, FSK's tones) leaves many and does not count. The squared
// signal's spectrum, in cells of about 5 Hz, is averaged over a second; the
// figure is the strongest cell over the mean of the cells round it (noise:
// about 4, seldom 8).
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/FftPlan.h"
#include "analysis/MathLib.h"

namespace velmora {

class DoubledCarrier {
 public:
  void Restart() { count_ = 0, ratio_ = judged_ = sinceLook_ = 0; }
  // The passband's analytic signal at `rate` samples a second (its ends,
  // where the analysis window closes, are left out).
  void Add(std::span<const Complex> analytic, double rate, float bufferSeconds);
  // The figure, the lesser of the last two looks; 0 until it has heard
  // 0.75 s, or while a second line stands near as high.
  double Ratio() const { return ratio_; }

 private:
  void Shape(std::size_t size, double rate);
  void Square(std::span<const Complex> analytic);
  double Judge();
  double Around(std::int32_t cell) const;

  FftPlan fft_;
  std::vector<Complex> work_;
  std::vector<double> hann_, cells_, mean_, sums_, ratios_;
  std::int32_t size_ = 0;      // the squared signal's transform length
  std::size_t skip_ = 0;       // samples left out at each end
  std::int32_t cellBins_ = 1;  // transform bins per cell
  std::int32_t count_ = 0;     // buffers averaged
  double heard_ = 0;           // seconds they stand for
  double sinceLook_ = 0;       // seconds since the last buffer looked at
  double judged_ = 0;  // the last look's figure
  double ratio_ = 0;
};

}  // namespace velmora
