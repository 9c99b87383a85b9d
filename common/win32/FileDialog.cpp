#include "common/win32/FileDialog.h"

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

}  // namespace

std::string ChooseFile(HWND owner, const FileDialogRequest& request) {
  char file[MAX_PATH * 2] = {};
  request.initialFile.copy(file, sizeof file - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  std::string filter = request.filter + '\0';
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = request.initialFolder.c_str();
  ofn.lpstrTitle = request.title.c_str();
  ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
              (request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  DialogCall dialog = DialogFunction(request.save);
  return dialog && dialog(&ofn) ? file : "";
}

}  // namespace velmora
