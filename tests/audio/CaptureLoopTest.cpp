// The loops over each source through the per-buffer work: the sound-card
// loop's state machine against a scripted device, recordings played back,
// the test signal, and recordings made.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <optional>
#include <set>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "audio/Recorder.h"
#include "audio/Simulator.h"
#include "common/SystemLib.h"
#include "tests/audio/SignalFakes.h"
#include "tests/common/TempFolder.h"

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
  closing.pump.passes = {[&] { closing.signal.StopForClose(); }};
  closing.StartFilled(3);
  EXPECT_EQ(closing.analysis.analysed.size(), 1u);
  EXPECT_FALSE(closing.signal.Running());
}

// "Starting" and the restart of both buffers on the real device:
// MainWindowLoopTest and SoundPathTest.
TEST(CaptureLoop, RunsWithItsLoadShownAndWindowEventsOncePerBuffer) {
  SignalRig rig;
  rig.StartFilled(3);
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
  for (bool heard : {false, true}) {  // the test signal through the sound output or not
    rig.signal.simulate.output = heard;
    rig.output.script = FakeWaveDevice::Filled(3);
    rig.pump.passes = {nullptr, nullptr, [&] { rig.signal.ProcessStop(); }};
    rig.signal.ProcessStep();
    rig.signal.StartLoopFromTimer();
    EXPECT_EQ(rig.analysis.analysed.size(), heard ? 2u : 1u) << heard;
  }
  rig.pump.passes.clear();
  rig.signal.inputSource = kSoundCard;
  rig.input.script = FakeWaveDevice::Filled(2);
  rig.signal.ProcessStep();
  EXPECT_TRUE(rig.host.Saw(1, "Stepping"));
  rig.signal.StartLoopFromTimer();
  EXPECT_EQ(rig.analysis.analysed.size(), 3u);
  rig.StartFilled(3);
  EXPECT_EQ(rig.analysis.analysed.size(), 6u) << "a start after the steps runs on";
}

// The sample size is taken when the loop starts. AutoConnect sets 2048
// samples, then asks for the reset: "Reset", a pause with events running,
// and a restart on buffer 0 with the new size.
TEST(CaptureLoop, ResetRestartsWithBufferZeroAndTheSampleSizeSetBeforeIt) {
  SignalRig rig;
  rig.settings.display.sampleSize = 1024;
  rig.pump.passes = {[&] { rig.settings.display.sampleSize = 2048; }, [&] { rig.signal.ProcessReset(); }};
  rig.StartFilled(4);
  EXPECT_TRUE(rig.host.Saw(1, "Reset"));
  EXPECT_GE(rig.pump.runs, 3) << "window events run during the half-second pause";
  ASSERT_GE(rig.analysis.analysed.size(), 3u);
  EXPECT_EQ(rig.analysis.restartsBeforeBuffer[2], 2) << "the buffer after the restart sees FirstBuffer";
  EXPECT_EQ(rig.analysis.channelsBeforeBuffer[2], 2) << "and a new channel";
  EXPECT_EQ(rig.analysis.analysed[1].size(), 1024u) << "a size set while running waits for the restart";
  EXPECT_EQ(rig.analysis.analysed.back().size(), 2048u);
}

