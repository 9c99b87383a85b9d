// The sound-card loop's state machine against a scripted device.
#include <gtest/gtest.h>

#include "tests/audio/SignalFakes.h"

namespace velmora {
namespace {

using testing::FakeWaveDevice;
using testing::SignalRig;

TEST(CaptureLoop, StopWhileWaitingAndCloseWhileRunningLeaveTheLoop) {
  SignalRig waiting;
  waiting.input.script = {FakeWaveDevice::Do([&] { waiting.signal.ProcessStop(); })};
  waiting.Start();
  EXPECT_TRUE(waiting.analysis.analysed.empty());
  EXPECT_EQ(waiting.host.Last(1), "Stopped");
  EXPECT_FALSE(waiting.input.IsOpen());

  SignalRig closing;
  closing.input.script = FakeWaveDevice::Filled(3);
  closing.pump.passes = {[&] { closing.signal.StopForClose(); }};
  closing.Start();
  EXPECT_EQ(closing.analysis.analysed.size(), 1u);
  EXPECT_FALSE(closing.signal.Running());
}

// "Starting" and the restart of both buffers on the real device:
// MainWindowLoopTest and SoundPathTest.
TEST(CaptureLoop, RunsWithItsLoadShownAndWindowEventsOncePerBuffer) {
  SignalRig rig;
  rig.input.script = FakeWaveDevice::Filled(3);
  rig.Start();
  ASSERT_EQ(rig.analysis.analysed.size(), 3u);
  // Each clock reading moves 10 ms: 10 ms of work on a 2048-sample buffer (0.186 s).
  EXPECT_TRUE(rig.host.Saw(1, "Running 5%"));
  EXPECT_EQ(rig.pump.runs, 3) << "window events run once per buffer";
}

// A step is one buffer, on the sound card or the test signal, and leaves no
// step behind for the next start.
TEST(CaptureLoop, StepProcessesExactlyOneBuffer) {
  SignalRig rig;
  rig.signal.inputSource = kSimulated;
  rig.signal.ProcessStep();
  rig.signal.StartLoopFromTimer();
  rig.signal.inputSource = kSoundCard;
  rig.input.script = FakeWaveDevice::Filled(2);
  rig.signal.ProcessStep();
  EXPECT_TRUE(rig.host.Saw(1, "Stepping"));
  rig.signal.StartLoopFromTimer();
  EXPECT_EQ(rig.analysis.analysed.size(), 2u);
  rig.input.script = FakeWaveDevice::Filled(3);
  rig.Start();
  EXPECT_EQ(rig.analysis.analysed.size(), 5u) << "a start after the steps runs on";
}

// The sample size is taken when the loop starts. AutoConnect sets 2048
// samples, then asks for the reset: "Reset", a pause with events running,
// and a restart on buffer 0 with the new size.
TEST(CaptureLoop, ResetRestartsWithBufferZeroAndTheSampleSizeSetBeforeIt) {
  SignalRig rig;
  rig.settings.display.sampleSize = 1024;
  rig.input.script = FakeWaveDevice::Filled(4);
  rig.pump.passes = {[&] { rig.settings.display.sampleSize = 2048; }, [&] { rig.signal.ProcessReset(); }};
  rig.Start();
  EXPECT_TRUE(rig.host.Saw(1, "Reset"));
  EXPECT_GE(rig.pump.runs, 3) << "window events run during the half-second pause";
  ASSERT_GE(rig.analysis.analysed.size(), 3u);
  EXPECT_EQ(rig.analysis.restartsBeforeBuffer[2], 2) << "the buffer after the restart sees FirstBuffer";
  EXPECT_EQ(rig.analysis.channelsBeforeBuffer[2], 2) << "and a new channel";
  EXPECT_EQ(rig.analysis.analysed[1].size(), 1024u) << "a size set while running waits for the restart";
  EXPECT_EQ(rig.analysis.analysed.back().size(), 2048u);
}

// Options may switch the source while a loop runs: the loop still closes
// the device it opened, and the next open does not find it open.
TEST(CaptureLoop, SwitchingTheSourceWhileRunningClosesWhatWasOpened) {
  for (bool simulated : {false, true}) {
    SignalRig rig;
    rig.signal.inputSource = simulated ? kSimulated : kSoundCard;
    rig.signal.simulate.output = true;
    FakeWaveDevice& opened = simulated ? rig.output : rig.input;
    opened.script = FakeWaveDevice::Filled(3);
    opened.onScriptEnd = [&] { rig.signal.ProcessStop(); };
    rig.pump.passes = {[&] {
      rig.signal.inputSource = simulated ? kSoundCard : kSimulated;
      rig.signal.ProcessStop();
    }};
    rig.signal.StartLoopFromTimer();
    EXPECT_EQ(opened.log.back(), "close event") << simulated;
    EXPECT_TRUE(rig.messages.Texts().empty()) << simulated;
  }
}

TEST(CaptureLoop, AnEmptyBufferIsSkippedAndBothFullIsAnOverflowThatRestarts) {
  SignalRig rig;
  rig.input.script = {[](FakeWaveDevice& d) { return d.Fill(0); }, FakeWaveDevice::BothFilled(),
                      FakeWaveDevice::Filled()};
  rig.Start();
  EXPECT_TRUE(rig.host.Saw(1, "Overflow"));
  ASSERT_EQ(rig.analysis.analysed.size(), 2u);
  EXPECT_EQ(rig.analysis.restartsBeforeBuffer[1], 2) << "one at the start, one at the restart";
  EXPECT_EQ(rig.analysis.channelsBeforeBuffer[1], 1) << "the same channel after the overflow";
}

// Each failure shows its message and stops; a device that can no longer be
// trusted also ends the program, through the normal close path.
TEST(CaptureLoop, EachFailureShowsItsMessageAndStops) {
  struct Case { void (*arrange)(FakeWaveDevice&); const char* message; int endProgram; };
  const Case cases[] = {
      {[](FakeWaveDevice& d) { d.script = {FakeWaveDevice::Filled(), [](FakeWaveDevice&) { return false; }}; },
       "Process - WaveEvent TimeOut", 1},
      // The two start-up queues pass, the first requeue fails.
      {[](FakeWaveDevice& d) { d.failQueueAt = 2, d.script = FakeWaveDevice::Filled(2); },
       "Process - Cannot AddBuffer #1", 1},
      {[](FakeWaveDevice& d) { d.failReset = true, d.script = {FakeWaveDevice::BothFilled()}; },
       "Process Restart - Cannot Reset Sound Card", 1},
      {[](FakeWaveDevice& d) { d.failEvent = true; }, "WaveInputOpen - Cannot Create Event\rNot enough memory", 0},
      {[](FakeWaveDevice& d) { d.openTimesOut = true; }, "WaveInputOpen - WaveEvent TimeOut", 0},
  };
  for (const auto& c : cases) {
    SignalRig rig;
    c.arrange(rig.input);
    rig.Start();
    EXPECT_EQ(rig.messages.Texts().at(0), c.message);
    EXPECT_EQ(rig.host.endProgram, c.endProgram) << c.message;
    EXPECT_EQ(rig.host.Last(1), "Stopped") << c.message;
    EXPECT_FALSE(rig.input.IsOpen()) << c.message;
  }
}

// Handed over only while the window is shown; a muted buffer is not valid.
TEST(CaptureLoop, TheVerdictReachesAutoConnectOnlyWhileItIsVisible) {
  SignalRig rig;
  rig.input.sample = [](int n) { return static_cast<std::int16_t>(n < 2 * 2048 ? 1 : 0); };  // the third is muted
  rig.analysis.verdicts = {Verdict{.busy = true}, Verdict{.noise = true}, Verdict{.busy = true}};
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Do([&] { rig.autoConnect.visible = true; }),
                      FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.Start();
  EXPECT_EQ(rig.autoConnect.updates, (std::vector<Verdict>{{.noise = true}, {.valid = false, .busy = true}}));
  EXPECT_TRUE(rig.host.Saw(3, "Low Input Level"));
}

// The display is handed each buffer's verdict even while minimised (the
// waterfall's history goes on), and a redraw hands it none.
TEST(CaptureLoop, ARedrawAnalysesTheLastSamplesAgainAndNothingMore) {
  SignalRig rig;
  rig.input.script = {FakeWaveDevice::Filled()};
  struct NullDisplay : BufferDisplay {
    bool shown = false;
    int draws = 0, judged = 0;
    bool Shown() const override { return shown; }
    void DrawTime(std::span<const std::int16_t>) override { ++draws; }
    void DrawFrequency() override {}
    void BufferJudged(const Verdict&) override { ++judged; }
    void Present() override {}
  } display;
  rig.signal.SetDisplay(display);
  rig.Start();
  EXPECT_EQ(display.draws, 0);
  EXPECT_EQ(display.judged, 1);
  display.shown = true;
  rig.signal.Redraw();
  EXPECT_EQ(display.draws, 1);
  EXPECT_EQ(display.judged, 1);
  ASSERT_EQ(rig.analysis.analysed.size(), 2u);
  EXPECT_EQ(rig.analysis.analysed[1], rig.analysis.analysed[0]) << "from the copy of the last buffer";
  EXPECT_EQ(rig.analysis.detects, 1);
}

}  // namespace
}  // namespace velmora
