// The detector chain of one buffer: power gate, Pactor before noise, the
// exclusive modes, what is cleared and what is kept, and the values the
// AutoConnect side reads and sets.
#include <gtest/gtest.h>

#include <tuple>

#include "AnalysisTestSupport.h"
#include "analysis/SignalAnalysis.h"
#include "analysis/ToneDetector.h"
#include "common/Format.h"

namespace velmora {
namespace {

using testing::Pcm;

struct Chain : ::testing::Test, testing::AnalysisRig {};

TEST_F(Chain, AQuietChannelRunsNoOtherDetector) {
  signalgen::SignalRecipe quiet = testing::Pactor2(40);
  quiet.rms = 30;  // level about 2.5 dB, under the 10 dB gate
  const auto pcm = Pcm(quiet);
  settings.burstEnabled = settings.peakEnabled = true;
  settings.burstThreshold = settings.peakThreshold = 0;  // would fire on anything
  EXPECT_EQ(RunBuffer(pcm, 2048), Verdict{});
  EXPECT_FALSE(analysis.Results().powerDetected);
  EXPECT_EQ(analysis.Results().pactor2Text, "");

  settings.powerEnabled = false;  // no gate: the clean signal is found
  EXPECT_TRUE(RunBuffer(pcm, 2048).busy);
  EXPECT_EQ(analysis.Results().powerText, "");
}

// A busy buffer is never noise; of the noise detectors burst comes first.
TEST_F(Chain, NoiseDetectorsRunOnlyWhenNoPactorFired) {
  settings.burstEnabled = settings.peakEnabled = true;
  settings.burstThreshold = settings.peakThreshold = 0;  // would fire on anything
  EXPECT_EQ(RunBuffer(Pcm(testing::Pactor2()), 2048), Verdict{.busy = true});
  EXPECT_EQ(analysis.Results().burstText + analysis.Results().peakText, "");
  const auto pcm = Pcm(testing::Recipe(signalgen::Form::Noise, 20, 0.5));
  settings.peakThreshold = DetectorSettings{}.peakThreshold;
  EXPECT_EQ(RunBuffer(pcm, 2048), Verdict{.noise = true});
  EXPECT_EQ(panel, "Burst Noise");
  EXPECT_EQ(analysis.Results().peakText, "");

  settings.burstEnabled = false;
  settings.peakThreshold = 0;
  EXPECT_EQ(RunBuffer(pcm, 2048, 2048), Verdict{.noise = true});
  EXPECT_EQ(panel, "Peak Noise");
  EXPECT_TRUE(analysis.Results().peakDetected);

  settings.peakThreshold = 100;
  EXPECT_EQ(RunBuffer(pcm, 2048, 2048), Verdict{});
  EXPECT_EQ(panel, "") << "neither busy nor noise: the panel is cleared";
}

// Automatic, a Pactor 3 row takes the decoder's centre (the Pactor 2 row's
// 1500 and the restore: the engine's tests).
TEST_F(Chain, CentreFrequencyFollowsTheTableOnlyWhenAutomaticAndMovesThePactor2Search) {
  DetectorValues& values = analysis;
  settings.centerFrequencyAuto = false;
  settings.centerFrequency = 2100;
  CenterFrequencySet(values, true);
  CenterFrequencyRestore(values);
  EXPECT_EQ(settings.centerFrequency, 2100);
  settings.centerFrequencyAuto = true;
  settings.centerFrequencyAutoFrequency = 1600;
  CenterFrequencySet(values, true);
  EXPECT_EQ(settings.centerFrequency, 1600);
  // The centre moves the Pactor 2 search.
  const auto pcm = Pcm(testing::Pactor2());  // around 1700 Hz
  settings.centerFrequency = 1500;
  settings.pactor3Enabled = false;
  EXPECT_FALSE(RunBuffer(pcm, 2048).busy);
  analysis.SetCenterFrequency(1700);
  EXPECT_TRUE(RunBuffer(pcm, 2048).busy);
}

signalgen::SignalRecipe Cw(double frequency, double snr) {
  return {.form = signalgen::Form::Cw, .center = frequency, .snrDb = snr, .seconds = 1};
}

TEST_F(Chain, CwModeMeasuresTheToneAndNeverReportsBusy) {
  settings.cwMode = true;
  EXPECT_EQ(RunBuffer(Pcm(Cw(1703.3, 20)), 2048), Verdict{});
  const auto& r = analysis.Results();
  ASSERT_TRUE(r.cwDetected);
  EXPECT_NEAR(r.cwFrequency, 1703.3, 0.3);
  EXPECT_NEAR(r.cwValue, 17.4 + 33, 2);  // 20 dB in 3 kHz: 17.4 dB in the whole band, plus 33
  EXPECT_EQ(r.cwText, FormatNumber(r.cwValue, "0"));
  EXPECT_EQ(panel, FormatNumber(r.cwFrequency, ".0") + " +/- 5.4 (Hz), " + FormatNumber(r.cwValue, "0.0") + " (dB)");

  // A Pactor signal in CW mode: still neither busy nor noise, nor counted.
  settings.burstEnabled = settings.peakEnabled = true;
  EXPECT_EQ(RunBuffer(Pcm(testing::Pactor2()), 2048), Verdict{});
  EXPECT_EQ(analysis.Pactor2Count(), 0);
}

// Silence leaves the phase fit nothing to fit: level and ratio 0 before the -30 and +33.
TEST_F(Chain, ASilentBufferOrAToneOutsideTheRangeIsNoTone) {
  settings.cwMode = true;
  panel = "old";
  RunBuffer(testing::Constant(2048, 0), 2048);
  EXPECT_EQ(std::tuple(analysis.Results().cwValue, analysis.Results().cwLevel, analysis.Results().cwDetected),
            std::tuple(33.0f, -30.0f, false));
  EXPECT_EQ(panel, "");
  settings.cwFrequency = 1000;  // a tone outside the range is not found
  RunBuffer(Pcm(Cw(1700, 20)), 2048);
  EXPECT_FALSE(analysis.Results().cwDetected);
}

TEST_F(Chain, WwvModeAndTheReferenceFlagUseTheCentreFrequency) {
  settings.centerFrequency = 1000;
  analysis.SetReferenceWwv(true);
  settings.cwMode = true;  // WWV comes before CW
  RunBuffer(Pcm(Cw(1050, 10)), 4096);
  EXPECT_TRUE(analysis.WwvDetected());
  EXPECT_NEAR(analysis.WwvValue(), 7.4 + 33, 2);
  EXPECT_NEAR(analysis.Results().wwvFrequency, 1050, 0.3);
  EXPECT_FALSE(analysis.Results().cwDetected);
  EXPECT_EQ(analysis.Results().cwText, "");

  analysis.SetReferenceWwv(false);
  settings.cwMode = false;
  settings.wwvMode = true;  // the mode does what the flag did
  RunBuffer(Pcm(Cw(1050, 10)), 4096);
  EXPECT_TRUE(analysis.WwvDetected());
}

TEST_F(Chain, FaxPathAndEstimateMeasureASteadyEnvelopeAndReferenceFaxSilencesAPactorSignal) {
  settings.faxMode = true;
  settings.wwvMode = true;  // FAX comes first
  EXPECT_EQ(RunBuffer(Pcm(testing::Recipe(signalgen::Form::Fax, 30, 1)), 2048), Verdict{});
  ASSERT_TRUE(analysis.FaxDetected());
  EXPECT_GT(analysis.FaxSnr(), 40);
  EXPECT_EQ(panel, "Power " + FormatNumber(analysis.FaxLevel(), "0") + ", Snr " + FormatNumber(analysis.FaxSnr(), "0"));
  EXPECT_EQ(analysis.Results().faxText, FormatNumber(analysis.FaxSnr(), ".0"));
  EXPECT_FALSE(analysis.WwvDetected());

  RunBuffer(Pcm(testing::Recipe(signalgen::Form::Noise, 20, 1)), 2048);
  EXPECT_FALSE(analysis.FaxDetected());
  EXPECT_LT(analysis.FaxSnr(), 40);
  EXPECT_EQ(panel, "");
  // The reference flag alone silences a Pactor signal.
  settings.faxMode = settings.wwvMode = false;
  analysis.SetReferenceFax(true);
  EXPECT_EQ(RunBuffer(Pcm(testing::Pactor2()), 2048), Verdict{});
  analysis.SetReferenceFax(false);
  EXPECT_TRUE(RunBuffer(Pcm(testing::Pactor2()), 2048).busy);
  // Silence, and an envelope with no steady part at all (every other entry
  // zero: k = 1), give -100.
  const FaxEstimate silent = EstimateFax(std::vector<Complex>(200));
  EXPECT_EQ(std::pair(silent.level, silent.ratio), std::pair(-100.0f, -100.0f));
  std::vector<Complex> gated(200);
  for (std::size_t i = 0; i < gated.size(); i += 2) gated[i] = {1, 0};
  EXPECT_EQ(EstimateFax(gated).ratio, -100);
}

}  // namespace
}  // namespace velmora