// Options' Apply changing the A/D Resolution during the reset's pause stops
// the card: no restart queues the 8-bit buffers with the 16-bit length.
TEST(CaptureLoop, AStopDuringTheResetPauseLeavesWithoutARestart) {
  SignalRig rig;
  rig.signal.use16Bit = false;
  rig.settings.display.sampleSize = 32768;
  rig.pump.passes = {[&] { rig.signal.ProcessReset(); }, [&] {
                       rig.signal.use16Bit = true;
                       rig.signal.ProcessStop();
                     }};
  rig.StartFilled(3);
  EXPECT_EQ(rig.input.overlongQueues, 0);
  EXPECT_EQ(rig.analysis.analysed.size(), 1u);
  EXPECT_FALSE(rig.input.IsOpen());
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
    EXPECT_FALSE(opened.IsOpen()) << simulated;
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

// Handed over only while the window is shown; a muted buffer is not valid,
// nor one muted on a card whose input stands at a DC offset.
TEST(CaptureLoop, TheVerdictReachesAutoConnectOnlyWhileItIsVisible) {
  SignalRig rig;
  // The third is muted, the fourth muted at an offset of 300.
  rig.input.sample = [](int n) { return static_cast<std::int16_t>(n < 2 * 2048 ? n % 2 : n < 3 * 2048 ? 0 : 300); };
  rig.analysis.verdicts = {Verdict{.busy = true}, Verdict{.noise = true}, Verdict{.busy = true}, Verdict{}};
  rig.input.script = {FakeWaveDevice::Filled(), FakeWaveDevice::Do([&] { rig.autoConnect.visible = true; }),
                      FakeWaveDevice::Filled(), FakeWaveDevice::Filled(), FakeWaveDevice::Filled()};
  rig.Start();
  EXPECT_EQ(rig.autoConnect.updates,
            (std::vector<Verdict>{{.noise = true}, {.valid = false, .busy = true}, {.valid = false}}));
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

// Playing "rec.bin" of the given 16-bit samples (and stray bytes after
// them) in buffers of 256 samples.
struct PlaybackRig : SignalRig {
  testing::TempFolder folder;
  explicit PlaybackRig(int samples, int extraBytes = 0) {
    signal.inputSource = kPlayback;
    settings.display.sampleSize = 256;
    signal.playbackFile = folder.path() / "rec.bin";
    std::ofstream out(signal.playbackFile, std::ios::binary);
    for (int i = 0; i < samples; ++i) {
      auto v = static_cast<std::int16_t>(i * 7 - 3000);
      out.write(reinterpret_cast<const char*>(&v), 2);
    }
    out << std::string(extraBytes, '\x55');
  }
};

// Stop pressed before the start's tick (held while an AutoConnect operation
// runs) calls the start off, whatever the source: it ran on with "Stop"
// shown pressed.
TEST(CaptureLoop, AStopBeforeTheStartsTickCallsItOff) {
  for (int source : {kSoundCard, kPlayback, kSimulated}) {
    PlaybackRig rig(8 * 256);
    rig.signal.inputSource = source;
    rig.input.script = FakeWaveDevice::Filled(2);
    rig.pump.passes = {nullptr, [&] { rig.signal.Stop(); }};  // a loop started stops after two buffers
    rig.signal.Start();
    rig.signal.Stop();
    rig.signal.StartLoopFromTimer();
    EXPECT_TRUE(rig.analysis.analysed.empty()) << source;
    EXPECT_EQ(rig.host.Last(1), "Stopped") << source;
    rig.pump.passes.clear();
    rig.Run(2);
    EXPECT_FALSE(rig.analysis.analysed.empty()) << "a start after it starts " << source;
  }
  // The same while the loop of the input before ends (Options left playback).
  PlaybackRig rig(8 * 256);
  rig.pump.passes = {[&] {
    rig.signal.PlaybackEnd();
    rig.signal.inputSource = kSimulated;
    rig.signal.Start();
    rig.signal.Stop();
  }};
  rig.Start();
  rig.signal.StartLoopFromTimer();
  EXPECT_EQ(rig.analysis.analysed.size(), 1u) << "the played buffer only";
}

// Each way a recording cannot be played is told, and playback ends before
// a buffer: one shorter than a buffer, one missing, none chosen (once
// "Cannot open " and "Invalid argument"), and one that opens but cannot be
// read (a folder reads so here), named.
TEST(Playback, AFileShorterThanOneBufferMissingUnchosenOrUnreadableStopsAtOnce) {
  // file: in the rig's folder, nullptr for none chosen, "" for the folder itself; part: of the message.
  const struct { int samples; const char *file, *starts, *part = ""; } cases[] = {
      {255, "rec.bin", "", "rec.bin is shorter than one buffer of 256 samples."},
      {0, "none.bin", "PlaybackOpen - Cannot open "},
      {0, nullptr, "PlaybackOpen - No recording is chosen: choose one in Options, Input."},
#ifndef _WIN32
      {0, "", "PlaybackRead - "},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "none");
    PlaybackRig rig(c.samples);
    rig.signal.playbackFile = !c.file ? std::filesystem::path() : *c.file ? rig.folder.path() / c.file : rig.folder.path();
    rig.Start();
    EXPECT_TRUE(rig.analysis.analysed.empty());
    EXPECT_FALSE(rig.signal.Playback().IsOpen()) << "playback ends";
    EXPECT_EQ(rig.host.Last(1), "Stopped");
    ASSERT_EQ(rig.messages.Texts().size(), 1u);
    const std::string told = rig.messages.Texts()[0];
    EXPECT_TRUE(told.starts_with(c.starts)) << told;
    EXPECT_NE(told.find(c.file && !*c.file ? NotReadText(rig.folder.path()) : c.part), std::string::npos) << told;
    if (!c.file) { EXPECT_EQ(told, c.starts); }
  }
}

// The file loops after its last whole buffer: 8-bit buffers of a 16-bit
// file are twice as many, and a part buffer or an odd last byte is never read.
TEST(Playback, TheFileLoopsAfterItsLastWholeBufferAndEachRewindRestartsTheDetectors) {
  // Buffers before the rewind.
  const struct { int samples, extraBytes; bool use16Bit; int buffers; } cases[] = {
      {3 * 256 + 100, 0, true, 3}, {2 * 256, 0, false, 4}, {256, 1, true, 1}};
  for (const auto& c : cases) {
    PlaybackRig rig(c.samples, c.extraBytes);
    rig.signal.use16Bit = c.use16Bit;
    rig.Run(c.buffers + 1);
    ASSERT_EQ(rig.analysis.analysed.size(), c.buffers + 1u) << c.samples;
    EXPECT_EQ(std::ranges::count(rig.analysis.analysed, rig.analysis.analysed[0]), 2) << c.samples;
    // The rewind breaks the detectors' continuity; no buffer inside the file does.
    EXPECT_EQ(rig.analysis.restartsBeforeBuffer[c.buffers - 1], 1) << c.samples;
    EXPECT_GT(rig.analysis.restartsBeforeBuffer[c.buffers], 1) << c.samples;
    EXPECT_TRUE(rig.host.Saw(1, "Playback " + std::to_string(c.buffers))) << c.samples;
    EXPECT_EQ(rig.signal.SampleCount(), 256) << "the count is the samples the file gave";
  }
}

// Heard with 8-bit samples chosen, a recording once played in silence
// without a word: the output takes 16-bit samples, so each is widened.
TEST(Playback, EightBitSamplesAreHeardWidened) {
  PlaybackRig rig(2 * 256);
  rig.signal.use16Bit = false;
  rig.signal.playbackOutput = true;
  rig.Run(2);
  ASSERT_EQ(rig.output.played.size(), 2u) << "both buffers queued";
  EXPECT_EQ(rig.output.played[1], rig.analysis.analysed[1]) << "as the analysis saw them";
  EXPECT_FALSE(rig.output.IsOpen());
}

// AutoConnect's reset after a change of frequency meanwhile queues no
// start of the loop: it would play the file again at once.
TEST(Playback, StopOnDetectionStopsAtTheFirstBusyBufferAndAResetDoesNotUndoIt) {
  PlaybackRig rig(5 * 256);
  rig.signal.playbackStopDetected = true;
  rig.analysis.verdicts = {Verdict{}, Verdict{.noise = true}, Verdict{}};
  rig.pump.passes = {[&] { rig.signal.ProcessReset(); }};
  rig.Start();
  EXPECT_EQ(rig.analysis.analysed.size(), 2u);
  EXPECT_TRUE(rig.signal.Playback().IsOpen()) << "stopped, not ended: the buffer stays on the displays";
  EXPECT_EQ(rig.host.timerStarts, 1) << "the toolbar's Start only";
}

// A sound output that will not open stops the playback and the simulation
// before a buffer is played; the program ending while a loop is on the
// stack leaves it after the buffer in hand, closing what it opened.
TEST(Playback, AFailedOutputOpenOrAQuitLeavesThePlaybackAndTheSimulationLoops) {
  for (bool quit : {false, true})
    for (int source : {kPlayback, kSimulated}) {
      PlaybackRig rig(8 * 256);
      rig.signal.inputSource = source;
      rig.signal.playbackOutput = rig.signal.simulate.output = true;
      if (quit) {
        for (int i = 0; i < 8; ++i) rig.output.script.push_back([](testing::FakeWaveDevice& d) { return d.Fill(0); });
        rig.pump.passes = {nullptr, [&] { rig.pump.quit = true; }};
      } else {
        rig.output.openCode = 4;
      }
      rig.Start();
      if (quit) {
        EXPECT_EQ(rig.analysis.analysed.size(), source == kPlayback ? 2u : 3u) << source;
      } else {
        EXPECT_EQ(rig.messages.Texts(), std::vector<std::string>{"WaveOutputOpen - Cannot Open Sound Card\r"
                                                                 "Specified resource is already allocated."});
        EXPECT_FALSE(rig.host.pressed["Start"]) << source;
        EXPECT_EQ(rig.host.Last(1), "Stopped") << source;
        EXPECT_TRUE(source != kPlayback || rig.analysis.analysed.empty()) << "no buffer played";
      }
      EXPECT_FALSE(rig.signal.LoopActive()) << source << quit;
      EXPECT_FALSE(rig.output.IsOpen()) << source << quit;
    }
}

// Without output a start makes one buffer and ends; stopped, the scroll
// bars act on the shown buffer at once.
TEST(Simulator, OneBufferWithoutOutputChangedSettingsSeenAtOnceAndLevelsHeld) {
  testing::SignalRig rig;
  rig.signal.inputSource = kSimulated;
  rig.Start();
  ASSERT_EQ(rig.analysis.analysed.size(), 1u);
  EXPECT_EQ(rig.analysis.analysed[0][0], 16000);
  EXPECT_FALSE(rig.signal.Running());
  rig.signal.SimulateChanged();
  EXPECT_EQ(rig.analysis.analysed.size(), 2u) << "stopped: the shown buffer is made again";
  // Levels above 100 % are held to the sample range.
  std::vector<std::int16_t> expected(2048);
  SimulateSettings loud;
  loud.amLevel = 400;  // the envelope swings down to 16000 - 2 * 32000
  SimulateSamples(loud, expected);
  EXPECT_EQ(expected[128], -32768) << "held, not wrapped to a positive value";
}

const LocalTime kTime{2026, 3, 7, 9, 5, 4};

// Names are the date and time; a second recording in the same second gets
// a name of its own. That a recording plays back sample for sample is
// shown under Wine through the real sound path (SoundPathTest).
TEST(Recorder, TwoRecordingsInOneSecondKeepBoth) {
  testing::TempFolder folder;
  auto data = folder.path() / "Data";
  std::error_code error;
  Recorder first, second;
  ASSERT_TRUE(first.Open(data, kTime, error));
  ASSERT_TRUE(first.Write(std::vector<std::int16_t>(1000, 7), error));
  first.Close();
  ASSERT_TRUE(second.Open(data, kTime, error)) << "the folder exists already";
  EXPECT_EQ(first.File().filename(), "2026-03-07 090504.bin");
  EXPECT_EQ(second.File().filename(), "2026-03-07 090504 2.bin");
}

// A recording holds samples of one width: when the capture width changes
// while recording, it goes on in a file of its own. Both are made in a
// folder named with an accented letter, as the system names the program's
// folder to it (in its code page). A recording stopped before any buffer
// came (the input never started) once left an empty file that passed for a
// recording, without a word.
TEST(Recorder, ANewFileWhenTheWidthChangesNoneForARecordingThatGotNoBufferAlsoInAnAccentedFolder) {
  testing::TempFolder folder;
  testing::SignalRig rig;
  rig.signal.dataFolder = folder.path().string() + "/Jos\xe9";
  rig.signal.RecordOpen();
  rig.signal.RecordClose();
  rig.signal.RecordOpen();
  for (bool wide : {true, false}) {
    rig.signal.use16Bit = wide;
    rig.StartFilled(1);
  }
  rig.signal.RecordClose();
  std::set<std::uintmax_t> sizes;
  for (const auto& file : std::filesystem::directory_iterator(rig.signal.dataFolder)) sizes.insert(file.file_size());
  EXPECT_EQ(sizes, (std::set<std::uintmax_t>{2048, 4096})) << "one buffer of each width, no empty file";
  EXPECT_EQ(rig.messages.Texts(), std::vector<std::string>{kRecordNothingText});
}

#ifndef _WIN32
// A write that fails (a full disk) stops the recording and tells the user;
// the file keeps the whole buffers written before, and a recording that
// never got one whole buffer on the disk leaves no file.
TEST(Recorder, AFailedWriteStopsRecordingWithAMessageAndKeepsWholeBuffersOnly) {
  // limit: bytes a file may grow to; buffers of 4096 bytes.
  const struct { std::uintmax_t limit; std::optional<std::uintmax_t> kept; } cases[] = {{10000, 8192}, {3000, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.limit);
    testing::SignalRig rig;
    testing::TempFolder folder;
    rig.signal.dataFolder = folder.path();
    rig.signal.RecordOpen();
    ASSERT_TRUE(rig.signal.Recording());
    const auto recording = std::filesystem::directory_iterator(folder.path())->path();

    auto old = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = c.limit;
    setrlimit(RLIMIT_FSIZE, &small);
    rig.StartFilled(4);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old);

    EXPECT_FALSE(rig.signal.Recording());
    EXPECT_EQ(rig.host.captionChanges, 2) << "the caption shows the recording, then loses it";
    ASSERT_EQ(rig.messages.Texts().size(), 1u);
    EXPECT_TRUE(rig.messages.Texts()[0].starts_with("RecordWrite - ")) << rig.messages.Texts()[0];
    EXPECT_NE(rig.messages.Texts()[0].find(NotWrittenText(recording) + ": the recording is stopped."),
              std::string::npos);
    EXPECT_EQ(rig.analysis.analysed.size(), 4u) << "the loop goes on";
    std::error_code error;
    const auto size = std::filesystem::file_size(recording, error);
    EXPECT_EQ(error ? std::nullopt : std::optional(size), c.kept);
  }
}
#endif

}  // namespace
}  // namespace velmora
