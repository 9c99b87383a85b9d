// The AutoConnect window's settings: the record to and from the fields and
// the profile files, its defaults, and the toolbar's toggles.
#include "autoconnect/win32/AutoConnectWindow.h"
#include "autoconnect/win32/WindowTwips.h"
#include "common/win32/SettingsFileDialogs.h"

namespace velmora {

void AutoConnectWindow::ProfileRecall(const ProfileDocument& profile) {
  velmora::ProfileRecall(profile, settings_);
  if (!hwnd_) return;
  SettingsToWindow();
  if (optionsDialog_) optionsDialog_->OptionsSettingsReplaced();
  // The window is reconfigured for what was recalled, its mode included
  // (the offline modes have no "Refresh" to press). During a run, or while
  // hidden, the table waits for "Refresh" or the next showing.
  if (activated_ && Idle() && Visible()) return Configure();
  if (activated_) SettingsChanged(false);
  if (Idle()) WindowModeRefresh(true);
}

void AutoConnectWindow::ProfileRecallWindow(const ProfileDocument& profile) {
  if (!Create()) return;
  WindowPlacementApply(hwnd_, WindowKeysRecall(profile));
}

void AutoConnectWindow::ProfileSave(ProfileWriter& profile) {
  // What the fields show is what the user set, once the window has been in use.
  if (activated_) SettingsFromWindow(settings_);
  velmora::ProfileSave(profile, settings_);
}

void AutoConnectWindow::ProfileSaveWindow(ProfileWriter& profile) {
  if (!hwnd_ || IsIconic(hwnd_) || IsZoomed(hwnd_)) return;
  WindowKeysSave(profile, WindowPlacementOf(hwnd_));
}

bool AutoConnectWindow::ProfileSaveToFile(const std::filesystem::path& file, bool windowKeys, ProfileBaseline* known) {
  ProfileWriter writer(file, known);
  velmora::ProfileSave(writer, settings_);
  if (windowKeys) ProfileSaveWindow(writer);
  return ProfileSaveCommit(writer, *messenger_);
}

const AutoConnectSettings& AutoConnectWindow::SettingsFromWindow() {
  // A run (or noise collection) begins: from here on its terminal keeps these.
  SettingsFromWindow(settings_);
  if (run_) run_->SettingsTake(settings_);
  return settings_;
}

AirmailTerminal& AutoConnectWindow::IdleTerminal() {
  if (!run_->Engine().Active()) run_->SettingsTake(settings_);
  return run_->Terminal();
}

void AutoConnectWindow::SettingsFromWindow(AutoConnectSettings& settings) {
  if (!hwnd_) return;
  SettingsFromFields(options_.Read(), settings, *messenger_);
  // A refused text shows the value kept, so it is not refused again and again.
  if (&settings == &settings_) options_.Write(FieldsFromSettings(settings_));
}

void AutoConnectWindow::SettingsToWindow() {
  options_.Write(FieldsFromSettings(settings_));
  toolbar_.SetPressed("Propagation", settings_.propagationModelAdditionalData);
  toolbar_.SetPressed("Reference", settings_.referenceStationAdditionalData);
  MenuBarShow();
  CaptionShow();
}

void AutoConnectWindow::SettingsChanged(bool readFields) {
  if (readFields) SettingsFromWindow(settings_);
  settingsPending_ = true;
  WindowModeRefresh(false);
}

void AutoConnectWindow::SettingsDefault() {
  settings_ = AutoConnectSettings{};
  AirmailFind();
  SettingsToWindow();
  if (optionsDialog_) optionsDialog_->OptionsSettingsReplaced();
  if (activated_) SettingsChanged(false);
  WindowModeRefresh(true);
}

void AutoConnectWindow::SettingsRecallChosen() {
  std::string file = SettingsRecallGetFile(hwnd_, PathText(link_->ProgramFolder()));
  if (!file.empty()) SettingsRecallFrom(file);
}

// Asked before the recalled settings replace the record, so a save that
// fails leaves both the measurements and the settings.
void AutoConnectWindow::SettingsRecallFrom(const std::filesystem::path& file) {
  if (!Idle()) return;
  auto profile = ProfileRecallRead(file, *messenger_);
  if (!profile) return;
  // A file without this window's values (the main window's alone, AirMail's
  // own) would change nothing: that must not pass for a recall.
  if (!profile->HoldsValues(kAutoConnectSection)) {
    messenger_->Show("ProfileRecall - " + PathText(file) + " holds no AutoConnect settings: nothing was recalled.");
    return;
  }
  if (ReferenceCloseCheck()) ProfileRecall(*profile);
}

void AutoConnectWindow::SettingsSaveChosen() {
  std::string file = SettingsSaveGetFile(hwnd_, PathText(link_->ProgramFolder()));
  if (!file.empty()) SettingsSaveTo(file);
}

void AutoConnectWindow::SettingsSaveTo(const std::filesystem::path& file) {
  SettingsFromWindow(settings_);
  ProfileSaveToFile(file, false);
}

void AutoConnectWindow::MenuBarShow() {
  SetMenu(hwnd_, settings_.menuBar ? menuBar_.get() : nullptr);
  toolbar_.SetPressed("Menu", settings_.menuBar);
  Layout();
}

// The button shows its setting again when the rebuild may not drop the
// measurements.
void AutoConnectWindow::ToggleFromToolbar(std::string_view key, bool& setting) {
  if (ReferenceCloseCheck()) {
    setting = !setting;
    Configure();
  }
  toolbar_.SetPressed(key, setting);
}

}  // namespace velmora
