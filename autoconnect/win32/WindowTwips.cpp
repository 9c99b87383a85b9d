#include "autoconnect/win32/WindowTwips.h"
#include "common/win32/ScreenWorkArea.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

constexpr int kSmallestWidth = 200, kSmallestHeight = 150;  // pixels

float TwipsPerPixel() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return 1440.0f / static_cast<float>(dpi > 0 ? dpi : 96);
}

}  // namespace

WindowKeys WindowPlacementOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  float twips = TwipsPerPixel();
  return {static_cast<float>(r.left) * twips, static_cast<float>(r.top) * twips,
          static_cast<float>(r.right - r.left) * twips, static_cast<float>(r.bottom - r.top) * twips};
}

void WindowPlacementApply(HWND window, const WindowKeys& keys) {
  RECT r{};
  GetWindowRect(window, &r);
  float twips = TwipsPerPixel();
  auto pixels = [twips](const std::optional<float>& value, LONG now) {
    return value && std::isfinite(*value) ? static_cast<LONG>(std::lround(*value / twips)) : now;
  };
  LONG left = pixels(keys.left, r.left), top = pixels(keys.top, r.top);
  LONG width = std::max<LONG>(pixels(keys.width, r.right - r.left), kSmallestWidth);
  LONG height = std::max<LONG>(pixels(keys.height, r.bottom - r.top), kSmallestHeight);
  RECT screens{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  screens.right = screens.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  screens.bottom = screens.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  // Some of the caption stays within reach.
  left = std::clamp<LONG>(left, screens.left - width + 100, std::max<LONG>(screens.right - 100, screens.left));
  top = std::clamp<LONG>(top, screens.top, std::max<LONG>(screens.bottom - 40, screens.top));
  // Saved on a larger monitor, it would hide its status bar and edges.
  const RECT wanted{left, top, left + width, top + height};
  const RECT work = ScreenWorkArea(wanted);
  width = std::min<LONG>(width, work.right - work.left);
  height = std::min<LONG>(height, work.bottom - work.top);
  top = std::clamp<LONG>(top, work.top, work.bottom - height);  // its status bar on the screen too
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmora
