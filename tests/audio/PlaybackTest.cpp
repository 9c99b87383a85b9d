// The sources other than the sound card through the per-buffer work:
// recordings played back, and the test signal; and recordings made.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "audio/Recorder.h"
#include "audio/Simulator.h"
#include "tests/audio/SignalFakes.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using testing::SignalRig;

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

TEST(Playback, AFileShorterThanOneBufferOrMissingStopsAtOnce) {
  PlaybackRig rig(255);
  rig.Start();
  EXPECT_TRUE(rig.analysis.analysed.empty());
  EXPECT_FALSE(rig.signal.Playback().IsOpen()) << "playback ends";
  EXPECT_EQ(rig.host.Last(1), "Stopped");
  EXPECT_EQ(rig.messages.Texts().size(), 1u);
  EXPECT_NE(rig.messages.Texts().at(0).find("rec.bin is shorter than one buffer of 256 samples."), std::string::npos);
  PlaybackRig missing(0);
  missing.signal.playbackFile = missing.folder.path() / "none.bin";
  missing.Start();
  EXPECT_EQ(missing.messages.Texts().size(), 1u);
  EXPECT_TRUE(missing.messages.Texts().at(0).starts_with("PlaybackOpen - Cannot open "));
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

TEST(Playback, StopOnDetectionStopsAtTheFirstBusyBuffer) {
  PlaybackRig rig(5 * 256);
  rig.signal.playbackStopDetected = true;
  rig.analysis.verdicts = {Verdict{}, Verdict{.noise = true}, Verdict{}};
  rig.Start();
  EXPECT_EQ(rig.analysis.analysed.size(), 2u);
  EXPECT_TRUE(rig.signal.Playback().IsOpen()) << "stopped, not ended: the buffer stays on the displays";
}

TEST(Playback, WithOutputEachBufferIsWritten) {
  PlaybackRig rig(4 * 256);
  rig.signal.playbackOutput = true;
  rig.output.onScriptEnd = [] {};
  // The driver plays whatever was written.
  for (int i = 0; i < 8; ++i) rig.output.script.push_back([](testing::FakeWaveDevice& d) { return d.Fill(); });
  rig.Run(3);
  EXPECT_EQ(rig.analysis.analysed.size(), 3u);
  EXPECT_EQ(std::ranges::count_if(rig.output.log, [](const std::string& e) { return e.starts_with("queue"); }), 3);
  EXPECT_FALSE(rig.output.IsOpen());
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

TEST(Simulator, LevelsAbove100PercentAreHeldToTheSampleRange) {
  SimulateSettings s;
  s.amLevel = 400;  // the envelope swings down to 16000 - 2 * 32000
  std::vector<std::int16_t> out(4096);
  SimulateSamples(s, out);
  EXPECT_EQ(out[128], -32768) << "held, not wrapped to a positive value";
}

// Without output a start makes one buffer and ends. The scroll bars act at
// once: stopped on the shown buffer, playing from the next buffer.
TEST(Simulator, OneBufferWithoutOutputAndChangedSettingsHeardAndSeenAtOnce) {
  testing::SignalRig rig;
  rig.signal.inputSource = kSimulated;
  rig.Start();
  ASSERT_EQ(rig.analysis.analysed.size(), 1u);
  EXPECT_EQ(rig.analysis.analysed[0][0], 16000);
  EXPECT_FALSE(rig.signal.Running());
  rig.signal.SimulateChanged();
  EXPECT_EQ(rig.analysis.analysed.size(), 2u) << "stopped: the shown buffer is made again";
  rig.signal.simulate.output = true;
  for (int i = 0; i < 6; ++i) rig.output.script.push_back([](testing::FakeWaveDevice& d) { return d.Fill(0); });
  SimulateSettings changed = rig.signal.simulate;
  changed.frequency = 500;
  rig.pump.passes = {[&] {
    rig.signal.simulate = changed;
    rig.signal.SimulateChanged();
  }, nullptr, nullptr, [&] { rig.signal.ProcessStop(); }};
  rig.Start();
  std::vector<std::int16_t> expected(2048);
  SimulateSamples(changed, expected);
  ASSERT_GE(rig.analysis.analysed.size(), 5u);
  EXPECT_NE(rig.analysis.analysed[3], expected);
  EXPECT_EQ(rig.analysis.analysed.back(), expected);
  EXPECT_FALSE(rig.signal.Running());
  EXPECT_FALSE(rig.output.IsOpen()) << "played until stopped, then closed";
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
  ASSERT_TRUE(second.Write(std::vector<std::uint8_t>{128, 0, 255}, error));  // 8-bit buffers are written as bytes
  second.Close();
  EXPECT_EQ(first.File().filename(), "2026-03-07 090504.bin");
  EXPECT_EQ(second.File().filename(), "2026-03-07 090504 2.bin");
  EXPECT_EQ(testing::ReadBytes(second.File()), std::string("\x80\x00\xff", 3));
  testing::WriteBytes(data / "2026-03-07 090504 3.bin", "third");
  EXPECT_EQ(RecordingName(data, kTime).filename(), "2026-03-07 090504 4.bin");
}

#ifndef _WIN32
// A write that fails stops the recording and tells the user.
TEST(Recorder, AFailedWriteStopsRecordingWithAMessage) {
  testing::SignalRig rig;
  testing::TempFolder folder;
  rig.signal.dataFolder = folder.path();
  rig.signal.RecordOpen();
  ASSERT_TRUE(rig.signal.Recording());

  // Files may grow to 10000 bytes only: the third 4096-byte buffer fails.
  auto old = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 10000;
  setrlimit(RLIMIT_FSIZE, &small);
  rig.input.script = testing::FakeWaveDevice::Filled(4);
  rig.Start();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old);

  EXPECT_FALSE(rig.signal.Recording());
  EXPECT_EQ(rig.host.captionChanges, 2) << "the caption shows the recording, then loses it";
  ASSERT_EQ(rig.messages.Texts().size(), 1u);
  EXPECT_TRUE(rig.messages.Texts()[0].starts_with("RecordWrite - ")) << rig.messages.Texts()[0];
  EXPECT_EQ(rig.analysis.analysed.size(), 4u) << "the loop goes on";
}
#endif

}  // namespace
}  // namespace velmora
