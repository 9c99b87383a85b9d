#pragma once
// The room a window may take on the screen nearest a place: that monitor's
// work area (a second screen's too), without the taskbar.
#include <windows.h>

namespace velmora {

inline RECT ScreenWorkArea(const RECT& place) {
  MONITORINFO screen{};
  screen.cbSize = sizeof screen;
  if (GetMonitorInfoA(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &screen)) return screen.rcWork;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

}  // namespace velmora
