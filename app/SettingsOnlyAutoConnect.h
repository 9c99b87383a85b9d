#pragma once
// The AutoConnect side before its window exists: it keeps its settings
// record, recalled at start-up and saved at close with the main window's,
// so the settings file holds the whole "Airmail Data" section. The window,
// its placement and its visibility are not there yet.
#include "airmail/AutoConnectSettings.h"
#include "app/AutoConnectSeam.h"

namespace velmora {

class SettingsOnlyAutoConnect final : public AutoConnectSeam {
 public:
  bool Available() const override { return false; }
  bool Visible() const override { return false; }
  void Show() override {}
  void Unload() override {}
  void Update(bool&, bool&, bool&) override {}
  void ProfileRecall(const ProfileDocument& profile) override { velmora::ProfileRecall(profile, settings_); }
  void ProfileRecallWindow(const ProfileDocument&) override {}
  void ProfileSave(ProfileWriter& profile) override { velmora::ProfileSave(profile, settings_); }
  void ProfileSaveWindow(ProfileWriter&) override {}
  std::string AirmailDataFolder() const override { return settings_.airmailDirectoryData; }

  AutoConnectSettings& Settings() { return settings_; }
  const AutoConnectSettings& Settings() const { return settings_; }

 private:
  AutoConnectSettings settings_;
};

}  // namespace velmora
