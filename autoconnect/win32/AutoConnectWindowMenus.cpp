// The AutoConnect window's menus and commands: the menu bar, the context
// menus, the toolbar and the option fields' events.
#include "autoconnect/AutoConnectMenus.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "common/win32/EnterKey.h"
#include "common/win32/MenuBuilder.h"

namespace velmora {

bool AutoConnectWindow::CommandAvailable(int command) const {
  using namespace autoconnect_menu;
  switch (command) {
    case kViewPropagationDetailed:
    case kViewPropagation24Hour:
    case kViewChannelOccupancy:
    case kFrequencyPropagationDetailed:
    case kFrequencyPropagation24Hour:
    case kFrequencyChannelOccupancy:
      return views_ != nullptr;
    case kViewStationInfo:
    case kViewStationInfoBeamList:
    case kFrequencyStationInfo:
    case kViewAirmailHistory:
    case kViewLogFileHistory:
      return reports_ != nullptr;
    case kOptionsAirmail:
    case kOptionsHfModel:
    case kOptionsStationAntenna:
    case kOptionsStationHistory:
    case kOptionsStationRadio:
    case kSettingsOptions:
      return optionsDialog_ != nullptr;
    default:
      return true;
  }
}

void AutoConnectWindow::Command(int id) {
  using namespace autoconnect_menu;
  if (auto key = toolbar_.KeyOf(id); !key.empty()) return OnToolbar(key);
  if (!CommandAvailable(id)) return;
  if (int mode = ModeOfCommand(id); mode >= 0) {
    if (Idle() && !settingsPending_) ModeChoose(mode);
    return;
  }
  switch (id) {
    case kFileDefault:
    case kSettingsDefault:
      if (Idle()) SettingsDefault();
      return;
    case kFileRecall:
    case kSettingsRecall:
      if (Idle()) SettingsRecallChosen();
      return;
    case kFileSave:
    case kSettingsSave: return SettingsSaveChosen();
    case kFileClose: return Close();
    case kOptionsAirmail:
    case kSettingsOptions: return optionsDialog_->OptionsShow(OptionsDialogLink::kAirmailPage);
    case kOptionsHfModel: return optionsDialog_->OptionsShow(OptionsDialogLink::kPropagationPage);
    case kOptionsStationAntenna: return optionsDialog_->OptionsShow(OptionsDialogLink::kOffsetPage);
    case kOptionsStationHistory: return optionsDialog_->OptionsShow(OptionsDialogLink::kHistoryPage);
    case kOptionsStationRadio: return optionsDialog_->OptionsShow(OptionsDialogLink::kStationsPage);
    case kHelpDiagram: return link_->HelpShow(MainWindowLink::HelpTopic::Diagram);
    case kHelpOverview: return link_->HelpShow(MainWindowLink::HelpTopic::Overview);
    case kHelpAbout: return link_->HelpShow(MainWindowLink::HelpTopic::About);
    case kHelpOptions: return link_->HelpShow(MainWindowLink::HelpTopic::AutoConnectOptions);
    case kViewAirmailHistory:
    case kViewLogFileHistory:
    case kViewStationInfo:
    case kViewStationInfoBeamList:
    case kFrequencyStationInfo: return ReportShow(id);
    default: return StationViewShow(id);
  }
}

void AutoConnectWindow::OnToolbar(std::string_view key) {
  if (key == "Menu") {
    settings_.menuBar = !settings_.menuBar;
    MenuBarShow();
  } else if (key == "Start") {
    Start();
  } else if (key == "Stop") {
    Stop();
  } else if (key == "Propagation") {
    if (Idle()) ToggleFromToolbar(key, settings_.propagationModelAdditionalData);
  } else if (key == "Reference") {
    if (Idle()) ToggleFromToolbar(key, settings_.referenceStationAdditionalData);
  } else if (key == "Settings") {
    RECT r = toolbar_.ButtonRect("Settings");
    PopupMenuShow(hwnd_, MenuBarPopup(menuBar_.get(), "Settings"), POINT{r.left, r.bottom});
  }
}

void AutoConnectWindow::OnField(int index, int code) {
  const FieldDefinition& field = OptionFields()[static_cast<size_t>(index)];
  std::string_view name = field.name;
  bool clicked = code == BN_CLICKED;
  bool chosen = code == CBN_SELCHANGE;
  if (name == "cmbMode") {
    if (chosen) ModeChoose(static_cast<int>(SendMessageA(options_.Control(name), CB_GETCURSEL, 0, 0)));
    return;
  }
  if (name == "cmdResync") {
    if (clicked) Configure();
    return;
  }
  if (name == "cmdRecall" || name == "cmdSave") {
    if (!clicked || !Idle()) return;
    if (name == "cmdRecall") return ReferenceRecallChosen();
    ReferenceSave();
    return;
  }
  if (name == "cmbConnectSystem") {
    if (chosen) SystemChoose();
    return;
  }
  if (name == "cmbConnectStation") {
    if (chosen) StationChoose();
    return;
  }
  bool changed = (field.kind == FieldKind::Text && code == EN_CHANGE) || (field.kind == FieldKind::List && chosen) ||
                 ((field.kind == FieldKind::Check || field.kind == FieldKind::Option) && clicked);
  if (!changed) return;
  if (field.kind == FieldKind::Option) options_.OptionChoose(index);
  switch (field.event) {
    // A text being typed is read when it is used, not at every key.
    case FieldEvent::SettingsChanged: return SettingsChanged(field.kind != FieldKind::Text);
    case FieldEvent::SettingsOnly: return SettingsFromWindow(settings_);
    case FieldEvent::Configure: return Configure();
    case FieldEvent::None: return;
  }
}

void AutoConnectWindow::OnCommand(int id, int code, HWND control) {
  if (id == IDOK && !control) {
    FocusedPushButtonPress(hwnd_);  // Enter
    return;
  }
  if (control && control != toolbar_.Handle()) {
    if (options_.Writing()) return;
    if (int index = options_.FieldOfId(id); index >= 0) OnField(index, code);
    return;
  }
  Command(id);
}

void AutoConnectWindow::OnContextMenu(HWND control, POINT screen) {
  if (control == options_.Control("cmbMode")) {
    if (IsWindowEnabled(control)) PopupMenuShow(hwnd_, MenuBarPopup(menuBar_.get(), "Mode"), screen);
    return;
  }
  RECT frame{};
  HWND autoSelect = options_.Frame(OptionFrame::AutoSelect);
  GetWindowRect(autoSelect, &frame);
  if (IsWindowVisible(autoSelect) && PtInRect(&frame, screen))
    PopupMenuShow(hwnd_, MenuBarPopup(menuBar_.get(), "View"), screen);
}

void AutoConnectWindow::OnInitMenuPopup(HMENU menu) {
  using namespace autoconnect_menu;
  bool modeFree = Idle() && !settingsPending_;
  for (int mode = 0; mode < static_cast<int>(ModeItems().size()); ++mode) {
    SetMenuItemEnabled(menu, kMode0 + mode, modeFree);
    SetMenuItemChecked(menu, kMode0 + mode, settings_.modeIndex == mode);
  }
  // Nor is the settings record replaced while a run is active.
  for (int command : {kFileDefault, kFileRecall, kSettingsDefault, kSettingsRecall})
    SetMenuItemEnabled(menu, command, Idle());
  bool station = views_ && grid_.SelectedRow() > 0;
  for (int command : {kViewPropagationDetailed, kViewPropagation24Hour, kViewChannelOccupancy,
                      kFrequencyPropagationDetailed, kFrequencyPropagation24Hour, kFrequencyChannelOccupancy})
    SetMenuItemEnabled(menu, command, station);
  for (int command : {kViewAirmailHistory, kViewLogFileHistory, kViewStationInfoBeamList})
    SetMenuItemEnabled(menu, command, reports_ != nullptr);
  for (int command : {kViewStationInfo, kFrequencyStationInfo})
    SetMenuItemEnabled(menu, command, reports_ && grid_.SelectedRow() > 0);
}

void AutoConnectWindow::ReportShow(int command) {
  using namespace autoconnect_menu;
  if (!reports_) return;
  if (command == kViewAirmailHistory) return reports_->AirmailHistoryShow();
  if (command == kViewLogFileHistory) return reports_->LogFileHistoryShow();
  // The beam list is worth opening without a station chosen.
  auto station = SelectedStation();
  if (!station && command != kViewStationInfoBeamList) return;
  reports_->StationInfoShow(station ? station->station : std::string(), command == kViewStationInfoBeamList);
}

}  // namespace velmora
