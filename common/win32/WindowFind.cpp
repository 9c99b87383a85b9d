#include "common/win32/WindowFind.h"

#include <algorithm>
#include <string>

#include "common/win32/CodePagePath.h"
#include "common/win32/ScreenWorkArea.h"

namespace velmora {

HWND WindowFindByTitle(std::string_view className, std::string_view titlePart) {
  std::string cls(className);
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, cls.c_str(), nullptr)) != nullptr) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (std::string_view(title).find(titlePart) != std::string_view::npos) return window;
  }
  return nullptr;
}

bool ProcessWait(HANDLE process, double seconds) {
  DWORD wait = WaitForSingleObject(process, static_cast<DWORD>(seconds * 1000));
  if (wait != WAIT_OBJECT_0) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 1000);
    return false;
  }
  DWORD code = 1;
  return GetExitCodeProcess(process, &code) && code == 0;
}

std::string ProgramFolder() {
  wchar_t path[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  std::string folder = CodePagePath(path);
  auto slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

}  // namespace velmora

namespace velmora {

void PlaceBeside(HWND window, HWND owner) {
  RECT o{}, w{};
  GetWindowRect(owner, &o);
  GetWindowRect(window, &w);
  const RECT work = ScreenWorkArea(o);  // the owner's screen
  int width = w.right - w.left, height = w.bottom - w.top;
  int x = o.right + 4, y = o.top;
  if (x + width > work.right) x = o.left + 40, y = o.top + 60;
  x = std::max<int>(work.left, std::min<int>(x, work.right - width));
  y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmora
