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
  ASSERT_EQ(inputs.size(), 4u);
  for (const INPUT& input : inputs) {
    EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_KEYBOARD));
    EXPECT_EQ(input.ki.wScan, 0);
    EXPECT_EQ(input.ki.time, 0u);
  }
  EXPECT_EQ(inputs[0].ki.wVk, VK_CONTROL);
  EXPECT_EQ(inputs[0].ki.dwFlags, 0u);
  EXPECT_EQ(inputs[1].ki.wVk, VK_END);
  EXPECT_EQ(inputs[1].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_EXTENDEDKEY));
  EXPECT_EQ(inputs[2].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_KEYUP));  // the extended flag only on the press
  EXPECT_EQ(inputs[3].ki.wVk, VK_CONTROL);
  EXPECT_EQ(inputs[3].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_KEYUP));
}

TEST(KeyInputsTest, LayoutAnswersForShiftedAndUnmappedCharacters) {
  Win32KeyLayout layout;
  EXPECT_EQ(layout.KeyScan('+') >> 8 & 1, 1);
  EXPECT_EQ(layout.KeyScan('a') & 0xFF, 'A');
  EXPECT_EQ(KeyScriptParse("\xB0", layout).size(), 0u);  // the degree sign has no key here
}

TEST(WindowActivateTest, OwnWindowBroughtToTheFront) {
  HWND window = CreateWindowExA(0, "STATIC", "AutoConnect Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  RecordingMessenger messenger;
  EXPECT_TRUE(WindowActivate("AutoConnect Test", messenger));
  EXPECT_EQ(GetForegroundWindow(), window);
  EXPECT_TRUE(messenger.entries.empty());
  DestroyWindow(window);
}

TEST(WindowActivateTest, MissingWindowIsReported) {
  RecordingMessenger messenger;
  EXPECT_FALSE(WindowActivate("AutoConnect", messenger));
  ASSERT_EQ(messenger.entries.size(), 1u);
  EXPECT_EQ(messenger.entries[0].text, "Could not find AutoConnect Window");
  EXPECT_EQ(messenger.entries[0].icon, MessageIcon::Exclamation);
}

}  // namespace
}  // namespace velmora
