#pragma once
// The Pactor 2 and Pactor 3 detectors: the measured spectrum scored against
// the template of each mode's tones; a score at or above the mode's threshold
// is a detection.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "analysis/DetectorDrawing.h"
#include "analysis/DetectorResults.h"
#include "analysis/DetectorSettings.h"
#include "analysis/TemplateCorrelator.h"

namespace velmora {

// (t + 4)·120 Hz for tone number t = 0..17.
double Pactor3ToneFrequency(int tone);
// The tone numbers of a variant (1..6) and its label ("Pactor 3, 600" ...).
std::span<const int> Pactor3Tones(int variant);
std::string_view Pactor3Label(int variant);

inline constexpr double kPactor3Low = 400;
inline constexpr double kPactor3High = 2600;

// What a detector needs of the buffer in hand and its surroundings.
struct PactorContext {
  const SpectrumAnalysis& spectrum;
  TemplateCorrelator& correlator;
  const DetectorSettings& settings;
  DetectorResults& results;
  DetectorDrawing& drawing;
  std::string& panelText;
};

class PactorDetectors {
 public:
  bool DetectPactor2(PactorContext& c);
  bool DetectPactor3(PactorContext& c);

  // The templates as scored (kept while the sample size and centre stay).
  const SpectrumTemplate& Pactor2Template(std::int32_t n, double centerFrequency);
  const SpectrumTemplate& Pactor3Template(std::int32_t n, int variant);

 private:
  SpectrumTemplate pactor2_;
  double pactor2Center_ = 0;
  std::array<SpectrumTemplate, kPactor3Variants + 1> pactor3_;  // index 1..6 (4 shares 3's)
};

// The template laid over the measured spectrum at the measured level.
void DrawTemplate(DetectorDrawing& drawing, const SpectrumTemplate& tmpl, float offset, float bandLevel);
// A detection marker from BandLevel + 20 dB to BandLevel - 20 dB.
void DrawMarker(DetectorDrawing& drawing, double frequency, float bandLevel);

}  // namespace velmora
