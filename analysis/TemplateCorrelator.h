#pragma once
// Scoring a measured spectrum against an idealised shape of a mode's tones:
// the template is a baseline of 0.04 with a sin(x)/x lobe, 180 Hz wide at its
// base, on every tone, taken in dB; the score is the Pearson correlation in
// percent of template and measured density over the band, best over a range
// of frequency offsets of the measured spectrum.
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/PowerDensity.h"

namespace velmora {

// A template over the bins bin(lo)..bin(hi) of an n-point spectrum.
struct SpectrumTemplate {
  std::int32_t n = 0;
  std::int32_t firstBin = 0;
  std::int32_t lastBin = -1;
  std::vector<float> levels;     // T[b] in dB for b = firstBin..lastBin
  float mean = 0;                // TemplateMean
  std::vector<double> centred;   // T[b] - TemplateMean
  double sumSquares = 0;         // Σ (T[b] - TemplateMean)²

  std::int32_t Count() const { return lastBin - firstBin + 1; }
};

// TemplateBaseline(lo, hi), TemplateTone(f) for each tone, then the
// conversion to dB over the band and its mean.
SpectrumTemplate BuildTemplate(std::int32_t n, double lo, double hi, std::span<const double> tones);

struct Correlation {
  float score = -100;   // -100..100
  float offset = 0;     // Hz, the offset at which the best score was found
  float bandLevel = 0;  // mean measured level over the band at the last offset tried, dB
};

class TemplateCorrelator {
 public:
  // A new buffer: what was kept of the last one is forgotten.
  void Begin(const PowerDensity& spectrum);

  // TemplateCorrelate: offsets from -range to +range in steps of step (a
  // single-precision loop; a step finer than a 512th of the whole range is
  // raised to that); a range or step of 0 or less (or not a number) means
  // no offset search, a single score at offset 0. Among equal scores the
  // most negative offset wins. Reads beyond the spectrum take its edge bins.
  Correlation Correlate(const SpectrumTemplate& tmpl, float range, float step);

  // Whether an offset search runs with these settings.
  static bool OffsetSearch(float range, float step) { return range > 0 && step > 0; }

 private:
  // The measured band at one shift: its level and the measured densities
  // less that level. Shared by every template over the same band.
  struct Band {
    std::int32_t firstBin, lastBin, shift;
    float level;
    std::vector<double> deviations;
    double sumSquares;
  };
  const Band& BandAt(std::int32_t firstBin, std::int32_t lastBin, std::int32_t shift);
  double Linear(std::int32_t bin);
  float Score(const SpectrumTemplate& tmpl, const Band& band) const;

  const PowerDensity* spectrum_ = nullptr;
  std::vector<double> linear_;            // 10^(P/10) of each bin, computed when first needed
  std::vector<std::uint32_t> linearMark_;  // generation in which linear_ was computed
  std::uint32_t generation_ = 0;
  std::vector<Band> bands_;     // kept for the other templates of this buffer
  std::size_t bandsUsed_ = 0;
  std::size_t keptValues_ = 0;  // their deviations, bounded
  std::size_t lastFound_ = 0;
  Band scratch_;                // a band measured when no more may be kept
};

}  // namespace velmora
