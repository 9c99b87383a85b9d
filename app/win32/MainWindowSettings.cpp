// The main window's settings: recalled at start, set to their defaults,
// recalled from and saved to a file the user chooses, and saved at close
// with the window's place and the AutoConnect side's settings.
#include "airmail/AutoConnectSettings.h"
#include "app/win32/MainWindow.h"
#include "common/SystemLib.h"
#include "common/win32/SettingsFileDialogs.h"

namespace velmora {

void MainWindow::RecallAtStartup() {
  auto read = ProfileRecallRead(profileFile_, messenger_,
                                "\rThe default settings are used, and the file is left as it is.");
  // Saved over at close, the settings it holds would give way to the defaults.
  profileUnreadable_ = !read;
  const ProfileDocument profile = read.value_or(ProfileDocument{});
  ProfileRecall(profile, settings_);
  ApplyPlacement(velmora::ProfileRecallWindow(profile));
  SetMenuBarVisible(settings_.menuBarVisible);
  autoConnect_.ProfileRecall(profile);
  autoConnect_.ProfileRecallWindow(profile);
}

void MainWindow::DefaultSettings() {
  Default(settings_);
  if (options_) options_->DataSet();
}

void MainWindow::RecallSettings() {
  std::string file = SettingsRecallGetFile(hwnd_, programFolder_);
  if (!file.empty()) RecallSettingsFrom(file);
}

void MainWindow::RecallSettingsFrom(const std::filesystem::path& file) {
  // The user chose it: a recall that took nothing must not pass for one.
  auto profile = ProfileRecallRead(file, messenger_);
  if (!profile) return;
  // A file of another kind (AirMail's own, say) would change nothing.
  if (!profile->HoldsValues(kDetectorSection) && !profile->HoldsValues(kDisplaySection) &&
      !profile->HoldsValues(kAutoConnectSection)) {
    messenger_.Show("ProfileRecall - " + PathText(file) + " holds no settings of Velmora: nothing was recalled.");
    return;
  }
  ProfileRecall(*profile, settings_);
  SetMenuBarVisible(settings_.menuBarVisible);
  autoConnect_.ProfileRecall(*profile);
  if (options_) options_->DataSet();
}

void MainWindow::SaveSettings() {
  std::string file = SettingsSaveGetFile(hwnd_, programFolder_);
  if (!file.empty()) SaveSettingsTo(file);
}

void MainWindow::SaveSettingsTo(const std::filesystem::path& file) {
  ProfileWriter writer(file);
  ProfileSave(writer, settings_);
  autoConnect_.ProfileSave(writer);
  ProfileSaveCommit(writer, messenger_);
}

bool MainWindow::SaveSettingsAtClose(Messenger& told) {
  if (profileUnreadable_) return false;  // told at start
  // A second copy of the program may have saved its changes meanwhile.
  ProfileWriter writer(profileFile_, &profileKnown_);
  ProfileSaveAll(writer);
  return ProfileSaveCommit(writer, told);
}

void MainWindow::ProfileSaveAll(ProfileWriter& writer) {
  ProfileSave(writer, settings_);
  bool normal = false;
  const WindowPlacement placement = PlacementToSave(normal);
  std::optional<bool> visible;
  if (autoConnect_.Available()) visible = autoConnect_.Visible();
  ProfileSaveWindow(writer, normal, placement, visible);
  autoConnect_.ProfileSave(writer);
  autoConnect_.ProfileSaveWindow(writer);
}

}  // namespace velmora
