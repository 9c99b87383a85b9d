#include "app/win32/FileDialogs.h"

#include <commdlg.h>

namespace velmora {
namespace {

// The dialog library (and the shell libraries it brings) is loaded the
// first time a dialog is needed, not at start: several megabytes of memory
// a program that runs for days has no use for otherwise.
using DialogCall = BOOL(WINAPI*)(LPOPENFILENAMEA);
DialogCall DialogFunction(bool save) {
  HMODULE library = LoadLibraryA("comdlg32.dll");
  if (!library) return nullptr;
  return reinterpret_cast<DialogCall>(
      reinterpret_cast<void*>(GetProcAddress(library, save ? "GetSaveFileNameA" : "GetOpenFileNameA")));
}

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
  ofn.lpstrTitle = save ? "Save Settings" : "Recall Settings";
  ofn.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
  DialogCall dialog = DialogFunction(save);
  return dialog && dialog(&ofn) ? file : "";
}

}  // namespace

std::string SettingsRecallGetFile(HWND owner, const std::string& initialFolder) {
  return RunDialog(owner, initialFolder, false);
}

std::string SettingsSaveGetFile(HWND owner, const std::string& initialFolder) {
  return RunDialog(owner, initialFolder, true);
}

}  // namespace velmora
