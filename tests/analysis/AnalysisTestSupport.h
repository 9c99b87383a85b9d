#pragma once
// Helpers for the analysis tests: buffers of known content, generated
// signals, and a drawing that records what the detectors drew.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/DetectorDrawing.h"
#include "analysis/SignalAnalysis.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora::testing {

inline std::vector<std::int16_t> Tone(std::size_t n, double frequency, double amplitude) {
  std::vector<std::int16_t> s(n);
  for (std::size_t i = 0; i < n; ++i)
    s[i] = static_cast<std::int16_t>(std::lround(amplitude * std::cos(2 * std::numbers::pi * frequency * double(i) / 11025)));
  return s;
}

inline std::vector<std::int16_t> Pcm(const signalgen::SignalRecipe& recipe) {
  return signalgen::ToPcm16(signalgen::Generate(recipe).samples);
}

inline signalgen::SignalRecipe Recipe(signalgen::Form form, double snr = 20, double seconds = 2) {
  return {.form = form, .snrDb = snr, .seconds = seconds};
}

// Transmissions without pauses.
inline signalgen::SignalRecipe Pactor3(int variant, double snr = 20, double offset = 0) {
  return {.form = signalgen::Form::Pactor3, .variant = variant, .offset = offset, .snrDb = snr, .seconds = 2,
          .rhythm = {.cycle = 0}};
}

inline signalgen::SignalRecipe Pactor2(double snr = 20, double offset = 0) {
  signalgen::SignalRecipe s = Pactor3(1, snr, offset);
  s.form = signalgen::Form::Pactor2;
  return s;
}

// An analysis on settings of its own, fed one buffer of n samples from
// 'at' at a time through Analyse and Detect.
struct AnalysisRig {
  DetectorSettings settings;
  SignalAnalysis analysis{settings};
  std::string panel;

  Verdict RunBuffer(const std::vector<std::int16_t>& pcm, std::size_t n, std::size_t at = 0) {
    analysis.Analyse({pcm.data() + at, std::min(n, pcm.size() - at)}, static_cast<std::int32_t>(n));
    return analysis.Detect(panel);
  }
};

// FNV-1a over the exact bytes of every value: a golden file keeps results
// bit for bit in a line each.
struct Digest {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  void Add(const void* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ static_cast<const std::uint8_t*>(data)[i]) * 0x100000001b3ull;
  }
  void Add(float value) { Add(&value, sizeof value); }
  void Add(std::int32_t value) { Add(&value, sizeof value); }
  void Add(bool value) { Add(&value, sizeof value); }
  void Add(const std::string& text) { Add(text.c_str(), text.size() + 1); }
  void Add(const char* text) { Add(std::string(text)); }
  std::string Text() const {
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
  }
};

struct Drawn {
  std::string what;
  double x = 0;  // frequency, or sample position
};

class RecordingDrawing final : public DetectorDrawing {
 public:
  bool shown = true;
  std::vector<Drawn> drawn;

  bool Shown() const override { return shown; }
  void SpectrumMarker(double f, float, float) override { drawn.push_back({"marker", f}); }
  // The debug curves and the level line: no test looks at them.
  void SpectrumCurve(std::span<const SpectrumPoint>) override {}
  void SpectrumLevelLine(double, double, float) override {}
  void TimeMarker(long position, TimeMarkerKind kind) override {
    drawn.push_back({kind == TimeMarkerKind::Burst ? "burst" : "pulse", double(position)});
  }
  void TimeCurve(TimeCurveKind, std::span<const float>) override {}
  int Count(const std::string& what) const { return static_cast<int>(std::ranges::count(drawn, what, &Drawn::what)); }
};

}  // namespace velmora::testing
