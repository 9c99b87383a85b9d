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
// With "Pactor3 Wide Band" on, the two widest forms (3200 and 3600, tones
// from 600 or 480 Hz to 2400 or 2520 Hz) are scored over 200 to 2800 Hz:
// with only 80 Hz of baseline beside its outer tones the 3600 form's
// correlation has little shape to find. The narrower forms keep their band,
// where a wider one only adds noise to their score.
inline constexpr double kPactor3WideLow = 200;
inline constexpr double kPactor3WideHigh = 2800;
bool Pactor3ScoredWide(int variant, bool wideBand);

// What a detector needs of the buffer in hand and its surroundings.
struct PactorContext {
  const PowerDensity& spectrum;
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

  // The templates as scored (kept while the sample size and centre stay);
  // wideBand is the setting, which widens the band of the widest forms only.
  const SpectrumTemplate& Pactor2Template(std::int32_t n, double centerFrequency);
  const SpectrumTemplate& Pactor3Template(std::int32_t n, int variant, bool wideBand = false);

 private:
  using Pactor3Templates = std::array<SpectrumTemplate, kPactor3Variants + 1>;  // index 1..6 (4 shares 3's)
  SpectrumTemplate pactor2_;
  double pactor2Center_ = 0;
  Pactor3Templates pactor3_;
  Pactor3Templates pactor3Wide_;
};

// The template laid over the measured spectrum at the measured level.
void DrawTemplate(DetectorDrawing& drawing, const SpectrumTemplate& tmpl, float offset, float bandLevel);
// A detection marker from BandLevel + 20 dB to BandLevel - 20 dB.
void DrawMarker(DetectorDrawing& drawing, double frequency, float bandLevel);

}  // namespace velmora
