// Playback of recordings through the per-buffer work.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/audio/SignalFakes.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using testing::SignalRig;

std::filesystem::path WriteSamples(const std::filesystem::path& file, int count, int extraBytes = 0) {
  std::ofstream out(file, std::ios::binary);
  for (int i = 0; i < count; ++i) {
    std::int16_t v = static_cast<std::int16_t>(i * 7 - 3000);
    out.write(reinterpret_cast<const char*>(&v), 2);
  }
  for (int i = 0; i < extraBytes; ++i) out.put('\x55');
  return file;
}

struct PlaybackRig : SignalRig {
  testing::TempFolder folder;
  PlaybackRig() {
    signal.inputSource = kPlayback;
    settings.display.sampleSize = 256;
  }
};

TEST(Playback, AFileShorterThanOneBufferOrMissingStopsAtOnce) {
  PlaybackRig rig;
  rig.signal.playbackFile = WriteSamples(rig.folder.path() / "short.bin", 255);
  rig.Start();
  EXPECT_TRUE(rig.analysis.analysed.empty());
  EXPECT_FALSE(rig.signal.Playback().IsOpen()) << "playback ends";
  EXPECT_EQ(rig.host.Last(1), "Stopped");
  ASSERT_EQ(rig.messages.Texts().size(), 1u);
  EXPECT_NE(rig.messages.Texts()[0].find("short.bin is shorter than one buffer of 256 samples."), std::string::npos);
  PlaybackRig missing;
  missing.signal.playbackFile = missing.folder.path() / "none.bin";
  missing.Start();
  ASSERT_EQ(missing.messages.Texts().size(), 1u);
  EXPECT_TRUE(missing.messages.Texts()[0].starts_with("PlaybackOpen - Cannot open "));
}

TEST(Playback, ALongerFileLoopsAndEachRewindRestartsTheDetectors) {
  PlaybackRig rig;
  rig.signal.playbackFile = WriteSamples(rig.folder.path() / "three.bin", 3 * 256 + 100);
  rig.Run(7);
  ASSERT_EQ(rig.analysis.analysed.size(), 7u);
  // Buffers 1-3, rewind, 4-6 (the same three), rewind, 7.
  EXPECT_EQ(rig.analysis.analysed[0][0], -3000);
  EXPECT_EQ(rig.analysis.analysed[3], rig.analysis.analysed[0]);
  EXPECT_EQ(rig.analysis.analysed[6], rig.analysis.analysed[0]);
  EXPECT_EQ(rig.analysis.restartsBeforeBuffer[2], 1) << "no break inside the file";
  EXPECT_GT(rig.analysis.restartsBeforeBuffer[3], 1) << "the rewind broke continuity";
  EXPECT_TRUE(rig.host.Saw(1, "Playback 2"));
  EXPECT_EQ(rig.signal.SampleCount(), 256) << "the count is the samples the file gave";
}

TEST(Playback, SixteenBitFilesPlayedAsEightBitGiveTwiceAsManySamples) {
  PlaybackRig rig;
  rig.signal.use16Bit = false;
  rig.signal.playbackFile = WriteSamples(rig.folder.path() / "two.bin", 2 * 256);
  rig.Run(5);
  ASSERT_EQ(rig.analysis.analysed.size(), 5u);
  EXPECT_EQ(rig.analysis.analysed[4], rig.analysis.analysed[0]) << "four 8-bit buffers before the rewind";
  EXPECT_NE(rig.analysis.analysed[3], rig.analysis.analysed[0]);
}

TEST(Playback, AnOddByteCountNeverReadsPastTheEnd) {
  PlaybackRig rig;
  rig.signal.playbackFile = WriteSamples(rig.folder.path() / "odd.bin", 256, 1);
  rig.Run(3);
  ASSERT_EQ(rig.analysis.analysed.size(), 3u);
  EXPECT_EQ(rig.analysis.analysed[1], rig.analysis.analysed[0]);
}

