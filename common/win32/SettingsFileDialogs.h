#pragma once
// The open and save dialogs for a settings file, shared by the windows
// that keep their settings in one.
#include <windows.h>

#include <string>

namespace velmora {

// A standard open (or save) dialog for a settings file, starting in the
// given folder. The chosen path, or empty when cancelled or failed.
std::string SettingsRecallGetFile(HWND owner, const std::string& initialFolder);
std::string SettingsSaveGetFile(HWND owner, const std::string& initialFolder);

}  // namespace velmora
