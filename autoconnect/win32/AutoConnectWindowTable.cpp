// The AutoConnect window's table: rebuilt for the mode ("Refresh"), the
// Mode, system and station lists chosen, the grid's tool tips and clicks,
// and the windows that show the selected station.
#include <string>

#include "autoconnect/AutoConnectMenus.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "common/UtcAddHours.h"
#include "common/win32/MenuBuilder.h"
#include "common/win32/WindowText.h"
#include "selection/FrequencyToolTip.h"
#include "selection/TableColumns.h"

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

void AutoConnectWindow::Configure() {
  if (!Create() || !Idle()) return;
  // Asked for by other windows too (the options dialog, a settings recall):
  // a close from one of its boxes waits for it.
  Operation operation(operations_);
  // The rows measured in mode 3 go with the table: asked about first, and
  // kept with the table when their save fails ("Refresh" asks again).
  if (!ReferenceCloseCheck()) return SettingsChanged(false);
  if (!occupancy_)
    occupancy_ = std::make_unique<OccupancyFile>(link_->ProgramFolder() / kStationOccupancyDataFile, settings_, utc_,
                                                 *messenger_);
  StationRowsServices rows{*predictions_, *geometry_, dataFolder_, link_->ProgramFolder(), colors_, occupancy_.get()};
  ConfigureServices services{rows, utc_, *this, *dependents_, *this, ModeTablesFor(rows), grid_.Measure()};
  configuration_ = std::make_unique<TableConfiguration>(table_, settings_, std::move(services));
  configuring_ = true;
  PointerBusy(true);
  configuration_->Configure();
  PointerBusy(false);
  configuring_ = false;
  tableMode_ = settings_.modeIndex;
  settingsPending_ = false;
  referenceUnsaved_ = false;  // whatever was measured is no longer in the table
  DataModeShow();
  WindowModeRefresh(false);
  AfterEngine();
}

std::string AutoConnectWindow::GridToolTip(int row, int column) {
  ToolTipContext context{tableMode_, settings_.stationOffset, settings_.stationHistory, colors_};
  // Current Frequency has no tips: one kept from another mode would stand
  // over every cell.
  return FrequencyMouseMove(table_, row, column, context).value_or("");
}

void AutoConnectWindow::GridClick(int, int) { grid_.Refresh(); }

void AutoConnectWindow::GridRightButtonUp(int row, int, int screenX, int screenY) {
  if (row < 1) return;
  PopupMenuShow(hwnd_, frequencyMenu_.get(), POINT{screenX, screenY});
}

std::optional<AutoConnectWindow::TableStation> AutoConnectWindow::SelectedStation() const {
  int row = grid_.SelectedRow();
  if (row < 1 || row >= table_.Rows()) return std::nullopt;
  // A recalled table's stations are of the system it was kept for.
  std::string system = configuration_ ? configuration_->CurrentSystem() : std::string();
  if (dataTables_ && tableMode_ == kModeReferenceData && dataTables_->ReferenceRecalled())
    system = dataTables_->ReferenceRecalled()->conditions.system;
  if (dataTables_ && tableMode_ == kModeNoConnectData && dataTables_->NoConnectRecalled())
    system = dataTables_->NoConnectRecalled()->conditions.system;
  return TableStation{system, table_.CellGet(row, kColumnStation)};
}

void AutoConnectWindow::StationViewShow(int command) {
  using namespace autoconnect_menu;
  auto station = SelectedStation();
  if (!views_ || !station) return;
  const UtcDateTime time = UtcAddHours(UtcNow(), settings_.propagationModelTimeShift);
  switch (command) {
    case kViewPropagationDetailed:
    case kFrequencyPropagationDetailed: return views_->PropagationDetailsShow(station->system, station->station, time);
    case kViewPropagation24Hour:
    case kFrequencyPropagation24Hour: return views_->PropagationHoursShow(station->system, station->station, time);
    case kViewChannelOccupancy:
    case kFrequencyChannelOccupancy: return views_->ChannelOccupancyShow(station->system, station->station);
    default: return;
  }
}

void AutoConnectWindow::ModeChoose(int mode) {
  if (!Create() || configuring_ || mode < 0 || mode >= static_cast<int>(ModeItems().size())) return;
  int left = settings_.modeIndex;
  // No other table under a step that still waits on AirMail.
  if (run_ && run_->Engine().Stepping()) return options_.ListSelect("cmbMode", left);
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
