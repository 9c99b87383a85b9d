#pragma once
// The tone detector of the CW and WWV modes and the FAX detector, both on
// the analytic signal of the buffer (the samples with their Hilbert
// transform as imaginary part).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/DetectorDrawing.h"
#include "analysis/MathLib.h"
#include "analysis/PowerDensity.h"

namespace velmora {

// re = sample - mean, im = Hilbert of re.
void AnalyticSignal(const PowerDensity& spectrum, std::vector<Complex>& z);

struct ToneEstimate {
  double frequency = 0;  // Hz
  float level = 0;       // S, dB (before the -30 of the detector)
  float ratio = 0;       // Q, dB (before the +33)
  bool fitted = false;   // false: the phase fit failed, level and ratio are 0
};

// The tone estimate around a coarse frequency: a search in tenths of a bin,
// then a weighted straight-line fit of the demodulated phase. Uses entries
// 56..count - 57 (1-based) of z.
ToneEstimate EstimateTone(std::span<const Complex> z, double coarseFrequency, double resolution);

struct ToneResult {
  bool detected = false;
  std::int32_t peakBin = 0;
  double frequency = 0;  // refined, Hz
  float level = 0;       // S - 30
  float ratio = 0;       // Q + 33
  std::string text;      // ratio formatted "0"
};

// DetectTone at frequency f, range ±r, threshold t: the peak bin of the
// spectrum in the range, its tone estimate, and on a detection the panel
// text and a marker at the peak.
ToneResult DetectTone(const PowerDensity& spectrum, std::span<const Complex> z, double frequency, double range,
                      float threshold, DetectorDrawing& drawing, std::string& panelText);

struct FaxEstimate {
  float level = -100;  // 10·log10 of the mean power
  float ratio = -100;  // steadiness of the envelope as a signal-to-noise figure, dB
};
// The moment estimate over entries 29..count - 28 (1-based) of z.
FaxEstimate EstimateFax(std::span<const Complex> z);

struct FaxResult {
  bool detected = false;
  float level = 0;  // level - 30
  float snr = 0;    // ratio + 33
  std::string text;
};
FaxResult DetectFax(std::span<const Complex> z, float threshold, bool debug, DetectorDrawing& drawing,
                    std::string& panelText);

}  // namespace velmora
