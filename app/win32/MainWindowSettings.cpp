// The main window's settings: recalled at start, set to their defaults,
// recalled from and saved to a file the user chooses, and saved at close
// with the window's place and the AutoConnect side's settings.
#include "app/win32/MainWindow.h"
#include "common/SystemLib.h"
#include "common/win32/SettingsFileDialogs.h"

namespace velmora {
namespace {

// The settings file as a document: empty when there is none; nothing, after
// saying so, when it is there but cannot be read (locked by another
// program, or too big to be a settings file).
std::optional<ProfileDocument> ReadSettingsFile(const std::filesystem::path& file, Messenger& messenger,
                                                std::string_view consequence = {}) {
  std::error_code error;
  auto document = ProfileDocument::LoadExisting(file, error);
  if (!document)
    messenger.Show("ProfileRecall - Cannot read " + PathText(file) + "\r" + ErrorText(error) +
                   std::string(consequence));
  return document;
}

}  // namespace

void MainWindow::RecallAtStartup() {
  auto read = ReadSettingsFile(profileFile_, messenger_,
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
  auto profile = ReadSettingsFile(file, messenger_);
  if (!profile) return;
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
  std::error_code error;
  if (!writer.Commit(error)) messenger_.Show("ProfileSave - Cannot write " + PathText(file) + "\r" + ErrorText(error));
}

bool MainWindow::SaveSettingsAtClose() {
  if (profileUnreadable_) return false;  // told at start
  ProfileWriter writer(profileFile_);
  ProfileSave(writer, settings_);
  bool normal = false;
  const WindowPlacement placement = PlacementToSave(normal);
  std::optional<bool> visible;
  if (autoConnect_.Available()) visible = autoConnect_.Visible();
  ProfileSaveWindow(writer, normal, placement, visible);
  autoConnect_.ProfileSave(writer);
  autoConnect_.ProfileSaveWindow(writer);
  std::error_code error;
  if (writer.Commit(error)) return true;
  messenger_.Show("ProfileSave - Cannot write " + profileFile_ + "\r" + ErrorText(error));
  return false;
}

}  // namespace velmora
