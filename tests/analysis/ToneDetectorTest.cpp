#include "analysis/ToneDetector.h"

#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisTestSupport.h"
#include "common/Format.h"

namespace velmora {
namespace {

using testing::Pcm;
using testing::RunBuffer;

signalgen::SignalRecipe Cw(double frequency, double snr) {
  return {.form = signalgen::Form::Cw, .center = frequency, .snrDb = snr, .seconds = 1};
}

struct Modes : ::testing::Test {
  DetectorSettings settings;
  SignalAnalysis analysis{settings};
  std::string panel;
};

TEST_F(Modes, CwModeMeasuresTheToneAndNeverReportsBusy) {
  settings.cwMode = true;
  EXPECT_EQ(RunBuffer(analysis, Pcm(Cw(1703.3, 20)), 2048, panel), Verdict{});
  const auto& r = analysis.Results();
  ASSERT_TRUE(r.cwDetected);
  EXPECT_NEAR(r.cwFrequency, 1703.3, 0.3);
  EXPECT_NEAR(r.cwValue, 17.4 + 33, 2);  // 20 dB in 3 kHz: 17.4 dB in the whole band, plus 33
  EXPECT_EQ(r.cwText, FormatNumber(r.cwValue, "0"));
  EXPECT_EQ(panel, FormatNumber(r.cwFrequency, ".0") + " +/- 5.4 (Hz), " + FormatNumber(r.cwValue, "0.0") + " (dB)");

  // A Pactor signal in CW mode: still neither busy nor noise, nor counted.
  settings.burstEnabled = settings.peakEnabled = true;
  EXPECT_EQ(RunBuffer(analysis, Pcm(testing::Pactor2()), 2048, panel), Verdict{});
  EXPECT_EQ(analysis.Pactor2Count(), 0);
}

TEST_F(Modes, ASilentBufferOrAToneOutsideTheRangeIsNoTone) {
  settings.cwMode = true;
  panel = "old";
  RunBuffer(analysis, testing::Constant(2048, 0), 2048, panel);
  // The phase fit has nothing to fit: level and ratio 0 before the -30 and +33.
  EXPECT_EQ(analysis.Results().cwValue, 33);
  EXPECT_EQ(analysis.Results().cwLevel, -30);
  EXPECT_FALSE(analysis.Results().cwDetected);
  EXPECT_EQ(panel, "");
  settings.cwFrequency = 1000;  // a tone outside the range is not found
  RunBuffer(analysis, Pcm(Cw(1700, 20)), 2048, panel);
  EXPECT_FALSE(analysis.Results().cwDetected);
}

TEST_F(Modes, WwvModeAndTheReferenceFlagUseTheCentreFrequency) {
  settings.centerFrequency = 1000;
  analysis.SetReferenceWwv(true);
  settings.cwMode = true;  // WWV comes before CW
  RunBuffer(analysis, Pcm(Cw(1050, 10)), 4096, panel);
  EXPECT_TRUE(analysis.WwvDetected());
  EXPECT_NEAR(analysis.WwvValue(), 7.4 + 33, 2);
  EXPECT_NEAR(analysis.Results().wwvFrequency, 1050, 0.3);
  EXPECT_FALSE(analysis.Results().cwDetected);
  EXPECT_EQ(analysis.Results().cwText, "");

  analysis.SetReferenceWwv(false);
  settings.cwMode = false;
  settings.wwvMode = true;
  settings.wwvThreshold = 100;
  RunBuffer(analysis, Pcm(Cw(1050, 10)), 4096, panel);
  EXPECT_FALSE(analysis.WwvDetected());
  EXPECT_EQ(panel, "");
}

TEST_F(Modes, FaxPathMeasuresASteadyEnvelope) {
  settings.faxMode = true;
  settings.wwvMode = true;  // FAX comes first
  EXPECT_EQ(RunBuffer(analysis, Pcm(testing::Recipe(signalgen::Form::Fax, 30, 1)), 2048, panel), Verdict{});
  ASSERT_TRUE(analysis.FaxDetected());
  EXPECT_GT(analysis.FaxSnr(), 40);
  EXPECT_EQ(panel, "Power " + FormatNumber(analysis.FaxLevel(), "0") + ", Snr " + FormatNumber(analysis.FaxSnr(), "0"));
  EXPECT_EQ(analysis.Results().faxText, FormatNumber(analysis.FaxSnr(), ".0"));
  EXPECT_FALSE(analysis.WwvDetected());

  RunBuffer(analysis, Pcm(testing::Recipe(signalgen::Form::Noise, 20, 1)), 2048, panel);
  EXPECT_FALSE(analysis.FaxDetected());
  EXPECT_LT(analysis.FaxSnr(), 40);
  EXPECT_EQ(panel, "");
}

TEST_F(Modes, ReferenceFaxSilencesAPactorSignal) {
  analysis.SetReferenceFax(true);
  EXPECT_EQ(RunBuffer(analysis, Pcm(testing::Pactor2()), 2048, panel), Verdict{});
  analysis.SetReferenceFax(false);
  EXPECT_TRUE(RunBuffer(analysis, Pcm(testing::Pactor2()), 2048, panel).busy);
}

// A steady envelope (k = 0) gives 100; silence, and an envelope with no
// steady part at all (every other entry zero: k = 1), give -100.
TEST(FaxEstimate, SteadyEnvelopeGivesARatioOf100) {
  const FaxEstimate steady = EstimateFax(std::vector<Complex>(200, Complex{3, 4}));
  EXPECT_EQ(steady.ratio, 100);
  EXPECT_FLOAT_EQ(steady.level, static_cast<float>(10 * std::log10(25.0)));
  const FaxEstimate silent = EstimateFax(std::vector<Complex>(200));
  EXPECT_EQ(std::pair(silent.level, silent.ratio), std::pair(-100.0f, -100.0f));
  std::vector<Complex> gated(200);
  for (std::size_t i = 0; i < gated.size(); i += 2) gated[i] = {1, 0};
  EXPECT_EQ(EstimateFax(gated).ratio, -100);
}

}  // namespace
}  // namespace velmora
