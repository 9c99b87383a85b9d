// The main window's menus and commands: the menu bar and its entries, the
// toolbar, and the menus' checks as they drop down.
#include "app/MenuCommands.h"
#include "app/MenuModel.h"
#include "app/win32/MainWindow.h"
#include "common/win32/MenuBuilder.h"

namespace velmora {

HMENU MainWindow::SettingsMenu() const { return MenuBarPopup(menuBar_.get(), "Settings"); }

void MainWindow::SetMenuBarVisible(bool visible) {
  settings_.menuBarVisible = visible;
  SetMenu(hwnd_, visible ? menuBar_.get() : nullptr);
  toolbar_.SetPressed("Menu", visible);
  OnSize(SIZE_RESTORED);
}

bool MainWindow::CommandAvailable(int command) const {
  auto route = RouteMenuCommand(command);
  return route && (route->action != MenuAction::ShowAutoConnect || autoConnect_.Available());
}

void MainWindow::UpdateToolbarAvailability() {
  for (const ToolbarButton& button : kMainToolbar) {
    std::string_view k = button.key;
    bool enabled = k != "Airmail" || autoConnect_.Available();
    toolbar_.SetEnabled(k, enabled);
  }
}

void MainWindow::Command(int id) {
  if (auto key = toolbar_.KeyOf(id); !key.empty()) {
    OnToolbar(key);
    return;
  }
  if (!CommandAvailable(id)) return;
  const MenuRoute route = *RouteMenuCommand(id);
  switch (route.action) {
    case MenuAction::SettingsDefault: return DefaultSettings();
    case MenuAction::SettingsRecall: return RecallSettings();
    case MenuAction::SettingsSave: return SaveSettings();
    case MenuAction::RecordToggle: return signal_.RecordToggle();
    case MenuAction::Exit: return Close();
    case MenuAction::ShowAutoConnect: return OnToolbar("Airmail");
    case MenuAction::SoundInput: return ShowSoundInput();
    case MenuAction::SoundOutput: return ShowSoundOutput();
    case MenuAction::Options: return ShowOptions(route.argument);
    case MenuAction::HelpDiagram: return diagram_->Show();
    case MenuAction::HelpOverview: return overview_->Show();
    case MenuAction::HelpAbout: return about_->Show();
    case MenuAction::FrequencyRange:
      settings_.display.fftRange = static_cast<std::int16_t>(route.argument);
      UpdateCaption();  // its suffix names the range, loop or no loop
      if (!signal_.LoopActive()) RedrawLastBuffer();
      return;
    case MenuAction::SampleSize:
      settings_.display.sampleSize = 1 << route.argument;  // used from the next start of the loop
      return;
  }
}

void MainWindow::OnToolbar(std::string_view key) {
  if (key == "Menu") {
    SetMenuBarVisible(!settings_.menuBarVisible);
  } else if (key == "Start") {
    signal_.Start();
  } else if (key == "Stop") {
    signal_.Stop();
  } else if (key == "Step") {
    signal_.Step();
  } else if (key == "Sound") {
    ShowSoundInput();
  } else if (key == "Detector") {
    ShowOptions(OptionsDialog::kDetectorTab);
  } else if (key == "Settings") {
    RECT r = toolbar_.ButtonRect("Settings");
    PopupMenuShow(hwnd_, SettingsMenu(), POINT{r.left, r.bottom});
  } else if (key == "Airmail" && autoConnect_.Available()) {
    autoConnect_.ProfileRecallWindow(ProfileDocument::Load(profileFile_));
    autoConnect_.Show();
  }
}

void MainWindow::OnInitMenuPopup(HMENU menu) {
  using namespace menu;
  if (menu == frequencyMenu_.get()) {
    for (int i = 0; i < 4; ++i) SetMenuItemChecked(menu, kFrequencyRange0 + i, settings_.display.fftRange == i);
    for (int e = kSamplesExponentFirst; e <= kSamplesExponentLast; ++e) {
      SetMenuItemCaption(menu, kFrequencySamples0 + e, FrequencySamplesCaption(e));
      SetMenuItemChecked(menu, kFrequencySamples0 + e, settings_.display.sampleSize == (1 << e));
    }
  } else if (menu == MenuBarPopup(menuBar_.get(), "File") || menu == SettingsMenu()) {
    SetMenuItemChecked(menu, kFileRecord, signal_.Recording());
    SetMenuItemChecked(menu, kSettingsRecord, signal_.Recording());
  } else if (menu == timeMenu_.get()) {
    for (int e = kSamplesExponentFirst; e <= kSamplesExponentLast; ++e)
      SetMenuItemChecked(menu, kTimeSamples0 + e, settings_.display.sampleSize == (1 << e));
  }
}

}  // namespace velmora
