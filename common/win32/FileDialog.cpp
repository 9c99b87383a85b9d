#include "common/win32/FileDialog.h"

#include <commdlg.h>

#include "common/win32/CodePagePath.h"

namespace velmora {
namespace {

// The dialog library (and the shell libraries it brings) is loaded the
// first time a dialog is needed, not at start: several megabytes of memory
// a program that runs for days has no use for otherwise.
using DialogCall = BOOL(WINAPI*)(LPOPENFILENAMEW);
DialogCall DialogFunction(bool save) {
  HMODULE library = LoadLibraryA("comdlg32.dll");
  if (!library) return nullptr;
  return reinterpret_cast<DialogCall>(
      reinterpret_cast<void*>(GetProcAddress(library, save ? "GetSaveFileNameW" : "GetOpenFileNameW")));
}

}  // namespace

// Asked by wide names: the narrow dialog spells a letter the code page
// lacks as a look-alike ("Lukasz" for a Polish name), which names no file.
std::string ChooseFile(HWND owner, const FileDialogRequest& request) {
  wchar_t file[MAX_PATH * 2] = {};
  WideText(request.initialFile).copy(file, MAX_PATH * 2 - 1);
  const std::wstring filter = WideText(request.filter) + L'\0', folder = WideText(request.initialFolder),
                     title = WideText(request.title), extension = WideText(request.defaultExtension);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH * 2;
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
              (request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  DialogCall dialog = DialogFunction(request.save);
  return dialog && dialog(&ofn) ? CodePagePath(file) : "";
}

}  // namespace velmora
