#include "analysis/NoiseDetectors.h"

#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisTestSupport.h"
#include "common/Format.h"

namespace velmora {
namespace {

using testing::Constant;
using testing::RecordingDrawing;

std::vector<std::int16_t> Square(std::size_t n, std::int16_t amplitude) {
  std::vector<std::int16_t> s(n);
  for (std::size_t i = 0; i < n; ++i) s[i] = i % 2 ? amplitude : static_cast<std::int16_t>(-amplitude);
  return s;
}

struct NoiseDetectors : ::testing::Test {
  PowerDensity spectrum;
  DetectorSettings settings;
  DetectorResults results;
  RecordingDrawing drawing;
  BurstDetector burst;
  std::string panel;

  bool Feed(const std::vector<std::int16_t>& samples) {
    spectrum.Analyse(samples, static_cast<std::int32_t>(samples.size()));
    return burst.Detect(spectrum, settings, results, drawing, panel);
  }
};

// |x| steps from 100 to 1000: both envelopes rise from where the last buffer
// left them with their own rates, 20/11025 and 5/11025 per sample.
TEST_F(NoiseDetectors, BurstEnvelopesFollowTheirRatesAcrossBuffers) {
  settings.burstThreshold = 1e6;
  Feed(Square(2048, 100));  // first buffer: both envelopes start at its mean |x|
  EXPECT_NEAR(burst.FastEnvelope(), 100, 1e-3);
  EXPECT_NEAR(burst.SlowEnvelope(), 100, 1e-3);

  const double af = 20.0 / 11025, as = 5.0 / 11025;
  double largest = -1e30;
  for (int n = 1; n <= 2048; ++n)
    largest = std::max(largest, ((1000 - 900 * std::pow(1 - af, n)) / (1000 - 900 * std::pow(1 - as, n)) - 1) * 100);
  Feed(Square(2048, 1000));
  EXPECT_NEAR(burst.FastEnvelope(), 1000 - 900 * std::pow(1 - af, 2048), 0.05);
  EXPECT_NEAR(burst.SlowEnvelope(), 1000 - 900 * std::pow(1 - as, 2048), 0.05);
  EXPECT_NEAR(results.detectorValue, largest, 0.01);
  EXPECT_EQ(results.burstText, FormatNumber(results.detectorValue, ".0"));

  burst.Restart();
  Feed(Square(2048, 300));
  EXPECT_NEAR(burst.FastEnvelope(), 300, 1e-2);
  EXPECT_NEAR(burst.SlowEnvelope(), 300, 1e-2);
}

TEST_F(NoiseDetectors, BurstFiresOnASuddenRiseOrDropAndMarksIt) {
  settings.burstThreshold = 35;
  Feed(Square(2048, 100));
  panel = "old";
  EXPECT_FALSE(Feed(Square(2048, 100)));
  EXPECT_EQ(panel, "old");  // only a detection writes the panel
  EXPECT_TRUE(Feed(Square(2048, 1000)));
  EXPECT_EQ(panel, "Burst Noise");
  EXPECT_TRUE(results.burstDetected);
  ASSERT_EQ(drawing.Count("burst"), 1);
  EXPECT_TRUE(Feed(Square(2048, 10)));  // drops fire too
  EXPECT_LT(results.detectorValue, -35) << "the smallest wins when it is the larger excursion";
}

TEST_F(NoiseDetectors, BurstEqualRatiosMoveTheLargestButNotTheSmallest) {
  settings.burstThreshold = 0;  // a ratio of 0 passes both ways
  EXPECT_TRUE(Feed(Constant(1000, 0)));  // silent: ratio 0 on every sample
  ASSERT_EQ(drawing.Count("burst"), 2);
  EXPECT_EQ(drawing.drawn[0].x, 1000);  // largest: the last of the equal values
  EXPECT_EQ(drawing.drawn[1].x, 1);     // smallest: the first
  EXPECT_EQ(results.detectorValue, 0);
}

TEST_F(NoiseDetectors, PeakFiresOnAToneStandingOutOfTheBand) {
  auto pcm = testing::Pcm(testing::Recipe(signalgen::Form::Noise, 20, 0.2));
  spectrum.Analyse({pcm.data(), 2048}, 2048);
  EXPECT_FALSE(DetectPeak(spectrum, settings, results, drawing, panel));
  EXPECT_GE(results.peakValue, 0);
  EXPECT_LT(results.peakValue, 20);

  const auto tone = testing::Tone(2048, 1500, 3000);
  for (std::size_t i = 0; i < 2048; ++i) pcm[i] = static_cast<std::int16_t>(pcm[i] / 10 + tone[i]);
  spectrum.Analyse({pcm.data(), 2048}, 2048);
  EXPECT_TRUE(DetectPeak(spectrum, settings, results, drawing, panel));
  EXPECT_EQ(panel, "Peak Noise");
  EXPECT_GT(results.peakValue, 20);
  EXPECT_EQ(results.peakText, FormatNumber(results.peakValue, "0.0"));
  EXPECT_EQ(drawing.Count("level"), 0);
  settings.debugEnabled = true;
  DetectPeak(spectrum, settings, results, drawing, panel);
  ASSERT_EQ(drawing.Count("level"), 1);
  EXPECT_NEAR(drawing.drawn.back().x, 1700 - 1100, 3);

  spectrum.Analyse(Constant(2048, 9), 2048);  // flat: nothing above the band level
  EXPECT_FALSE(DetectPeak(spectrum, settings, results, drawing, panel));
  EXPECT_EQ(results.peakValue, 0);
}

TEST_F(NoiseDetectors, PowerGatesOnTheSignalLevel) {
  spectrum.Analyse(testing::Tone(2048, 1000, 100), 2048);  // level 10·log10(5000) - 27 = 10.0
  settings.powerThreshold = spectrum.SignalLevel();
  EXPECT_TRUE(DetectPower(spectrum, settings, results));
  EXPECT_TRUE(results.powerDetected);
  EXPECT_EQ(results.detectorValue, spectrum.SignalLevel());
  EXPECT_EQ(results.powerText, FormatNumber(spectrum.SignalLevel(), ".0"));
  settings.powerThreshold = std::nextafter(spectrum.SignalLevel(), 100.0f);
  EXPECT_FALSE(DetectPower(spectrum, settings, results));
}

}  // namespace
}  // namespace velmora
