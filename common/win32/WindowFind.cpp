#include "common/win32/WindowFind.h"

#include <algorithm>
#include <string>

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

namespace {

// The path in the code page; `lossy` when a letter had none there (it became "?").
std::string ProgramFolderText(const wchar_t* text, bool& lossy) {
  const bool utf8 = GetACP() == CP_UTF8;  // which has every letter, and takes no flags
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL defaulted = FALSE;
  BOOL* asked = utf8 ? nullptr : &defaulted;
  int size = WideCharToMultiByte(CP_ACP, flags, text, -1, nullptr, 0, nullptr, asked);
  std::string narrow(static_cast<size_t>(std::max(size, 1)), '\0');
  WideCharToMultiByte(CP_ACP, flags, text, -1, narrow.data(), size, nullptr, asked);
  narrow.resize(narrow.find('\0'));
  lossy = defaulted != FALSE;
  return narrow;
}

}  // namespace

std::string ProgramFolder() {
  wchar_t path[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  bool lossy = false;
  std::string folder = ProgramFolderText(path, lossy);
  // A folder named with a letter the code page lacks (a Polish user's name
  // where the code page is 1252) has a short name in plain letters.
  wchar_t shortPath[MAX_PATH * 2] = {};
  DWORD n = lossy ? GetShortPathNameW(path, shortPath, MAX_PATH * 2) : 0;
  if (n > 0 && n < MAX_PATH * 2) folder = ProgramFolderText(shortPath, lossy);
  auto slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

}  // namespace velmora

namespace velmora {

void PlaceBeside(HWND window, HWND owner) {
  RECT o{}, w{}, work{};
  GetWindowRect(owner, &o);
  GetWindowRect(window, &w);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  int width = w.right - w.left, height = w.bottom - w.top;
  int x = o.right + 4, y = o.top;
  if (x + width > work.right) x = o.left + 40, y = o.top + 60;
  x = std::max<int>(work.left, std::min<int>(x, work.right - width));
  y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmora
