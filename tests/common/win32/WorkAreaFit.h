#pragma once
// Whether a window came back within the screen's work area as tall as it
// and resting on its bottom, as one saved on a larger screen must: its
// status bar and edges in reach.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace velmora::testing {

inline ::testing::AssertionResult FillsWorkAreaHeight(HWND window) {
  RECT r{}, work{};
  GetWindowRect(window, &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  if (r.bottom - r.top == work.bottom - work.top && r.bottom == work.bottom) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the window spans " << r.top << " to " << r.bottom << ", the work area "
                                       << work.top << " to " << work.bottom;
}

}  // namespace velmora::testing
