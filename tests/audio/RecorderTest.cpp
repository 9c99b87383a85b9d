#include "audio/Recorder.h"

#include <gtest/gtest.h>

#include <csignal>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "tests/audio/SignalFakes.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

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
