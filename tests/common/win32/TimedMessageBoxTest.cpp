// A message box nobody answers closes itself with the button Enter would
// press, also when a second box was opened over it meanwhile. A box over a
// minimised window comes up with that window, not hidden with it.
#include <gtest/gtest.h>

#include "common/win32/Win32Messenger.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

TEST(TimedMessageBox, ClosesItselfWithItsDefaultAnswer) {
  struct { UINT flags; int answer; } cases[] = {
      {MB_YESNO | MB_ICONQUESTION, IDYES}, {MB_YESNO | MB_DEFBUTTON2, IDNO},
      {MB_YESNO | MB_DEFBUTTON3, IDYES},  // no third button: the first
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShowMessageBox(nullptr, "Nobody answers this.", "Velmora", c.flags, 150ms), c.answer) << c.flags;
}

TEST(TimedMessageBox, AnOuterBoxWaitsForTheInnerOneAndStillCloses) {
  // The inner box is opened from a timer that runs in the outer box's loop.
  static int inner = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    inner = ShowMessageBox(nullptr, "Inner", "Velmora", MB_YESNO | MB_DEFBUTTON2, 400ms);
  });
  EXPECT_EQ(ShowMessageBox(nullptr, "Outer", "Velmora", MB_YESNO, 150ms), IDYES);
  KillTimer(nullptr, timer);
  EXPECT_EQ(inner, IDNO);
}

TEST(TimedMessageBox, AMinimisedOwnerIsRestoredBeforeItsBox) {
  HWND owner = CreateWindowExA(0, "STATIC", "Velmora", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_TRUE(owner);
  const std::optional<std::chrono::milliseconds> waits[] = {std::nullopt, 5000ms};
  for (const auto& wait : waits) {
    ShowWindow(owner, SW_MINIMIZE);
    bool iconic = true;
    testing::MessageBoxAnswerer answerer(IDOK, [&] { iconic = IsIconic(owner) != FALSE; });
    Win32Messenger(owner, wait).Show("Over a minimised window.");
    EXPECT_EQ(answerer.Texts().size(), 1u);
    EXPECT_FALSE(iconic) << "the box stood over a minimised window" << (wait ? " (closing itself)" : "");
  }
  DestroyWindow(owner);
}

// Owned by a hidden window of its own, a box that closes itself must still
// hold the program's windows, as a box owned by one of them holds it: a
// click there would start work under the box.
TEST(TimedMessageBox, TheProgramsWindowsWaitUnderIt) {
  HWND window = CreateWindowExA(0, "STATIC", "Velmora", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  const HWND owners[] = {nullptr, window};
  for (HWND owner : owners) {
    bool enabled = true;
    testing::MessageBoxAnswerer answerer(IDOK, [&] { enabled = IsWindowEnabled(window) != FALSE; });
    Win32Messenger(owner, 5000ms).Show("Nobody is at the laptop.");
    EXPECT_EQ(answerer.Texts().size(), 1u);
    EXPECT_FALSE(enabled) << (owner ? "over its owner" : "without an owner");
    EXPECT_TRUE(IsWindowEnabled(window)) << "given back after the box";
  }
  DestroyWindow(window);
}

}  // namespace
}  // namespace velmora
