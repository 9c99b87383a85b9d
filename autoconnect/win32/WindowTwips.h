#pragma once
// A top-level window's place in twips (1440 to the inch), as the
// AutoConnect window's keys keep it.
#include <windows.h>

#include "autoconnect/WindowKeys.h"

namespace velmora {

WindowKeys WindowPlacementOf(HWND window);
// Applies each key that holds a value. A size too small to find the window
// by grows to the smallest usable one, a window that would lie wholly off
// the screens is brought back onto them, and its bottom edge is kept within
// its screen's work area.
void WindowPlacementApply(HWND window, const WindowKeys& keys);

}  // namespace velmora
