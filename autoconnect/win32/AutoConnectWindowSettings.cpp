// The AutoConnect window's settings and option fields: taken from the
// fields and written into them, the defaults, recalled and saved settings
// files, the menu bar, and the choices of the mode, system and station.
#include "airmail/AirmailInstallation.h"
#include "airmail/win32/AirmailRegistry.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "common/win32/SettingsFileDialogs.h"
#include "common/win32/WindowText.h"

namespace velmora {
namespace {

const char* ListName(SelectionListId list) {
  switch (list) {
    case SelectionListId::ConnectSystem: return "cmbConnectSystem";
    case SelectionListId::ConnectStation: return "cmbConnectStation";
    case SelectionListId::ReferenceSystem: return "cmbReferenceSystem";
    case SelectionListId::ScanSystem: return "cmbScanSystem";
  }
  return "";
}

}  // namespace

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
}

void AutoConnectWindow::SettingsChanged(bool readFields) {
  if (readFields) SettingsFromWindow(settings_);
  settingsPending_ = true;
  WindowModeRefresh(false);
}

void AutoConnectWindow::SettingsDefault() {
  settings_ = AutoConnectSettings{};
  AirmailInstallationGet(settings_, Win32AirmailRegistry());
  SettingsToWindow();
  if (activated_) SettingsChanged(false);
  WindowModeRefresh(true);
}

void AutoConnectWindow::SettingsRecallChosen() {
  std::string file = SettingsRecallGetFile(hwnd_, link_->ProgramFolder().string());
  if (!file.empty()) SettingsRecallFrom(file);
}

void AutoConnectWindow::SettingsRecallFrom(const std::filesystem::path& file) {
  if (Idle()) ProfileRecall(ProfileDocument::Load(file));
}

void AutoConnectWindow::SettingsSaveChosen() {
  std::string file = SettingsSaveGetFile(hwnd_, link_->ProgramFolder().string());
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

void AutoConnectWindow::ToggleFromToolbar(std::string_view key, bool& setting) {
  setting = !setting;
  toolbar_.SetPressed(key, setting);
  Configure();
}

void AutoConnectWindow::ModeChoose(int mode) {
  if (!Create() || configuring_ || mode < 0 || mode >= static_cast<int>(ModeItems().size())) return;
  int left = settings_.modeIndex;
  if ((run_ && !run_->Engine().CloseCheck()) || !ReferenceCloseCheck()) {
    options_.ListSelect("cmbMode", left);
    AfterEngine();
    return;
  }
  options_.ListSelect("cmbMode", mode);
  Configure();
}

void AutoConnectWindow::SystemChoose() {
  // The new system's stations start from the first.
  options_.ListSelect("cmbConnectStation", 0);
  Configure();
}

void AutoConnectWindow::StationChoose() {
  if (!Idle()) return;
  SettingsFromWindow(settings_);
  if (!configuration_ || !(settings_.modeIndex == kModeCurrentFrequency ||
                           settings_.modeIndex == kModeMultipleFrequencies))
    return;
  HWND list = options_.Control("cmbConnectStation");
  std::string name = WindowString(list);
  configuring_ = true;
  PointerBusy(true);
  configuration_->StationChoose(name);
  PointerBusy(false);
  configuring_ = false;
  WindowModeRefresh(false);
  AfterEngine();
}

void AutoConnectWindow::ListFill(SelectionListId list, const SelectionList& entries) {
  options_.ListFill(ListName(list), entries);
}

}  // namespace velmora
