#pragma once
// Checks the window tests make again and again, each as one assertion that
// tells what it saw (TestWin32.h stays free of GoogleTest for the benchmarks).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/common/win32/TestWin32.h"

namespace velmora::testing {

// One box was told, and it holds `part`.
inline ::testing::AssertionResult ToldOnce(const std::vector<std::string>& told, std::string_view part) {
  if (told.size() == 1 && told[0].find(part) != std::string::npos) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << told.size() << " boxes told, not one holding \"" << part << "\"";
  for (const auto& text : told) failure << "\n" << text;
  return failure;
}

// `act` raises one box holding `part`, under which `window` takes no click
// (a second click stacked a second box, whose answer gave the clicks back
// under the first), and the window takes them again once it is answered.
inline ::testing::AssertionResult NoClicksUnderItsBox(HWND window, const std::function<void()>& act,
                                                      std::string_view part = {}) {
  bool clickable = false;
  std::vector<std::string> told;
  {
    MessageBoxAnswerer answerer(IDOK, [&] { clickable = clickable || IsWindowEnabled(window); });
    act();
    told = answerer.Texts();
  }
  if (auto once = ToldOnce(told, part); !once) return once;
  if (clickable) return ::testing::AssertionFailure() << "it took clicks under its box";
  if (!IsWindowEnabled(window)) return ::testing::AssertionFailure() << "no clicks once its box was answered";
  return ::testing::AssertionSuccess();
}

// Another window used meanwhile, the focus comes back to `control` as its
// window is active again, not to the window's face.
inline ::testing::AssertionResult FocusComesBack(HWND control) {
  SetFocus(control);
  HWND other = CreateWindowA("STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  const bool left = GetFocus() != control;
  SetActiveWindow(GetAncestor(control, GA_ROOT));
  HWND back = GetFocus();
  DestroyWindow(other);
  if (!left) return ::testing::AssertionFailure() << "the focus stayed while another window was active";
  if (back == control) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the focus came back to " << ClassOf(back) << " \"" << WindowText(back)
                                       << "\"";
}

// The top line a shown text window's box shows ("" when it is not shown).
inline std::string TopLine(HWND window) {
  if (!window || !IsWindowVisible(window)) return {};
  HWND box = GetWindow(window, GW_CHILD);
  char line[512] = {};
  *reinterpret_cast<WORD*>(line) = sizeof line - 1;
  const LRESULT length =
      SendMessageA(box, EM_GETLINE, SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0), reinterpret_cast<LPARAM>(line));
  return std::string(line, static_cast<size_t>(length));
}

}  // namespace velmora::testing
