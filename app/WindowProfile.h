#pragma once
// The main window's placement in the settings file, and the AutoConnect
// window's visibility that the main window records at exit.
#include <optional>

#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"

namespace velmora {

// Placement in the window system's units; a key absent from the file stays empty.
struct WindowPlacement {
  std::optional<float> left, top, width, height;
};

WindowPlacement ProfileRecallWindow(const ProfileDocument& profile);
// The placement is written only in the normal window state; "Window Visible"
// whenever there is an AutoConnect window to tell of (without one, the
// stored value stays for the build that has it).
void ProfileSaveWindow(ProfileWriter& profile, bool normalState, const WindowPlacement& placement,
                       std::optional<bool> autoConnectVisible);

// "Window Visible" of "Airmail Data": present and True.
bool AutoConnectWasVisible(const ProfileDocument& profile);

}  // namespace velmora
