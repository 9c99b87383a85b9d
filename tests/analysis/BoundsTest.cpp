// Every detector on extreme settings and odd buffers, built with the address
// and undefined-behaviour checkers: no read or write may leave its array,
// whatever the centre frequency, ranges, offsets or buffer length.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "AnalysisTestSupport.h"

namespace velmora {
namespace {

using testing::RecordingDrawing;

std::vector<std::int16_t> Noise(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> gauss(0, 3000);
  std::vector<std::int16_t> s(n);
  for (auto& x : s) x = static_cast<std::int16_t>(std::clamp(gauss(random), -32768.0, 32767.0));
  return s;
}

// The normal chain with a debug drawing, then the three special modes.
void EveryPath(DetectorSettings& s, SignalAnalysis& a, const std::vector<std::int16_t>& samples,
               std::int32_t transformLength, float debugData) {
  std::string panel;
  for (int mode = 0; mode < 4; ++mode) {
    s.cwMode = mode == 1;
    s.faxMode = mode == 2;
    s.wwvMode = mode == 3;
    s.debugData = debugData;
    a.Analyse(samples, transformLength);
    const Verdict v = a.Detect(panel);
    ASSERT_FALSE(v.busy && v.noise);
    // Bands read past the spectrum's edges still give scores that mean something.
    ASSERT_TRUE(std::abs(a.Results().pactor2Score) <= 100) << a.Results().pactor2Score;
    ASSERT_TRUE(std::abs(a.Results().pactor3Score) <= 100) << a.Results().pactor3Score;
    ASSERT_TRUE(std::isfinite(a.Results().peakValue));
  }
  s.cwMode = s.faxMode = s.wwvMode = false;
}

TEST(Bounds, ExtremeSettingsAndOddBuffers) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  DetectorSettings s;
  s.powerEnabled = false;
  s.burstEnabled = s.peakEnabled = s.pulseEnabled = s.debugEnabled = true;
  s.pactor2Threshold = s.pactor3Threshold = s.burstThreshold = s.peakThreshold = s.pulseThreshold = -1000;
  SignalAnalysis a(s);
  RecordingDrawing drawing;
  a.SetDrawing(&drawing);

  const float frequencies[] = {-1e9f, -5000, 0, 1700, 5512.5f, 6000, 1e9f, nan, inf, -inf};
  const std::pair<float, float> offsets[] = {{0, 20},     {100, 20},      {20000, 7}, {-50, 5},  {100, -20},
                                             {1e30f, 1}, {1e4f, 0.5f}, {100, 1e-30f}, {nan, 20}, {inf, 20}};
  const auto noise = Noise(40000, 1);
  int run = 0;
  for (std::size_t count : {1u, 2u, 56u, 57u, 113u, 114u, 1000u, 2048u, 40000u}) {
    const std::vector<std::int16_t> buffer(noise.begin(), noise.begin() + static_cast<std::ptrdiff_t>(count));
    for (std::int32_t length : {256, 2048, 32768}) {
      for (float f : frequencies) {
        s.centerFrequency = s.cwFrequency = f;
        s.cwRange = f;  // negative and huge ranges too
        const auto& o = offsets[static_cast<std::size_t>(run) % std::size(offsets)];
        s.offsetFrequencyRange = o.first;
        s.offsetFrequencyStep = o.second;
        s.pactor3WideBand = run % 2 == 1;
        s.digitalBusy = run % 3 != 0;
        EveryPath(s, a, buffer, length, static_cast<float>(run % 7));
        ++run;
      }
    }
  }
  // A range far beyond the spectrum: its step is raised, so the loop stops.
  a.RestartContinuity();
  s.centerFrequency = 1700;
  s.offsetFrequencyRange = 1e7f;
  s.offsetFrequencyStep = 1;
  s.pactor3Enabled = false;
  EveryPath(s, a, noise, 2048, 1);
  EXPECT_FALSE(drawing.drawn.empty());
}

}  // namespace
}  // namespace velmora
