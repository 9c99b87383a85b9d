#include "analysis/PactorDetectors.h"

#include <vector>

#include "common/Format.h"

namespace velmora {
namespace {

constexpr int kTones1[] = {5, 12};
constexpr int kTones2[] = {3, 5, 7, 10, 12, 14};
constexpr int kTones3[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr int kTones5[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
constexpr int kTones6[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};

constexpr std::string_view kLabels[] = {"",
                                        "Pactor 3, 200",
                                        "Pactor 3, 600",
                                        "Pactor 3, 1400/2800",
                                        "Pactor 3, 2800",
                                        "Pactor 3, 3200",
                                        "Pactor 3, 3600"};

int ValidVariant(int variant) { return variant >= 1 && variant <= kPactor3Variants ? variant : 1; }

// The label with the offset, when an offset search ran.
std::string WithOffset(std::string label, const DetectorSettings& s, float offset) {
  if (TemplateCorrelator::OffsetSearch(s.offsetFrequencyRange, s.offsetFrequencyStep))
    label += ", " + FormatNumber(offset, "0");
  return label;
}

bool DebugShows(const PactorContext& c, float data) {
  return c.settings.debugEnabled && c.settings.debugData == data && c.drawing.Shown();
}

}  // namespace

double Pactor3ToneFrequency(int tone) { return (tone + 4) * 120.0; }

std::span<const int> Pactor3Tones(int variant) {
  switch (ValidVariant(variant)) {
    case 1:
      return kTones1;
    case 2:
      return kTones2;
    case 3:
    case 4:
      return kTones3;
    case 5:
      return kTones5;
    default:
      return kTones6;
  }
}

std::string_view Pactor3Label(int variant) { return kLabels[ValidVariant(variant)]; }

bool Pactor3ScoredWide(int variant, bool wideBand) { return wideBand && ValidVariant(variant) >= 5; }

void DrawMarker(DetectorDrawing& drawing, double frequency, float bandLevel) {
  if (drawing.Shown()) drawing.SpectrumMarker(frequency, bandLevel + 20, bandLevel - 20);
}

void DrawTemplate(DetectorDrawing& drawing, const SpectrumTemplate& tmpl, float offset, float bandLevel) {
  if (!drawing.Shown()) return;
  std::vector<SpectrumPoint> points;
  points.reserve(tmpl.levels.size());
  for (std::int32_t b = tmpl.firstBin; b <= tmpl.lastBin; ++b) {
    const float t = tmpl.levels[static_cast<std::size_t>(b - tmpl.firstBin)];
    points.push_back({BinFrequency(b, tmpl.n) + offset, t + bandLevel - tmpl.mean});
  }
  drawing.SpectrumCurve(points);
}

const SpectrumTemplate& PactorDetectors::Pactor2Template(std::int32_t n, double f0) {
  if (pactor2_.n != n || pactor2Center_ != f0) {
    const double tones[] = {f0 - 100, f0 + 100};
    pactor2_ = BuildTemplate(n, f0 - 250, f0 + 250, tones);
    pactor2Center_ = f0;
  }
  return pactor2_;
}

const SpectrumTemplate& PactorDetectors::Pactor3Template(std::int32_t n, int variant, bool wideBand) {
  variant = ValidVariant(variant);
  if (variant == 4) variant = 3;  // the same tone set
  const bool wide = Pactor3ScoredWide(variant, wideBand);
  SpectrumTemplate& t = (wide ? pactor3Wide_ : pactor3_)[static_cast<std::size_t>(variant)];
  if (t.n != n) {
    std::vector<double> tones;
    for (int tone : Pactor3Tones(variant)) tones.push_back(Pactor3ToneFrequency(tone));
    t = wide ? BuildTemplate(n, kPactor3WideLow, kPactor3WideHigh, tones)
             : BuildTemplate(n, kPactor3Low, kPactor3High, tones);
  }
  return t;
}

bool PactorDetectors::DetectPactor2(PactorContext& c) {
  const DetectorSettings& s = c.settings;
  DetectorResults& r = c.results;
  const double f0 = s.centerFrequency;
  const SpectrumTemplate& tmpl = Pactor2Template(c.spectrum.N(), f0);
  const Correlation score = c.correlator.Correlate(tmpl, s.offsetFrequencyRange, s.offsetFrequencyStep);
  r.bandLevel = score.bandLevel;
  r.templateMean = tmpl.mean;
  if (DebugShows(c, 1)) DrawTemplate(c.drawing, tmpl, score.offset, r.bandLevel);

  r.pactor2Score = score.score;
  r.pactor2Offset = score.offset;
  r.pactor2Text = FormatNumber(score.score, ".0");
  if (!(score.score >= s.pactor2Threshold)) return false;

  if (DebugShows(c, 0)) DrawTemplate(c.drawing, tmpl, score.offset, r.bandLevel);
  DrawMarker(c.drawing, f0 - 100 + score.offset, r.bandLevel);
  DrawMarker(c.drawing, f0 + 100 + score.offset, r.bandLevel);
  c.panelText = WithOffset("Pactor 2", s, score.offset);
  ++r.pactor2Count;
  r.pactor2Detected = true;
  return true;
}

bool PactorDetectors::DetectPactor3(PactorContext& c) {
  const DetectorSettings& s = c.settings;
  DetectorResults& r = c.results;
  const std::int32_t n = c.spectrum.N();
  std::array<Correlation, kPactor3Variants + 1> scores{};
  for (int v = 1; v <= kPactor3Variants; ++v) {
    const SpectrumTemplate& tmpl = Pactor3Template(n, v, s.pactor3WideBand);
    if (v == 4) {
      scores[4] = scores[3];
    } else {
      scores[v] = c.correlator.Correlate(tmpl, s.offsetFrequencyRange, s.offsetFrequencyStep);
      r.bandLevel = scores[v].bandLevel;
    }
    r.templateMean = tmpl.mean;
    if (DebugShows(c, static_cast<float>(v))) DrawTemplate(c.drawing, tmpl, scores[v].offset, r.bandLevel);
  }

  // Strictly greater from variant 1 on: ties go to the lower variant, so 4
  // never shows ahead of 3, and a variant is chosen even when all score -100.
  int best = 1;
  for (int v = 2; v <= kPactor3Variants; ++v)
    if (scores[v].score > scores[best].score) best = v;

  const Correlation& top = scores[best];
  r.bandLevel = top.bandLevel;  // the best form's band, which the wide band may make another
  r.pactor3Variant = best;
  r.pactor3Score = top.score;
  r.pactor3Offset = top.offset;
  r.pactor3Text = IntegerText(best) + ", " + FormatNumber(top.score, ".0");
  if (!(top.score >= s.pactor3Threshold)) return false;

  const SpectrumTemplate& tmpl = Pactor3Template(n, best, s.pactor3WideBand);
  r.templateMean = tmpl.mean;
  if (DebugShows(c, 0)) DrawTemplate(c.drawing, tmpl, top.offset, r.bandLevel);
  for (int tone : Pactor3Tones(best)) DrawMarker(c.drawing, Pactor3ToneFrequency(tone) + top.offset, r.bandLevel);
  c.panelText = WithOffset(std::string(Pactor3Label(best)), s, top.offset);
  ++r.pactor3Count[static_cast<std::size_t>(best)];
  r.pactor3Detected = true;
  return true;
}

}  // namespace velmora
