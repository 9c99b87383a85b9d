// Key records as the platform's input records, and bringing our own window
// to the front.
#include <gtest/gtest.h>

#include "airmail/win32/KeysSend.h"
#include "airmail/win32/WindowActivate.h"

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
  EXPECT_EQ(layout.KeyScan('+') >> 8 & 1, 1);
  EXPECT_EQ(layout.KeyScan('a') & 0xFF, 'A');
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

}  // namespace
}  // namespace velmora
