#include "app/win32/FileDialogs.h"

#include <commdlg.h>

namespace velmora {
namespace {

std::string RunDialog(HWND owner, const std::string& initialFolder, bool save) {
  char file[MAX_PATH * 2] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "Settings (*.ini)\0*.ini\0All Files (*.*)\0*.*\0";
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = initialFolder.c_str();
  ofn.lpstrDefExt = "ini";
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  if (save) {
    ofn.lpstrTitle = "Save Settings";
    ofn.Flags |= OFN_OVERWRITEPROMPT;
    return GetSaveFileNameA(&ofn) ? file : "";
  }
  ofn.lpstrTitle = "Recall Settings";
  ofn.Flags |= OFN_FILEMUSTEXIST;
  return GetOpenFileNameA(&ofn) ? file : "";
}

}  // namespace

std::string SettingsRecallGetFile(HWND owner, const std::string& initialFolder) {
  return RunDialog(owner, initialFolder, false);
}

std::string SettingsSaveGetFile(HWND owner, const std::string& initialFolder) {
  return RunDialog(owner, initialFolder, true);
}

}  // namespace velmora
