// A recording on a disk that fills up, through the system's own C library:
// the write that finds no room says so, and the file keeps whole buffers.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "audio/Recorder.h"

namespace velmora {
namespace {

TEST(Recorder, AFullDiskIsToldAsSuch) {
  // V: is a file system of 64 KB when the wrapper could make one.
  const std::filesystem::path drive = "V:\\";
  std::error_code error;
  if (!std::filesystem::exists(drive, error)) GTEST_SKIP() << "no small drive V: (full-disk.sh mounts one as root)";
  Recorder recorder;
  ASSERT_TRUE(recorder.Open(drive / "Data", LocalNow(), error)) << error.message();
  const std::vector<std::int16_t> buffer(2047, 7);  // 4094 bytes: the disk ends inside one
  int written = 0;
  while (written < 100 && recorder.Write(buffer, error)) ++written;
  recorder.Close();
  EXPECT_LT(written, 100);
  EXPECT_EQ(error, std::errc::no_space_on_device) << error.message();
  EXPECT_EQ(std::filesystem::file_size(recorder.File()), written * 4094u);
  std::filesystem::remove_all(drive / "Data", error);
}

}  // namespace
}  // namespace velmora
