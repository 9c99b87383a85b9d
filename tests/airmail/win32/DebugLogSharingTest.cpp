// The debug log is read while AirMail holds it open for writing, and AirMail
// can go on writing, move it aside or remove it while it is being read.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "airmail/DebugLogMonitor.h"
#include "airmail/SharedReadFile.h"
#include "tests/airmail/FakeSeams.h"
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
  // A writer that lets others only read, as a program keeping its log open does.
  HANDLE Writer(DWORD share = FILE_SHARE_READ) {
    return CreateFileW(Log().c_str(), FILE_APPEND_DATA, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  static void Write(HANDLE writer, std::string_view text) {
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(writer, text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
  }

  testing::TempFolder folder;
  RecordingMessenger messenger;
  testing::CountingActivator activator;
};

TEST_F(DebugLogSharingTest, ReadWhileTheWriterHoldsTheLog) {
  HANDLE writer = Writer();
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  DebugLogMonitor monitor(messenger, activator);
  ASSERT_TRUE(monitor.TerminalConnectCheckFileInitialize(folder.path().string()));
  Write(writer, "10:10 Connected to W1AW\r\n");
  EXPECT_EQ(monitor.TerminalConnectCheckFile(folder.path().string()), TerminalStatus::Connected);
  Write(writer, "10:20 Disconnected from W1AW\r\n");
  EXPECT_EQ(monitor.TerminalConnectCheckFile(folder.path().string()), TerminalStatus::Disconnected);
  CloseHandle(writer);
  EXPECT_TRUE(messenger.entries.empty());
}

TEST_F(DebugLogSharingTest, WriterOpensWhileTheLogIsBeingRead) {
  SharedReadFile reader;
  std::error_code error;
  ASSERT_TRUE(reader.Open(Log(), error));
  HANDLE writer = Writer();
  ASSERT_NE(writer, INVALID_HANDLE_VALUE) << GetLastError();
  Write(writer, "more\r\n");
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
