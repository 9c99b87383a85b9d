// The main window's settings: recalled at start, set to their defaults,
// recalled from and saved to a file the user chooses, and saved at close
// with the window's place and the AutoConnect side's settings.
#include "app/win32/MainWindow.h"
#include "common/AtomicFile.h"
#include "common/SystemLib.h"
#include "common/win32/SettingsFileDialogs.h"

namespace velmora {

void MainWindow::RecallAtStartup() {
  auto profile = ProfileDocument::Load(profileFile_);
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
  std::error_code error, ignored;
  auto content = ReadWholeFile(file, error, kProfileFileLimit);
  if (!content && std::filesystem::exists(file, ignored)) {
    // The user chose it: a recall that took nothing must not pass for one.
    messenger_.Show("ProfileRecall - Cannot read " + PathText(file) + "\r" + ErrorText(error));
    return;
  }
  auto profile = content ? ProfileDocument::Parse(*content) : ProfileDocument{};
  ProfileRecall(profile, settings_);
  SetMenuBarVisible(settings_.menuBarVisible);
  autoConnect_.ProfileRecall(profile);
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
