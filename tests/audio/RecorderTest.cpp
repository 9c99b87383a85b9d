#include "audio/Recorder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "common/AtomicFile.h"
#include "tests/audio/SignalFakes.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

const LocalTime kTime{2026, 3, 7, 9, 5, 4};

TEST(Recorder, NamesAreDateAndTimeAndNeverReplaceAnother) {
  testing::TempFolder folder;
  EXPECT_EQ(RecordingName(folder.path(), kTime).filename(), "2026-03-07 090504.bin");
  std::ofstream(folder.path() / "2026-03-07 090504.bin") << "first";
  EXPECT_EQ(RecordingName(folder.path(), kTime).filename(), "2026-03-07 090504 2.bin");
  std::ofstream(folder.path() / "2026-03-07 090504 2.bin") << "second";
  EXPECT_EQ(RecordingName(folder.path(), kTime).filename(), "2026-03-07 090504 3.bin");
}

TEST(Recorder, TwoRecordingsInOneSecondKeepBoth) {
  testing::TempFolder folder;
  auto data = folder.path() / "Data";
  std::error_code error;
  Recorder first, second;
  ASSERT_TRUE(first.Open(data, kTime, error));
  std::vector<std::int16_t> long_(1000, 7), short_(10, -1);
  ASSERT_TRUE(first.Write(long_, error));
  first.Close();
  ASSERT_TRUE(second.Open(data, kTime, error)) << "the folder exists already";
  ASSERT_TRUE(second.Write(short_, error));
  second.Close();
  EXPECT_EQ(std::filesystem::file_size(first.File()), 2000u);
  EXPECT_EQ(std::filesystem::file_size(second.File()), 20u);
  EXPECT_NE(first.File(), second.File());
}

TEST(Recorder, EightBitBuffersAreWrittenAsBytes) {
  testing::TempFolder folder;
  std::error_code error;
  Recorder r;
  ASSERT_TRUE(r.Open(folder.path(), kTime, error));
  std::vector<std::uint8_t> bytes{128, 0, 255};
  ASSERT_TRUE(r.Write(bytes, error));
  r.Close();
  EXPECT_EQ(*ReadWholeFile(r.File(), error), std::string("\x80\x00\xff", 3));
}

#ifndef _WIN32
// A write that fails stops the recording and tells the user.
TEST(Recorder, AFailedWriteStopsRecordingWithAMessage) {
  testing::SignalRig rig;
  testing::TempFolder folder;
  rig.signal.dataFolder = folder.path();
  rig.signal.RecordOpen();
  ASSERT_TRUE(rig.signal.Recording());
  EXPECT_EQ(rig.host.captionChanges, 1);

  // Files may grow to 10000 bytes only: the third 4096-byte buffer fails.
  auto old = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 10000;
  setrlimit(RLIMIT_FSIZE, &small);
  rig.input.script = {testing::FakeWaveDevice::Filled(), testing::FakeWaveDevice::Filled(),
                      testing::FakeWaveDevice::Filled(), testing::FakeWaveDevice::Filled()};
  rig.Start();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old);

  EXPECT_FALSE(rig.signal.Recording());
  EXPECT_EQ(rig.host.captionChanges, 2) << "the caption loses its suffix";
  ASSERT_EQ(rig.messages.Texts().size(), 1u);
  EXPECT_TRUE(rig.messages.Texts()[0].starts_with("RecordWrite - ")) << rig.messages.Texts()[0];
  EXPECT_EQ(rig.analysis.analysed.size(), 4u) << "the loop goes on";
}
#endif

TEST(Recorder, RecordedBuffersPlayBackSampleExact) {
  testing::SignalRig rig;
  testing::TempFolder folder;
  rig.signal.dataFolder = folder.path();
  rig.input.sample = [](int n) { return static_cast<std::int16_t>((n * 37) % 60000 - 30000); };
  rig.input.script = {testing::FakeWaveDevice::Filled(), testing::FakeWaveDevice::Filled()};
  rig.signal.RecordOpen();
  rig.Start();
  rig.signal.RecordClose();
  auto recorded = rig.analysis.analysed;
  ASSERT_EQ(recorded.size(), 2u);

  testing::SignalRig player;
  player.signal.inputSource = kPlayback;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) player.signal.playbackFile = entry.path();
  player.pump.passes = {nullptr, [&] { player.signal.PlaybackStop(); }};
  player.Start();
  ASSERT_EQ(player.analysis.analysed.size(), 2u);
  EXPECT_EQ(player.analysis.analysed, recorded);
}

}  // namespace
}  // namespace velmora
