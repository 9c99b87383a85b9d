// AirMail can open its debug log for writing, move it aside or remove it
// while it is being read. Reading while AirMail holds it open is the
// stand-in's case (the unattended run's test).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "airmail/SharedReadFile.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

TEST(DebugLogSharingTest, WrittenMovedAsideAndRemovedWhileBeingRead) {
  testing::TempFolder folder;
  const auto log = folder.path() / "Debug.log", aside = folder.path() / "Debug.old";
  std::ofstream(log, std::ios::binary) << "10:00 Connected to OLD1\r\n";
  SharedReadFile reader;
  std::error_code error;
  ASSERT_TRUE(reader.Open(log, error));
  // A writer that lets others only read, as a program keeping its log open does.
  HANDLE writer =
      CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE) << GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(writer, "more\r\n", 6, &written, nullptr));
  CloseHandle(writer);
  EXPECT_EQ(reader.Length(error), std::filesystem::file_size(log));

  EXPECT_TRUE(MoveFileW(log.c_str(), aside.c_str())) << GetLastError();
  std::ofstream(log, std::ios::binary) << "11:00 new log\r\n";
  SharedReadFile again;
  ASSERT_TRUE(again.Open(log, error));
  EXPECT_TRUE(DeleteFileW(log.c_str())) << GetLastError();
  EXPECT_TRUE(DeleteFileW(aside.c_str())) << GetLastError();
}

}  // namespace
}  // namespace velmora
