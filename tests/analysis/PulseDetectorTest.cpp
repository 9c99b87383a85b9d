#include "analysis/PulseDetector.h"

#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "common/Format.h"

namespace velmora {
namespace {

using testing::Pcm;

// A transmission that ends inside a busy buffer: the step from signal to
// pause is the buffer's signal-to-noise figure.
std::vector<std::int16_t> PacketEndingAt(double seconds, double snr) {
  return Pcm({.form = signalgen::Form::Pactor2, .snrDb = snr, .seconds = 1,
              .rhythm = {.cycle = 10, .packet = seconds, .ackLength = 0}});
}

struct Pulse : ::testing::Test, testing::AnalysisRig {
  testing::RecordingDrawing drawing;
  Pulse() { settings.pulseEnabled = true; analysis.RestartContinuity(); analysis.SetDrawing(&drawing); }
};

// Only busy buffers are looked into.
TEST_F(Pulse, MeasuresTheStepBetweenATransmissionAndItsPauseAndMarksItsMiddle) {
  const auto pcm = PacketEndingAt(0.2, 20);  // 2205 samples of signal, then noise
  EXPECT_EQ(RunBuffer(pcm, 4096), (Verdict{.busy = true, .pulse = true}));
  const auto& r = analysis.Results();
  EXPECT_GE(r.pulseRatio, settings.pulseThreshold);
  EXPECT_NEAR(r.pulseValue, 17.4, 3);  // 20 dB in 3 kHz is 17.4 dB over the whole band
  EXPECT_EQ(r.pulseText, FormatNumber(r.pulseRatio, "0") + ", " + FormatNumber(r.pulseValue, "0"));
  EXPECT_EQ(panel, "Pactor 2, Snr " + FormatNumber(r.pulseValue, "0"));
  EXPECT_EQ(analysis.PulseValue(), r.pulseValue);
  ASSERT_EQ(drawing.Count("pulse"), 1);
  EXPECT_NEAR(drawing.drawn.back().x, 0.2 * 11025, 300);

  settings.pactor2Enabled = settings.pactor3Enabled = false;
  EXPECT_EQ(RunBuffer(pcm, 4096), Verdict{});
  EXPECT_FALSE(r.pulseDetected);
  EXPECT_EQ(r.pulseValue, 0) << "the last buffer's value is not kept";
  EXPECT_EQ(r.pulseText, "0");
  EXPECT_EQ(panel, "");
}

TEST_F(Pulse, RunsDuringAutoConnectWhateverThePulseSettingAndKeepsItsValueAfter) {
  settings.pulseEnabled = false;
  const auto step = PacketEndingAt(0.2, 20);
  RunBuffer(step, 4096);
  EXPECT_EQ(analysis.PulseValue(), 0);  // never ran
  EXPECT_EQ(analysis.Results().pulseText, "");

  analysis.SetAutoConnectActive(true);
  EXPECT_FALSE(RunBuffer(step, 4096).pulse);  // found, but "Pulse" is off: no playback stop
  EXPECT_TRUE(analysis.Results().pulseDetected);
  const float value = analysis.PulseValue();
  EXPECT_GT(value, 10);
  const auto steady = Pcm(testing::Pactor2(20));
  RunBuffer(steady, 4096);  // busy, but no step: 0 on every buffer without a pulse
  EXPECT_EQ(analysis.PulseValue(), 0);
  RunBuffer(step, 4096);
  EXPECT_EQ(analysis.PulseValue(), value);

  analysis.SetAutoConnectActive(false);
  RunBuffer(steady, 4096);  // the detector no longer runs
  EXPECT_EQ(analysis.PulseValue(), value);
}

TEST_F(Pulse, TheWindowsReachBackIntoTheLastBufferButNotPastARestart) {
  // A steady transmission whose level drops 20 dB 300 samples into a buffer.
  const auto steady = Pcm(testing::Pactor2(30));
  std::vector<std::int16_t> drop(steady.begin() + 4096, steady.begin() + 8192);
  for (std::size_t i = 300; i < drop.size(); ++i) drop[i] = static_cast<std::int16_t>(drop[i] / 10);

  RunBuffer(steady, 4096);
  ASSERT_TRUE(RunBuffer(drop, 4096).busy);
  ASSERT_EQ(drawing.Count("pulse"), 1);
  EXPECT_NEAR(drawing.drawn.back().x, 300, 60);
  EXPECT_NEAR(analysis.PulseValue(), 20, 1);

  // Right after a restart no window around sample 300 is full yet.
  analysis.RestartContinuity();
  drawing.drawn.clear();
  ASSERT_TRUE(RunBuffer(drop, 4096).busy);
  for (const auto& d : drawing.drawn)
    if (d.what == "pulse") { EXPECT_GE(d.x, 500); }
}

}  // namespace
}  // namespace velmora
