#pragma once
#include <windows.h>

namespace velmora {

// The control with this id anywhere below the window, or nullptr. Header
// only, so the small outside tools can use it without the library.
inline HWND ControlFindById(HWND window, int id) {
  struct Search {
    int id;
    HWND found = nullptr;
  } search{id};
  EnumChildWindows(
      window,
      [](HWND w, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (GetDlgCtrlID(w) != s.id) return TRUE;
        s.found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace velmora
