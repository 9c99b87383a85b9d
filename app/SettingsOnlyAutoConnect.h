#pragma once
// The AutoConnect side before its window exists: it keeps its settings
// record, recalled at start-up and saved at close with the main window's,
// so the settings file holds the whole "Airmail Data" section. The window,
// its placement and its visibility are not there yet.
#include "airmail/AutoConnectSettings.h"
#include "autoconnect/AutoConnectSeam.h"

namespace velmora {

class SettingsOnlyAutoConnect final : public NoAutoConnect {
 public:
  void ProfileRecall(const ProfileDocument& profile) override { velmora::ProfileRecall(profile, settings_); }
  void ProfileSave(ProfileWriter& profile) override { velmora::ProfileSave(profile, settings_); }
  std::string AirmailDataFolder() const override { return settings_.airmailDirectoryData; }

  AutoConnectSettings& Settings() { return settings_; }
  const AutoConnectSettings& Settings() const { return settings_; }

 private:
  AutoConnectSettings settings_;
};

}  // namespace velmora
