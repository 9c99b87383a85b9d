// Key records as the platform's input records, bringing our own window to
// the front, and AirMail's debug log shared while we read it.
#include <gtest/gtest.h>

#include "airmail/SharedReadFile.h"
#include "airmail/win32/KeysSend.h"
#include "airmail/win32/WindowActivate.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

TEST(KeyInputsTest, FlagsOfThePlatformRecords) {
  Win32KeyLayout layout;
  std::vector<INPUT> inputs = KeyInputs(KeyScriptParse("^{END}", layout));
  const std::pair<WORD, DWORD> expected[] = {{VK_CONTROL, 0},
                                             {VK_END, KEYEVENTF_EXTENDEDKEY},
                                             {VK_END, KEYEVENTF_KEYUP},  // the extended flag only on the press
                                             {VK_CONTROL, KEYEVENTF_KEYUP}};
  ASSERT_EQ(inputs.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(inputs[i].type, static_cast<DWORD>(INPUT_KEYBOARD));
    EXPECT_EQ(std::pair(inputs[i].ki.wVk, inputs[i].ki.dwFlags), expected[i]) << i;
    EXPECT_EQ(inputs[i].ki.wScan + inputs[i].ki.time, 0u) << i;
  }
  EXPECT_EQ(KeyScriptParse("\xB0", layout).size(), 0u);  // the degree sign has no key here
}

TEST(WindowActivateTest, OwnWindowBroughtToTheFrontOrReportedMissing) {
  HWND window = CreateWindowExA(0, "STATIC", "AutoConnect Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  RecordingMessenger messenger;
  EXPECT_TRUE(WindowActivate("AutoConnect Test", messenger));
  EXPECT_EQ(GetForegroundWindow(), window);
  DestroyWindow(window);
  EXPECT_FALSE(WindowActivate("AutoConnect Test", messenger));
  EXPECT_EQ(messenger.Texts(), std::vector<std::string>{"Could not find AutoConnect Test Window"});
  EXPECT_EQ(messenger.entries[0].icon, MessageIcon::Exclamation);
}

// AirMail can move its debug log aside or remove it while we read it.
// Reading while AirMail holds it open for writing is the stand-in's case
// (the unattended run's test).
TEST(DebugLogSharingTest, MovedAsideAndRemovedWhileBeingRead) {
  testing::TempFolder folder;
  const auto log = folder.path() / "Debug.log", aside = folder.path() / "Debug.old";
  std::ofstream(log, std::ios::binary) << "10:00 Connected to OLD1\r\n";
  SharedReadFile reader;
  std::error_code error;
  ASSERT_TRUE(reader.Open(log, error));
  EXPECT_TRUE(MoveFileW(log.c_str(), aside.c_str())) << GetLastError();
  std::ofstream(log, std::ios::binary) << "11:00 new log\r\n";
  SharedReadFile again;
  ASSERT_TRUE(again.Open(log, error));
  EXPECT_TRUE(DeleteFileW(log.c_str())) << GetLastError();
  EXPECT_TRUE(DeleteFileW(aside.c_str())) << GetLastError();
}

}  // namespace
}  // namespace velmora
