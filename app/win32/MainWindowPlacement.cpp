// The main window's place on the screen: recalled at start, saved at close,
// and shrunk beside the AutoConnect window ("Airmail Resize") for as long as
// that window is open.
#include <algorithm>

#include "app/win32/MainWindow.h"
#include "common/win32/ScreenWorkArea.h"

namespace velmora {
namespace {

WindowPlacement PlacementOf(const RECT& r) {
  return {static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right - r.left),
          static_cast<float>(r.bottom - r.top)};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

WindowPlacement MainWindow::CurrentPlacement() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return PlacementOf(r);
}

void MainWindow::ApplyPlacement(const WindowPlacement& placement) {
  WindowPlacement now = CurrentPlacement();
  // A width or height of nothing would leave a window the user cannot find.
  constexpr float kSmallest = 120;
  float left = placement.left.value_or(*now.left);
  float top = placement.top.value_or(*now.top);
  float width = std::max(placement.width.value_or(*now.width), kSmallest);
  float height = std::max(placement.height.value_or(*now.height), kSmallest);
  // A place on a screen no longer there (a monitor unplugged since the
  // last close) is brought back so that some of the caption is in reach.
  const float screenLeft = static_cast<float>(GetSystemMetrics(SM_XVIRTUALSCREEN));
  const float screenTop = static_cast<float>(GetSystemMetrics(SM_YVIRTUALSCREEN));
  const float screenRight = screenLeft + static_cast<float>(GetSystemMetrics(SM_CXVIRTUALSCREEN));
  const float screenBottom = screenTop + static_cast<float>(GetSystemMetrics(SM_CYVIRTUALSCREEN));
  left = std::clamp(left, screenLeft - width + 100, std::max(screenRight - 100, screenLeft));
  top = std::clamp(top, screenTop, std::max(screenBottom - 40, screenTop));
  // A figure edited past any screen ("Window Left=1e30") is no whole
  // number an int holds: kept within reach before it becomes one.
  auto pixels = [](float value) { return static_cast<int>(std::clamp(value, -1e6f, 1e6f)); };
  // Larger than its screen (saved on a larger monitor, or the first start
  // on a netbook's 600 pixels), its status bar and edges would be out of reach.
  const RECT wanted{pixels(left), pixels(top), pixels(left + width), pixels(top + height)};
  const RECT work = ScreenWorkArea(wanted);
  width = std::min(width, static_cast<float>(work.right - work.left));
  height = std::min(height, static_cast<float>(work.bottom - work.top));
  top = std::clamp(top, static_cast<float>(work.top), static_cast<float>(work.bottom) - height);
  SetWindowPos(hwnd_, nullptr, pixels(left), pixels(top), pixels(width), pixels(height),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainWindow::StillShrunk() const {
  if (!shrink_ || IsIconic(hwnd_) || IsZoomed(hwnd_)) return false;
  RECT now{};
  GetWindowRect(hwnd_, &now);
  return SameRect(now, shrink_->shrunk);
}

void MainWindow::WindowPlace(int left, int top, int width, int height) {
  // Shrunk again before it was given back, the place from before stays the one to return to.
  if (!StillShrunk()) {
    shrink_.emplace();
    shrink_->before.length = sizeof shrink_->before;
    GetWindowPlacement(hwnd_, &shrink_->before);
    GetWindowRect(hwnd_, &shrink_->beforeRect);
  }
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(hwnd_, &shrink_->shrunk);
}

void MainWindow::WindowPlaceRestore() {
  // Moved or sized by hand in the meantime, the user's place stands.
  if (StillShrunk()) {
    WINDOWPLACEMENT before = shrink_->before;
    // A window minimised before comes back where it was, but in view.
    before.showCmd = before.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE;
    SetWindowPlacement(hwnd_, &before);
  }
  shrink_.reset();
}

WindowPlacement MainWindow::PlacementToSave(bool& normal) const {
  if (StillShrunk()) {
    // The small place lasts only while the AutoConnect window is open.
    normal = shrink_->before.showCmd != SW_SHOWMAXIMIZED && shrink_->before.showCmd != SW_SHOWMINIMIZED;
    return PlacementOf(shrink_->beforeRect);
  }
  normal = !IsIconic(hwnd_) && !IsZoomed(hwnd_);
  return CurrentPlacement();
}

}  // namespace velmora
