#include "analysis/PulseDetector.h"

#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisTestSupport.h"
#include "common/Format.h"

namespace velmora {
namespace {

using testing::Pcm;
using testing::RunBuffer;

// The six window sums against sums over the stated ages of an energy
// history computed sample by sample, across buffer boundaries.
TEST(PulseDetector, WindowSumsCoverTheirAgesAcrossBuffers) {
  PowerDensity spectrum;
  DetectorSettings settings;
  DetectorResults results;
  NoDrawing drawing;
  PulseDetector pulse;
  std::string panel;
  signalgen::Random random(9);

  const double a = kTwoPi * 300 / 11025;
  double low = 0, previousHigh = 0;
  std::vector<double> energies;  // one per sample since the start
  for (int buffer = 0; buffer < 4; ++buffer) {
    std::vector<std::int16_t> samples(700);
    for (auto& s : samples) s = static_cast<std::int16_t>(std::lround(2000 * random.Gaussian() + 500));
    spectrum.Analyse(samples, 1024);
    pulse.Detect(buffer % 2 == 0, spectrum, settings, results, drawing, panel);

    const double mean = spectrum.SampleMean();
    for (std::int16_t s : samples) {
      const double x = s - mean;
      low = a * x + (1 - a) * low;
      energies.push_back(previousHigh * previousHigh);
      previousHigh = x - low;
    }
    auto sum = [&](std::size_t fromAge, std::size_t toAge) {
      double total = 0;
      for (std::size_t age = fromAge; age <= toAge && age < energies.size(); ++age)
        total += energies[energies.size() - 1 - age];
      return total;
    };
    const auto& w = pulse.WindowSums();
    const double scale = sum(0, 1000) + 1;
    EXPECT_NEAR(w.newQuarter, sum(0, 224), 1e-9 * scale) << buffer;
    EXPECT_NEAR(w.newHalf, sum(0, 449), 1e-9 * scale) << buffer;
    EXPECT_NEAR(w.newer, sum(0, 499), 1e-9 * scale) << buffer;
    EXPECT_NEAR(w.oldQuarter, sum(776, 1000), 1e-9 * scale) << buffer;
    EXPECT_NEAR(w.oldHalf, sum(551, 1000), 1e-9 * scale) << buffer;
    EXPECT_NEAR(w.older, sum(501, 1000), 1e-9 * scale) << buffer;
  }

  pulse.Restart();  // empties the ring and the filter
  spectrum.Analyse(std::vector<std::int16_t>(700, 0), 1024);
  pulse.Detect(false, spectrum, settings, results, drawing, panel);
  EXPECT_EQ(pulse.WindowSums().older + pulse.WindowSums().newer, 0);
}

// A transmission that ends inside a busy buffer: the step from signal to
// pause is the buffer's signal-to-noise figure.
std::vector<std::int16_t> PacketEndingAt(double seconds, double snr) {
  return Pcm({.form = signalgen::Form::Pactor2, .snrDb = snr, .seconds = 1,
              .rhythm = {.cycle = 10, .packet = seconds, .ackLength = 0}});
}

struct Pulse : ::testing::Test {
  DetectorSettings settings;
  SignalAnalysis analysis{settings};
  std::string panel;
  Pulse() {
    settings.pulseEnabled = true;
    analysis.RestartContinuity();
  }
};

// Only busy buffers are looked into.
TEST_F(Pulse, MeasuresTheStepBetweenATransmissionAndItsPauseAndMarksItsMiddle) {
  testing::RecordingDrawing drawing;
  analysis.SetDrawing(&drawing);
  const auto pcm = PacketEndingAt(0.2, 20);  // 2205 samples of signal, then noise
  EXPECT_EQ(RunBuffer(analysis, pcm, 4096, panel), (Verdict{.busy = true, .pulse = true}));
  const auto& r = analysis.Results();
  EXPECT_GE(r.pulseRatio, settings.pulseThreshold);
  EXPECT_NEAR(r.pulseValue, 17.4, 3);  // 20 dB in 3 kHz is 17.4 dB over the whole band
  EXPECT_EQ(r.pulseText, FormatNumber(r.pulseRatio, "0") + ", " + FormatNumber(r.pulseValue, "0"));
  EXPECT_EQ(panel, "Pactor 2, Snr " + FormatNumber(r.pulseValue, "0"));
  EXPECT_EQ(analysis.PulseValue(), r.pulseValue);
  ASSERT_EQ(drawing.Count("pulse"), 1);
  EXPECT_NEAR(drawing.drawn.back().x, 0.2 * 11025, 300);

  settings.pactor2Enabled = settings.pactor3Enabled = false;
  EXPECT_EQ(RunBuffer(analysis, pcm, 4096, panel), Verdict{});
  EXPECT_FALSE(r.pulseDetected);
  EXPECT_EQ(r.pulseValue, 0) << "the last buffer's value is not kept";
  EXPECT_EQ(r.pulseText, "0");
  EXPECT_EQ(panel, "");
}

TEST_F(Pulse, RunsDuringAutoConnectWhateverThePulseSettingAndKeepsItsValueAfter) {
  settings.pulseEnabled = false;
  const auto step = PacketEndingAt(0.2, 20);
  RunBuffer(analysis, step, 4096, panel);
  EXPECT_EQ(analysis.PulseValue(), 0);  // never ran
  EXPECT_EQ(analysis.Results().pulseText, "");

  analysis.SetAutoConnectActive(true);
  EXPECT_FALSE(RunBuffer(analysis, step, 4096, panel).pulse);  // found, but "Pulse" is off: no playback stop
  EXPECT_TRUE(analysis.Results().pulseDetected);
  const float value = analysis.PulseValue();
  EXPECT_GT(value, 10);
  const auto steady = Pcm(testing::Pactor2(20));
  RunBuffer(analysis, steady, 4096, panel);  // busy, but no step: 0 on every buffer without a pulse
  EXPECT_EQ(analysis.PulseValue(), 0);
  RunBuffer(analysis, step, 4096, panel);
  EXPECT_EQ(analysis.PulseValue(), value);

  analysis.SetAutoConnectActive(false);
  RunBuffer(analysis, steady, 4096, panel);  // the detector no longer runs
  EXPECT_EQ(analysis.PulseValue(), value);
}

TEST_F(Pulse, OnTheFirstBufferTheRingMustFillFirst) {
  // A steady transmission whose level drops 20 dB 300 samples into a buffer.
  const auto steady = Pcm(testing::Pactor2(30));
  std::vector<std::int16_t> drop(steady.begin() + 4096, steady.begin() + 8192);
  for (std::size_t i = 300; i < drop.size(); ++i) drop[i] = static_cast<std::int16_t>(drop[i] / 10);
  testing::RecordingDrawing drawing;
  analysis.SetDrawing(&drawing);

  // Right after a restart no window around sample 300 is full yet.
  ASSERT_TRUE(RunBuffer(analysis, drop, 4096, panel).busy);
  for (const auto& d : drawing.drawn)
    if (d.what == "pulse") {
      EXPECT_GE(d.x, 500);
    }

  // After a buffer of the same transmission the window reaches back into it.
  analysis.RestartContinuity();
  RunBuffer(analysis, steady, 4096, panel);
  drawing.drawn.clear();
  ASSERT_TRUE(RunBuffer(analysis, drop, 4096, panel).busy);
  ASSERT_EQ(drawing.Count("pulse"), 1);
  EXPECT_NEAR(drawing.drawn.back().x, 300, 60);
  EXPECT_NEAR(analysis.PulseValue(), 20, 1);
}

}  // namespace
}  // namespace velmora
