#include "common/win32/FolderBrowser.h"

#include <shlobj.h>

namespace velmora {
namespace {

struct BrowseStart {
  const std::string& title;
  const std::string& initial;
};

int CALLBACK OnBrowse(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message != BFFM_INITIALIZED) return 0;
  const auto* start = reinterpret_cast<const BrowseStart*>(data);
  SetWindowTextA(browser, start->title.c_str());
  if (!start->initial.empty())
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start->initial.c_str()));
  return 0;
}

}  // namespace

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title, const std::string& initial) {
  BrowseStart start{title, initial};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = &OnBrowse;
  info.lParam = reinterpret_cast<LPARAM>(&start);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
  if (!chosen) return std::nullopt;
  char path[MAX_PATH] = {};
  bool found = SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  if (!found) return std::nullopt;
  return std::string(path);
}

}  // namespace velmora
