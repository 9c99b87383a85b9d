// The sound-card loop's state machine against a scripted device.
#include <gtest/gtest.h>

#include "tests/audio/SignalFakes.h"

namespace velmora {
namespace {

using testing::FakeWaveDevice;
using testing::SignalRig;

TEST(CaptureLoop, StopWhileWaitingLeavesWithoutProcessing) {
  SignalRig rig;
  rig.input.script = {FakeWaveDevice::Do([&] { rig.signal.ProcessStop(); })};
  rig.Start();
  EXPECT_TRUE(rig.analysis.analysed.empty());
  EXPECT_EQ(rig.host.Last(1), "Stopped");
  EXPECT_FALSE(rig.signal.Running());
  EXPECT_FALSE(rig.input.IsOpen()) << "the device is closed when the loop stops";
  EXPECT_TRUE(rig.host.pressed["Stop"]);
  EXPECT_FALSE(rig.host.pressed["Start"]);
}

TEST(CaptureLoop, StartShowsStartingAndRunsWithTheLoad) {
  SignalRig rig;
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.signal.ProcessStart();
  EXPECT_EQ(rig.host.Last(1), "Starting");
  EXPECT_TRUE(rig.host.pressed["Start"]);
  EXPECT_EQ(rig.host.timers, 1);
  rig.signal.StartLoopFromTimer();
  ASSERT_EQ(rig.analysis.analysed.size(), 3u);
  EXPECT_EQ(rig.analysis.analysed[0].size(), 2048u);
  // Each clock reading moves 10 ms: 10 ms of work on a 2048-sample buffer (0.186 s).
  EXPECT_TRUE(rig.host.Saw(1, "Running 5%"));
  EXPECT_EQ(rig.host.Last(1), "Stopped");
  EXPECT_EQ(rig.pump.runs, 3) << "window events run once per buffer";
  EXPECT_EQ(rig.analysis.restartsBeforeBuffer[0], 1) << "the first buffer sees FirstBuffer";
}

TEST(CaptureLoop, BuffersAlternateAndAreRequeued) {
  SignalRig rig;
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.Start();
  std::vector<std::string> queues;
  for (const auto& entry : rig.input.log)
    if (entry.starts_with("queue")) queues.push_back(entry);
  EXPECT_EQ(queues, (std::vector<std::string>{"queue 0", "queue 1", "queue 0", "queue 1", "queue 0"}));
  EXPECT_EQ(rig.input.lastQueuedBytes, 4096u);
  EXPECT_EQ(rig.signal.CurrentBuffer(), 0);
  EXPECT_FLOAT_EQ(rig.signal.BufferSeconds(), 2048.0f / 11025);
}

TEST(CaptureLoop, StepProcessesExactlyOneBuffer) {
  SignalRig rig;
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.signal.ProcessStep();
  EXPECT_TRUE(rig.host.Saw(1, "Stepping"));
  rig.signal.StartLoopFromTimer();
  EXPECT_EQ(rig.analysis.analysed.size(), 1u);
  EXPECT_EQ(rig.host.Last(1), "Stopped");
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.signal.ProcessStep();
  rig.signal.StartLoopFromTimer();
  EXPECT_EQ(rig.analysis.analysed.size(), 2u) << "the step flag was cleared, so a second step works";
}

TEST(CaptureLoop, ResetShowsResetPausesAndRestartsWithBufferZero) {
  SignalRig rig;
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.pump.passes = {[&] { rig.signal.ProcessReset(); }};
  rig.Start();
  EXPECT_TRUE(rig.host.Saw(1, "Reset"));
  ASSERT_GE(rig.analysis.analysed.size(), 2u);
  EXPECT_EQ(rig.analysis.restartsBeforeBuffer[1], 2) << "the buffer after the restart sees FirstBuffer";
  auto reset = std::find(rig.input.log.begin(), rig.input.log.end(), "reset");
  ASSERT_NE(reset, rig.input.log.end());
  EXPECT_EQ(*(reset + 1), "queue 0");
  EXPECT_EQ(*(reset + 2), "queue 1");
  EXPECT_EQ(*(reset + 3), "start");
  EXPECT_GE(rig.pump.runs, 2) << "window events run during the half-second pause";
}

// AutoConnect sets 2048 samples, then asks for the reset: the restart runs with them.
TEST(CaptureLoop, TheRestartTakesTheSampleSizeSetBeforeTheReset) {
  SignalRig rig;
  rig.settings.display.sampleSize = 1024;
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.pump.passes = {[&] {
    rig.settings.display.sampleSize = 2048;
    rig.signal.ProcessReset();
  }};
  rig.Start();
  ASSERT_GE(rig.analysis.analysed.size(), 2u);
  EXPECT_EQ(rig.analysis.analysed.front().size(), 1024u);
  EXPECT_EQ(rig.analysis.analysed.back().size(), 2048u);
  EXPECT_EQ(rig.input.lastQueuedBytes, 4096u) << "the headers were prepared again for the new length";
  EXPECT_TRUE(rig.messages.Texts().empty());
}

// Options may switch the source while a loop runs: the loop still closes
// the device it opened, and the next open does not find it open.
TEST(CaptureLoop, SwitchingTheSourceWhileRunningClosesWhatWasOpened) {
  for (bool simulated : {false, true}) {
    SignalRig rig;
    rig.signal.inputSource = simulated ? kSimulated : kSoundCard;
    rig.signal.simulate.output = true;
    FakeWaveDevice& opened = simulated ? rig.output : rig.input;
    opened.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
    opened.onScriptEnd = [&] { rig.signal.ProcessStop(); };
    rig.pump.passes = {[&] {
      rig.signal.inputSource = simulated ? kSoundCard : kSimulated;
      rig.signal.ProcessStop();
    }};
    rig.signal.StartLoopFromTimer();
    EXPECT_FALSE(opened.IsOpen()) << simulated;
    EXPECT_EQ(opened.log.back(), "close event") << simulated;
    EXPECT_TRUE(rig.messages.Texts().empty()) << simulated;
  }
}

// A step on the test signal without output is its one buffer: the step is
// done, and the next start on the sound card runs on.
TEST(CaptureLoop, AStepOnTheTestSignalLeavesNoStepForTheNextStart) {
  SignalRig rig;
  rig.signal.inputSource = kSimulated;
  rig.signal.ProcessStep();
  rig.signal.StartLoopFromTimer();
  rig.signal.inputSource = kSoundCard;
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.signal.ProcessStart();
  EXPECT_EQ(rig.host.Last(1), "Starting");
  rig.signal.StartLoopFromTimer();
  EXPECT_EQ(rig.analysis.analysed.size(), 4u);
}

TEST(CaptureLoop, ResetWhileStoppedStartsTheLoop) {
  SignalRig rig;
  rig.signal.ProcessReset();
  EXPECT_EQ(rig.host.timers, 1);
  EXPECT_EQ(rig.host.Last(1), "Starting");
}

TEST(CaptureLoop, BothBuffersFullIsAnOverflowAndRestarts) {
  SignalRig rig;
  rig.input.script = {FakeWaveDevice::BothFilled(), FakeWaveDevice::Filled()};
  rig.Start();
  EXPECT_TRUE(rig.host.Saw(1, "Overflow"));
  EXPECT_FALSE(rig.host.Saw(1, "Reset"));
  ASSERT_EQ(rig.analysis.analysed.size(), 2u);
  EXPECT_EQ(rig.analysis.restartsBeforeBuffer[1], 2);
  EXPECT_EQ(rig.host.endProgram, 0);
}

// Each failure shows its message and stops; a device that can no longer be
// trusted also ends the program, through the normal close path.
TEST(CaptureLoop, EachFailureShowsItsMessageAndStops) {
  struct Case {
    void (*arrange)(FakeWaveDevice&);
    const char* message;
    int endProgram;
  };
  const Case cases[] = {
      {[](FakeWaveDevice& d) { d.script = {FakeWaveDevice::Filled(), FakeWaveDevice::TimedOut()}; },
       "Process - WaveEvent TimeOut", 1},
      {[](FakeWaveDevice& d) {
         d.failQueueAt = 2;  // the two start-up queues pass, the first requeue fails
         d.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
       },
       "Process - Cannot AddBuffer #1", 1},
      {[](FakeWaveDevice& d) {
         d.failReset = true;
         d.script = {FakeWaveDevice::BothFilled()};
       },
       "Process Restart - Cannot Reset Sound Card", 1},
      {[](FakeWaveDevice& d) { d.openCode = 32; },
       "WaveInputOpen - Cannot Open Sound Card\rAttempted to open with an unsupported waveform-audio format.", 0},
      {[](FakeWaveDevice& d) { d.openCode = 2; },
       "WaveInputOpen - Cannot Open Sound Card\rSpecified device identifier is out of range.", 0},
      {[](FakeWaveDevice& d) { d.failEvent = true; }, "WaveInputOpen - Cannot Create Event\rNot enough memory", 0},
      {[](FakeWaveDevice& d) { d.openTimesOut = true; }, "WaveInputOpen - WaveEvent TimeOut", 0},
  };
  for (const auto& c : cases) {
    SignalRig rig;
    c.arrange(rig.input);
    rig.Start();
    ASSERT_FALSE(rig.messages.Texts().empty()) << c.message;
    EXPECT_EQ(rig.messages.Texts()[0], c.message);
    EXPECT_EQ(rig.host.endProgram, c.endProgram) << c.message;
    EXPECT_EQ(rig.host.Last(1), "Stopped") << c.message;
    EXPECT_FALSE(rig.signal.Running()) << c.message;
    EXPECT_FALSE(rig.input.IsOpen()) << c.message;
  }
}

TEST(CaptureLoop, EightBitSamplesAreWidened) {
  SignalRig rig;
  rig.signal.use16Bit = false;
  rig.input.sample = [](int n) { return static_cast<std::int16_t>(n % 2 ? 255 : 0); };
  rig.input.script = {FakeWaveDevice::Filled()};
  rig.Start();
  ASSERT_EQ(rig.analysis.analysed.size(), 1u);
  EXPECT_EQ(rig.input.log[1], "open 8");
  EXPECT_EQ(rig.input.lastQueuedBytes, 2048u);
  EXPECT_EQ(rig.analysis.analysed[0][0], -32768);
  EXPECT_EQ(rig.analysis.analysed[0][1], 127 * 256);
}

TEST(CaptureLoop, TheSampleSizeIsTakenOnceWhenTheLoopStarts) {
  SignalRig rig;
  rig.settings.display.sampleSize = 1024;
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Do([&] { rig.settings.display.sampleSize = 4096; }),
                      FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.Start();
  for (const auto& buffer : rig.analysis.analysed) EXPECT_EQ(buffer.size(), 1024u);
  rig.input.script = {FakeWaveDevice::Filled()};
  rig.Start();
  EXPECT_EQ(rig.analysis.analysed.back().size(), 4096u) << "the next start takes the new size";
}

TEST(CaptureLoop, AMutedBufferIsNotValidForAutoConnect) {
  SignalRig rig;
  rig.autoConnect.visible = true;
  rig.input.sample = [](int) { return std::int16_t{0}; };
  rig.input.script = {FakeWaveDevice::Filled()};
  rig.analysis.verdicts = {Verdict{.busy = true}};
  rig.Start();
  ASSERT_EQ(rig.autoConnect.updates.size(), 1u);
  EXPECT_FALSE(rig.autoConnect.updates[0].valid);
  EXPECT_TRUE(rig.autoConnect.updates[0].busy);
  EXPECT_TRUE(rig.host.Saw(3, "Low Input Level"));
}

TEST(CaptureLoop, TheVerdictReachesAutoConnectOnlyWhileItIsVisible) {
  SignalRig rig;
  rig.analysis.verdicts = {Verdict{.busy = true}, Verdict{.noise = true}};
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Do([&] { rig.autoConnect.visible = true; }),
                      FakeWaveDevice::Filled()};
  rig.Start();
  ASSERT_EQ(rig.autoConnect.updates.size(), 1u);
  EXPECT_TRUE(rig.autoConnect.updates[0].valid);
  EXPECT_FALSE(rig.autoConnect.updates[0].busy);
  EXPECT_TRUE(rig.autoConnect.updates[0].noise);
  EXPECT_TRUE(rig.host.Saw(3, "Pactor 2"));
}

TEST(CaptureLoop, ARedrawAnalysesTheLastSamplesAgainAndNothingMore) {
  SignalRig rig;
  rig.autoConnect.visible = true;
  rig.input.script = {FakeWaveDevice::Filled()};
  rig.Start();
  auto detects = rig.analysis.detects;
  auto updates = rig.autoConnect.updates.size();
  struct NullDisplay : BufferDisplay {
    int draws = 0;
    bool Shown() const override { return true; }
    void DrawTime(std::span<const std::int16_t>) override { ++draws; }
    void DrawFrequency() override {}
    void Present() override {}
  } display;
  rig.signal.SetDisplay(display);
  rig.signal.Redraw();
  EXPECT_EQ(display.draws, 1);
  ASSERT_EQ(rig.analysis.analysed.size(), 2u);
  EXPECT_EQ(rig.analysis.analysed[1], rig.analysis.analysed[0]) << "from the copy of the last buffer";
  EXPECT_EQ(rig.analysis.detects, detects);
  EXPECT_EQ(rig.autoConnect.updates.size(), updates);
}

TEST(CaptureLoop, NothingIsDoneWithAnEmptyBuffer) {
  SignalRig rig;
  rig.input.script = {[](FakeWaveDevice& d) { return d.Fill(0); }, FakeWaveDevice::Filled()};
  rig.Start();
  EXPECT_EQ(rig.analysis.analysed.size(), 1u);
}

TEST(CaptureLoop, CloseWhileRunningAsksTheLoopToStop) {
  SignalRig rig;
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.pump.passes = {[&] { rig.signal.StopForClose(); }};
  rig.Start();
  EXPECT_EQ(rig.analysis.analysed.size(), 1u);
  EXPECT_FALSE(rig.signal.Running());
}

}  // namespace
}  // namespace velmora
