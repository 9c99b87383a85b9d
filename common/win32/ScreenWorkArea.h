#pragma once
// The room a window may take on the screen nearest a place: that monitor's
// work area (a second screen's too), without the taskbar.
#include <windows.h>

#include <algorithm>

namespace velmora {

inline RECT ScreenWorkArea(const RECT& place) {
  MONITORINFO screen{};
  screen.cbSize = sizeof screen;
  if (GetMonitorInfoA(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &screen)) return screen.rcWork;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

// The place cut to the work area of its screen and moved within it, so
// that no edge, caption or button lies off the screen.
inline RECT FittedToWorkArea(const RECT& place) {
  const RECT work = ScreenWorkArea(place);
  const LONG width = std::min(place.right - place.left, work.right - work.left);
  const LONG height = std::min(place.bottom - place.top, work.bottom - work.top);
  const LONG left = std::clamp(place.left, work.left, work.right - width);
  const LONG top = std::clamp(place.top, work.top, work.bottom - height);
  return {left, top, left + width, top + height};
}

}  // namespace velmora
