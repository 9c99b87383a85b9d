#pragma once
// An AutoConnect side that keeps only its settings record, recalled at
// start-up and saved at close with the main window's: the main window's
// tests use it where the AutoConnect window itself does not matter. It has
// no window, no placement and no visibility.
#include "airmail/AutoConnectSettings.h"
#include "tests/app/win32/NoAutoConnect.h"

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
