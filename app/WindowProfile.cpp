#include "app/WindowProfile.h"

#include "airmail/AutoConnectSettings.h"
#include "audio/MainSettings.h"
#include "common/ProfileValues.h"

namespace velmora {

WindowPlacement ProfileRecallWindow(const ProfileDocument& profile) {
  WindowPlacement placement;
  auto recall = [&](const char* key, std::optional<float>& member) {
    float value = 0;
    if (RecallSingle(profile, kDisplaySection, key, value)) member = value;
  };
  recall("Window Height", placement.height);
  recall("Window Left", placement.left);
  recall("Window Top", placement.top);
  recall("Window Width", placement.width);
  return placement;
}

void ProfileSaveWindow(ProfileWriter& profile, bool normalState, const WindowPlacement& placement,
                       std::optional<bool> autoConnectVisible) {
  if (normalState) {
    auto save = [&](const char* key, const std::optional<float>& value) {
      if (value) SaveSingle(profile, kDisplaySection, key, *value);
    };
    save("Window Left", placement.left);
    save("Window Height", placement.height);
    save("Window Top", placement.top);
    save("Window Width", placement.width);
  }
  if (autoConnectVisible) SaveBoolean(profile, kAutoConnectSection, "Window Visible", *autoConnectVisible);
}

bool AutoConnectWasVisible(const ProfileDocument& profile) {
  bool visible = false;
  return RecallBoolean(profile, kAutoConnectSection, "Window Visible", visible) && visible;
}

}  // namespace velmora