TEST(Playback, StopOnDetectionStopsAtTheFirstBusyBuffer) {
  PlaybackRig rig;
  rig.signal.playbackStopDetected = true;
  rig.analysis.verdicts = {Verdict{}, Verdict{.noise = true}, Verdict{}};
  rig.signal.playbackFile = WriteSamples(rig.folder.path() / "five.bin", 5 * 256);
  rig.Start();
  EXPECT_EQ(rig.analysis.analysed.size(), 2u);
  EXPECT_TRUE(rig.signal.Playback().IsOpen()) << "stopped, not ended: the buffer stays on the displays";
}

TEST(Playback, StepReadsAndProcessesOneBuffer) {
  PlaybackRig rig;
  rig.signal.playbackFile = WriteSamples(rig.folder.path() / "step.bin", 2 * 256);
  rig.signal.Step();
  rig.signal.Step();
  EXPECT_EQ(rig.analysis.analysed.size(), 2u);
  EXPECT_EQ(rig.host.Last(1), "Playback 2");
  EXPECT_EQ(rig.signal.PlaybackCaption(), "Velmora - step");
}

TEST(Playback, WithOutputEachBufferIsWritten) {
  PlaybackRig rig;
  rig.signal.playbackOutput = true;
  rig.signal.playbackFile = WriteSamples(rig.folder.path() / "out.bin", 4 * 256);
  rig.output.onScriptEnd = [] {};
  // The driver plays whatever was written.
  for (int i = 0; i < 8; ++i) rig.output.script.push_back([](testing::FakeWaveDevice& d) { return d.Fill(); });
  rig.Run(3);
  EXPECT_EQ(rig.analysis.analysed.size(), 3u);
  int writes = 0;
  for (const auto& e : rig.output.log) writes += e.starts_with("queue");
  EXPECT_EQ(writes, 3);
  EXPECT_FALSE(rig.output.IsOpen());
}

// A sound output that will not open stops the playback and the simulation
// before a buffer is played.
TEST(Playback, AFailedOutputOpenStopsThePlaybackAndTheSimulation) {
  for (int source : {kPlayback, kSimulated}) {
    PlaybackRig rig;
    rig.signal.inputSource = source;
    rig.signal.playbackOutput = rig.signal.simulate.output = true;
    rig.output.openCode = 4;
    rig.signal.playbackFile = WriteSamples(rig.folder.path() / "out.bin", 4 * 256);
    rig.Start();
    EXPECT_EQ(rig.messages.Texts(), std::vector<std::string>{"WaveOutputOpen - Cannot Open Sound Card\r"
                                                             "Specified resource is already allocated."});
    EXPECT_FALSE(rig.host.pressed["Start"]) << source;
    EXPECT_EQ(rig.host.Last(1), "Stopped") << source;
    EXPECT_TRUE(source != kPlayback || rig.analysis.analysed.empty()) << "no buffer played";
    EXPECT_FALSE(rig.signal.LoopActive()) << source;
  }
}

// The program ends while a loop is on the stack: the loop leaves after the
// buffer in hand and closes what it opened.
TEST(Playback, AQuitLeavesThePlaybackAndTheSimulationLoops) {
  for (int source : {kPlayback, kSimulated}) {
    PlaybackRig rig;
    rig.signal.inputSource = source;
    rig.signal.playbackFile = WriteSamples(rig.folder.path() / "long.bin", 8 * 256);
    rig.signal.playbackOutput = rig.signal.simulate.output = true;
    for (int i = 0; i < 8; ++i) rig.output.script.push_back([](testing::FakeWaveDevice& d) { return d.Fill(0); });
    rig.pump.passes = {nullptr, [&] { rig.pump.quit = true; }};
    rig.Start();
    EXPECT_EQ(rig.analysis.analysed.size(), source == kPlayback ? 2u : 3u) << source;
    EXPECT_FALSE(rig.signal.LoopActive()) << source;
    EXPECT_FALSE(rig.output.IsOpen()) << source;
  }
}

}  // namespace
}  // namespace velmora
