// AirMail can open its debug log for writing, move it aside or remove it
// while it is being read. Reading while AirMail holds it open is the
// stand-in's case (TerminalEndToEndTest).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "airmail/SharedReadFile.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

class DebugLogSharingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder.path() / "Logfiles");
    std::ofstream(Log(), std::ios::binary) << "10:00 Connected to OLD1\r\n";
  }
  std::filesystem::path Log() const { return folder.path() / "Logfiles" / "Debug.log"; }
  testing::TempFolder folder;
};

TEST_F(DebugLogSharingTest, WriterOpensWhileTheLogIsBeingRead) {
  SharedReadFile reader;
  std::error_code error;
  ASSERT_TRUE(reader.Open(Log(), error));
  // A writer that lets others only read, as a program keeping its log open does.
  HANDLE writer =
      CreateFileW(Log().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE) << GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(writer, "more\r\n", 6, &written, nullptr));
  CloseHandle(writer);
  EXPECT_EQ(reader.Length(error), std::filesystem::file_size(Log()));
}

TEST_F(DebugLogSharingTest, LogMovedAsideAndRemovedWhileBeingRead) {
  SharedReadFile reader;
  std::error_code error;
  ASSERT_TRUE(reader.Open(Log(), error));
  const auto aside = folder.path() / "Logfiles" / "Debug.old";
  EXPECT_TRUE(MoveFileW(Log().c_str(), aside.c_str())) << GetLastError();
  std::ofstream(Log(), std::ios::binary) << "11:00 new log\r\n";
  SharedReadFile again;
  ASSERT_TRUE(again.Open(Log(), error));
  EXPECT_TRUE(DeleteFileW(Log().c_str())) << GetLastError();
  EXPECT_TRUE(DeleteFileW(aside.c_str())) << GetLastError();
}

}  // namespace
}  // namespace velmora
