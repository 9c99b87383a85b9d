#include "common/win32/SettingsFileDialogs.h"

#include "common/win32/FileDialog.h"

namespace velmora {
namespace {

constexpr char kSettingsFilter[] = "Settings (*.ini)\0*.ini\0All Files (*.*)\0*.*\0";

std::string SettingsDialog(HWND owner, const std::string& folder, bool save) {
  FileDialogRequest request;
  request.title = save ? "Save Settings" : "Recall Settings";
  request.filter.assign(kSettingsFilter, sizeof kSettingsFilter - 1);
  request.initialFolder = folder;
  request.defaultExtension = "ini";
  request.save = save;
  return ChooseFile(owner, request);
}

}  // namespace

std::string SettingsRecallGetFile(HWND owner, const std::string& initialFolder) {
  return SettingsDialog(owner, initialFolder, false);
}

std::string SettingsSaveGetFile(HWND owner, const std::string& initialFolder) {
  return SettingsDialog(owner, initialFolder, true);
}

}  // namespace velmora
