#include "analysis/ToneDetector.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/Format.h"

namespace velmora {
namespace {

// The Hilbert filter reaches 27 entries each side: its edges are skipped.
constexpr long kToneFirst = 56;  // 1-based, and count - 57 the last
constexpr long kFaxFirst = 29;   // 1-based, and count - 28 the last

struct Sum {
  double re = 0, im = 0;
};

// Σ z[n]·e^-i(θn + φ) over n = first..last (1-based), with the rotation by
// recurrence in double precision.
template <typename Each>
void Demodulate(std::span<const Complex> z, long first, long last, double theta, double phi, Each each) {
  double rotRe = std::cos(theta), rotIm = -std::sin(theta);
  double phRe = std::cos(theta * first + phi), phIm = -std::sin(theta * first + phi);
  for (long n = first; n <= last; ++n) {
    const Complex& c = z[static_cast<std::size_t>(n - 1)];
    each(n, c.re * phRe - c.im * phIm, c.re * phIm + c.im * phRe);
    const double next = phRe * rotRe - phIm * rotIm;
    phIm = phRe * rotIm + phIm * rotRe;
    phRe = next;
  }
}

// The strongest frequency of a search and the phase it was found at.
struct TonePeak {
  double frequency;
  double phase;
};

// Coarse search in tenths of a bin around the coarse frequency.
TonePeak CoarseSearch(std::span<const Complex> z, long first, long last, double perHz, double coarseFrequency,
                      double resolution) {
  double bestPower = -1, bestFrequency = coarseFrequency, bestPhase = 0;
  for (int q = -10; q <= 10; ++q) {
    const double f = coarseFrequency + q * resolution / 10;
    Sum c;
    Demodulate(z, first, last, perHz * f, 0, [&](long, double re, double im) {
      c.re += re;
      c.im += im;
    });
    const double power = c.re * c.re + c.im * c.im;
    if (power > bestPower) {
      bestPower = power;
      bestFrequency = f;
      bestPhase = std::atan2(c.im, c.re);
    }
  }
  return {bestFrequency, bestPhase};
}

struct PhaseLine {
  double slope;
  double intercept;
};

// The demodulated phase against sample number, a straight line by
// weighted least squares (weights: squared magnitude), with the sample
// number centred on its weighted mean so the equations stay well conditioned.
// Nothing when the weights give no line.
std::optional<PhaseLine> FitPhaseLine(std::span<const Complex> z, long first, long last, double theta, double phi) {
  const std::size_t count = static_cast<std::size_t>(last - first + 1);
  std::vector<double> phase(count), weight(count);
  double sw = 0, swx = 0, swy = 0;
  Demodulate(z, first, last, theta, phi, [&](long n, double re, double im) {
    const std::size_t k = static_cast<std::size_t>(n - first);
    phase[k] = std::atan2(im, re);
    weight[k] = re * re + im * im;
    sw += weight[k];
    swx += weight[k] * n;
    swy += weight[k] * phase[k];
  });
  if (!(sw > 0) || !std::isfinite(sw)) return std::nullopt;
  const double meanX = swx / sw;
  double sxx = 0, sxy = 0;
  for (std::size_t k = 0; k < count; ++k) {
    const double x = static_cast<double>(first + static_cast<long>(k)) - meanX;
    sxx += weight[k] * x * x;
    sxy += weight[k] * x * phase[k];
  }
  if (!(sxx > 0) || !std::isfinite(sxx) || !std::isfinite(sxy)) return std::nullopt;
  const double slope = sxy / sxx;
  const double intercept = swy / sw - slope * meanX;
  return PhaseLine{slope, intercept};
}

// The tone's frequency, level and ratio to the noise at angular frequency omega and phase phi.
void MeasureTone(std::span<const Complex> z, long first, long last, double omega, double phi, ToneEstimate& e) {
  const std::size_t count = static_cast<std::size_t>(last - first + 1);
  double in = 0, quadrature = 0;
  Demodulate(z, first, last, omega, phi, [&](long, double re, double im) {
    in += re;
    quadrature += im * im;
  });
  const double inPhase = in / static_cast<double>(count);
  const double noise = quadrature / static_cast<double>(count);
  e.frequency = kSampleRateHz * omega / kTwoPi;
  e.level = static_cast<float>(Db20(inPhase));
  e.ratio = static_cast<float>(e.level - Db10(noise) - 3);
  e.fitted = true;
}

}  // namespace

void AnalyticSignal(const PowerDensity& spectrum, std::vector<Complex>& z) {
  const auto samples = spectrum.Samples();
  const float mean = spectrum.SampleMean();
  std::vector<float> re(samples.size()), im(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) re[i] = static_cast<float>(samples[i]) - mean;
  Hilbert(re, im);
  z.resize(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) z[i] = {re[i], im[i]};
}

ToneEstimate EstimateTone(std::span<const Complex> z, double coarseFrequency, double resolution) {
  ToneEstimate e;
  e.frequency = coarseFrequency;
  const long first = kToneFirst, last = static_cast<long>(z.size()) - 57;
  if (last < first) return e;
  const double perHz = kTwoPi / kSampleRateHz;

  const TonePeak peak = CoarseSearch(z, first, last, perHz, coarseFrequency, resolution);
  e.frequency = peak.frequency;

  const double theta = perHz * peak.frequency;
  const auto line = FitPhaseLine(z, first, last, theta, peak.phase);
  if (!line) return e;

  // Demodulate again with the corrected frequency and phase.
  MeasureTone(z, first, last, theta + line->slope, peak.phase + line->intercept, e);
  return e;
}

ToneResult DetectTone(const PowerDensity& spectrum, std::span<const Complex> z, double frequency, double range,
                      float threshold, DetectorDrawing& drawing, std::string& panelText) {
  ToneResult r;
  std::int32_t from = spectrum.Bin(frequency - range), to = spectrum.Bin(frequency + range);
  if (to < from) std::swap(from, to);
  r.peakBin = from;
  for (std::int32_t b = from + 1; b <= to; ++b)
    if (spectrum.Density(b) > spectrum.Density(r.peakBin)) r.peakBin = b;

  const double resolution = kSampleRateHz / static_cast<double>(spectrum.N());
  const ToneEstimate e = EstimateTone(z, spectrum.Frequency(r.peakBin), resolution);
  r.frequency = e.frequency;
  r.level = e.level - 30;
  r.ratio = e.ratio + 33;
  r.text = FormatNumber(r.ratio, "0");
  // A failed fit (a silent buffer) leaves the ratio at 0 + 33, which would
  // pass the default thresholds: it is no tone.
  if (!e.fitted || !(r.ratio >= threshold)) return r;

  panelText = FormatNumber(r.frequency, ".0") + " +/- " + FormatNumber(resolution, ".0") + " (Hz), " +
              FormatNumber(r.ratio, "0.0") + " (dB)";
  if (drawing.Shown()) {
    const float peak = spectrum.Density(r.peakBin);
    drawing.SpectrumMarker(spectrum.Frequency(r.peakBin), peak + 20, peak - 20);
  }
  r.detected = true;
  return r;
}

FaxEstimate EstimateFax(std::span<const Complex> z) {
  FaxEstimate e;
  const long first = kFaxFirst, last = static_cast<long>(z.size()) - 28;
  double s1 = 0, s2 = 0;
  long m = 0;
  for (long n = first; n <= last; ++n) {
    const Complex& c = z[static_cast<std::size_t>(n - 1)];
    const double p = static_cast<double>(c.re) * c.re + static_cast<double>(c.im) * c.im;
    s1 += p;
    s2 += p * p;
    ++m;
  }
  if (s1 == 0) return e;
  e.level = static_cast<float>(10 * std::log10(s1 / m));
  // k = 0 for a perfectly steady envelope, 1 for Gaussian noise.
  const double k = m * s2 / (s1 * s1) - 1;
  if (k <= 0)
    e.ratio = 100;
  else if (1 - k > 0)
    e.ratio = static_cast<float>(10 * std::log10((1 - k + std::sqrt(1 - k)) / k));
  else
    e.ratio = -100;
  return e;
}

FaxResult DetectFax(std::span<const Complex> z, float threshold, bool debug, DetectorDrawing& drawing,
                    std::string& panelText) {
  const FaxEstimate e = EstimateFax(z);
  FaxResult r;
  r.level = e.level - 30;
  r.snr = e.ratio + 33;
  r.text = FormatNumber(r.snr, ".0");
  if (r.snr >= threshold) {
    panelText = "Power " + FormatNumber(r.level, "0") + ", Snr " + FormatNumber(r.snr, "0");
    r.detected = true;
  }
  if (debug && drawing.Shown()) {
    // The instantaneous frequency: the phase step from each entry to the
    // next, summed over four neighbours.
    std::vector<float> frequency(z.size(), 0.0f);
    for (std::size_t i = 4; i < z.size(); ++i) {
      double re = 0, im = 0;
      for (std::size_t k = 0; k < 4; ++k) {
        const Complex step = ConjugateProduct(z[i - k - 1], z[i - k]);
        re += step.re;
        im += step.im;
      }
      frequency[i] = static_cast<float>(std::atan2(im, re) * kSampleRateHz / kTwoPi);
    }
    drawing.TimeCurve(TimeCurveKind::FaxFrequency, frequency);
  }
  return r;
}

}  // namespace velmora
