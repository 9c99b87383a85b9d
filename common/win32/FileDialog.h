#pragma once
// The standard open and save dialogs.
#include <windows.h>

#include <string>

namespace velmora {

struct FileDialogRequest {
  std::string title;
  std::string filter;  // pairs of description and pattern, each ending in '\0'
  std::string initialFolder;
  std::string initialFile;
  std::string defaultExtension;
  bool save = false;
};

// The chosen path, or empty when the user cancelled or the dialog failed.
std::string ChooseFile(HWND owner, const FileDialogRequest& request);

}  // namespace velmora
