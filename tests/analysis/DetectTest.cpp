// The detector chain of one buffer: power gate, Pactor before noise, the
// exclusive modes, what is cleared and what is kept, and the values the
// AutoConnect side reads and sets.
#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "analysis/SignalAnalysis.h"
#include "common/Format.h"

namespace velmora {
namespace {

using testing::Pcm;
using testing::RunBuffer;

struct Chain : ::testing::Test {
  DetectorSettings settings;
  SignalAnalysis analysis{settings};
  std::string panel;
};

TEST_F(Chain, AQuietChannelRunsNoOtherDetector) {
  signalgen::SignalRecipe quiet = testing::Pactor2();
  quiet.rms = 30;  // level about 2.5 dB, under the 10 dB gate
  quiet.snrDb = 40;
  const auto pcm = Pcm(quiet);
  settings.burstEnabled = settings.peakEnabled = true;
  settings.burstThreshold = settings.peakThreshold = 0;  // would fire on anything
  EXPECT_EQ(RunBuffer(analysis, pcm, 2048, panel), Verdict{});
  EXPECT_FALSE(analysis.Results().powerDetected);
  EXPECT_EQ(analysis.Results().powerText, FormatNumber(analysis.Spectrum().SignalLevel(), ".0"));
  EXPECT_EQ(analysis.Results().pactor2Text, "");

  settings.powerEnabled = false;  // no gate: the clean signal is found
  EXPECT_TRUE(RunBuffer(analysis, pcm, 2048, panel).busy);
  EXPECT_EQ(analysis.Results().powerText, "");
}

// A busy buffer is never noise; of the noise detectors burst comes first.
TEST_F(Chain, NoiseDetectorsRunOnlyWhenNoPactorFired) {
  settings.burstEnabled = settings.peakEnabled = true;
  settings.burstThreshold = settings.peakThreshold = 0;  // would fire on anything
  EXPECT_EQ(RunBuffer(analysis, Pcm(testing::Pactor2()), 2048, panel), Verdict{.busy = true});
  EXPECT_EQ(analysis.Results().burstText + analysis.Results().peakText, "");
  const auto pcm = Pcm(testing::Recipe(signalgen::Form::Noise, 20, 0.5));
  settings.peakThreshold = DetectorSettings{}.peakThreshold;
  EXPECT_EQ(RunBuffer(analysis, pcm, 2048, panel), Verdict{.noise = true});
  EXPECT_EQ(panel, "Burst Noise");
  EXPECT_EQ(analysis.Results().peakText, "");

  settings.burstEnabled = false;
  settings.peakThreshold = 0;
  EXPECT_EQ(RunBuffer(analysis, pcm, 2048, panel, 2048), Verdict{.noise = true});
  EXPECT_EQ(panel, "Peak Noise");
  EXPECT_TRUE(analysis.Results().peakDetected);

  settings.peakThreshold = 100;
  EXPECT_EQ(RunBuffer(analysis, pcm, 2048, panel, 2048), Verdict{});
  EXPECT_EQ(panel, "") << "neither busy nor noise: the panel is cleared";
}

TEST_F(Chain, BufferLevelAndSecondsOfTheBufferInHand) {
  const auto pcm = Pcm(testing::Pactor2());
  RunBuffer(analysis, pcm, 2048, panel);
  EXPECT_EQ(analysis.BufferLevel(), analysis.Spectrum().SignalLevel());
  EXPECT_FLOAT_EQ(analysis.BufferSeconds(), 2048 / 11025.0f);
  analysis.Analyse({pcm.data(), 1000}, 2048);  // a short last buffer
  EXPECT_FLOAT_EQ(analysis.BufferSeconds(), 1000 / 11025.0f);
  settings.cwMode = true;  // the special modes copy the level too
  analysis.Detect(panel);
  EXPECT_EQ(analysis.BufferLevel(), analysis.Spectrum().SignalLevel());
}

TEST_F(Chain, CentreFrequencyFollowsTheTableOnlyWhenAutomatic) {
  DetectorValues& values = analysis;
  settings.centerFrequencyAuto = false;
  settings.centerFrequency = 2100;
  CenterFrequencySet(values, true);
  CenterFrequencySet(values, false);
  CenterFrequencyRestore(values);
  EXPECT_EQ(settings.centerFrequency, 2100);

  // Automatic: a Pactor 3 row takes the decoder's centre (the Pactor 2 row's
  // 1500 and the restore are shown by the engine's tests).
  settings.centerFrequencyAuto = true;
  settings.centerFrequencyAutoFrequency = 1600;
  CenterFrequencySet(values, true);
  EXPECT_EQ(settings.centerFrequency, 1600);
}

TEST_F(Chain, TheCentreFrequencyMovesThePactor2Search) {
  const auto pcm = Pcm(testing::Pactor2());  // around 1700 Hz
  settings.centerFrequency = 1500;
  settings.pactor3Enabled = false;
  EXPECT_FALSE(RunBuffer(analysis, pcm, 2048, panel).busy);
  analysis.SetCenterFrequency(1700);
  EXPECT_TRUE(RunBuffer(analysis, pcm, 2048, panel).busy);
}

}  // namespace
}  // namespace velmora
