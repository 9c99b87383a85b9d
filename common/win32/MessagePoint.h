#pragma once
// The pointer position a mouse or context-menu message carries in its
// lParam, signed: left of or above the first screen it is negative. Our own,
// as <windowsx.h>'s macros for it come with others (SelectPen and the like)
// that would rename our functions of the same names.
#include <windows.h>

namespace velmora {

inline POINT MessagePoint(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace velmora
