#pragma once
// A window's or control's whole text, however long.
#include <windows.h>

#include <algorithm>
#include <string>

namespace velmora {

inline std::string WindowString(HWND window) {
  int n = std::max(GetWindowTextLengthA(window), 0);
  std::string text(static_cast<size_t>(n) + 1, '\0');
  n = std::max(GetWindowTextA(window, text.data(), n + 1), 0);
  text.resize(static_cast<size_t>(n));
  return text;
}

}  // namespace velmora
