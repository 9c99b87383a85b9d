// The AutoConnect window's data: the reference measurements saved, asked
// for at close, recalled from a file or from the working list of saved
// files; the recalled figures shown; a failed round's table kept; and the
// noise collection started for AutoSelect.
#include <cmath>
#include <filesystem>

#include "autoconnect/win32/AutoConnectWindow.h"
#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/win32/FileDialog.h"
#include "propagation/AngleText.h"
#include "propagation/SunSpotNumber.h"
#include "selection/ReferenceData.h"

namespace velmora {
namespace {

constexpr char kReferenceFilter[] = "Reference Data (*.ref)\0*.ref\0All Files (*.*)\0*.*\0";

std::filesystem::path DataFolder(const std::filesystem::path& programFolder) { return programFolder / "Data"; }

std::string SunSpotText(const DataConditions& conditions) {
  return std::isfinite(conditions.sunSpotNumber) ? FormatNumber(conditions.sunSpotNumber, "0") : std::string();
}

}  // namespace

ModeTables& AutoConnectWindow::ModeTablesFor(const StationRowsServices& rows) {
  dataTables_ = std::make_unique<DataModeTables>(settings_, rows, utc_);
  HWND allFiles = options_.Control("chkReferenceDataFitAllFiles");
  dataTables_->FitAllFilesSet(allFiles && SendMessageA(allFiles, BM_GETCHECK, 0, 0) == BST_CHECKED);
  return *dataTables_;
}

std::optional<DataConditions> AutoConnectWindow::ConditionsAt(const UtcDateTime& time) {
  auto ship = geometry_->ShipPosition();
  if (!ship) return std::nullopt;
  DataConditions conditions{time, CurrentSystem(), *ship, settings_.propagationModelSunSpotNumber};
  AutoConnectSettings asked = settings_;  // the lookup may store AirMail's number; the window's record stays
  SunSpotNumberGet(dataFolder_, asked, conditions.sunSpotNumber);
  return conditions;
}

std::optional<std::filesystem::path> AutoConnectWindow::ReferenceSave() {
  if (!link_) return std::nullopt;
  auto conditions = ConditionsAt(referenceTime_);
  if (!conditions) return std::nullopt;
  auto file = ReferenceStationSave(table_, link_->ProgramFolder(), *conditions, *messenger_);
  if (!file) return std::nullopt;
  referenceUnsaved_ = false;
  settings_.referenceDataFile = PathText(*file);
  UpdateStatusStatus("Saved Data");
  WindowModeRefresh(false);
  WorkingListFill();
  return file;
}

bool AutoConnectWindow::ReferenceCloseCheck() {
  if (!referenceUnsaved_ || tableMode_ != kModeReferenceStations) return true;
  // A table without a measured row has nothing worth the question.
  if (ReferenceRowsKept(table_).empty()) {
    referenceUnsaved_ = false;
    return true;
  }
  if (!messenger_->AskYesNo(kReferenceUnsavedQuestion, MessageIcon::Question)) {
    referenceUnsaved_ = false;
    return true;
  }
  // A save that failed keeps the measurements, and the window with them.
  return ReferenceSave().has_value();
}

bool AutoConnectWindow::MeasurementsCloseCheck() {
  // An unattended run's end asks nobody: saved as Windows ending saves them.
  if (unattended_) {
    MeasurementsKeep();
    return true;
  }
  Operation operation(operations_);  // a close from the question waits for it
  return ReferenceCloseCheck();
}

void AutoConnectWindow::MeasurementsKeep() {
  if (!referenceUnsaved_ || tableMode_ != kModeReferenceStations || ReferenceRowsKept(table_).empty()) return;
  Operation operation(operations_);
  ReferenceSave();
}

void AutoConnectWindow::ReferenceRecallChosen() {
  FileDialogRequest request;
  request.title = "Recall Reference Data";
  request.filter.assign(kReferenceFilter, sizeof kReferenceFilter - 1);
  request.initialFolder = PathText(DataFolder(link_->ProgramFolder()));
  request.defaultExtension = "ref";
  std::string file = ChooseFile(hwnd_, request);
  if (!file.empty()) ReferenceRecallFrom(file);
}

void AutoConnectWindow::ReferenceRecallFrom(const std::filesystem::path& file) {
  if (!Create() || !Idle()) return;
  // Clicked in the working list, beside this window's own messages: a close
  // from the question about unsaved measurements waits for it.
  Operation operation(operations_);
  const std::string before = settings_.referenceDataFile;
  settings_.referenceDataFile = PathText(file);
  if (settings_.modeIndex == kModeReferenceData) return Configure();
  options_.ListSelect("cmbMode", kModeReferenceData);
  ModeChoose(kModeReferenceData);
  // Refused there, the measurements kept: the file stays the one recalled before.
  if (settings_.modeIndex != kModeReferenceData) settings_.referenceDataFile = before;
}

void AutoConnectWindow::WorkingListener::GridClick(int row, int) {
  AutoConnectWindow& w = window;
  if (row < 1 || row >= w.workingTable_.Rows() || !w.link_) return;
  std::string name = w.workingTable_.CellGet(row, 0);
  w.ReferenceRecallFrom(DataFolder(w.link_->ProgramFolder()) / (name + std::string(kReferenceExtension)));
}

bool AutoConnectWindow::WorkingShown() const {
  return settings_.modeIndex == kModeReferenceStations || settings_.modeIndex == kModeReferenceData;
}

void AutoConnectWindow::WorkingListFill() {
  if (!link_ || !WorkingShown()) return workingTable_.Clear({});
  StationRowsServices rows{*predictions_, *geometry_, dataFolder_, link_->ProgramFolder(), colors_};
  auto list = ReferenceListBuild(link_->ProgramFolder(), settings_, rows, &referenceFilesTold_);
  auto texts = ReferenceListTable(list, settings_);
  std::vector<TableColumn> columns;
  TextWidth measure = workingGrid_.Measure();
  for (const auto& heading : texts.front())
    columns.push_back({heading, measure(heading == "File" ? "--0000-00-00-000000-" : "-" + heading + "-")});
  workingTable_.Clear(std::move(columns));
  for (size_t i = 0; i < texts.size(); ++i) {
    int row = i == 0 ? 0 : workingTable_.RowAdd();
    for (size_t c = 0; c < texts[i].size(); ++c) workingTable_.CellSet(row, static_cast<int>(c), texts[i][c]);
  }
  workingGrid_.Refresh();
}

void AutoConnectWindow::CaptionShow() {
  if (hwnd_) SetWindowTextA(hwnd_, NoConnectCaption(settings_.noConnectDataFile).c_str());
}

void AutoConnectWindow::DataModeShow() {
  CaptionShow();
  WorkingListFill();
  ShowWindow(workingGrid_.Handle(), WorkingShown() ? SW_SHOWNA : SW_HIDE);
  if (!dataTables_) return;
  if (tableMode_ == kModeReferenceData) {
    const auto& recalled = dataTables_->ReferenceRecalled();
    const auto& fit = dataTables_->FitShown();
    bool shown = recalled || !dataTables_->FitRmsLabel().empty();
    // What the file did not know shows empty.
    bool ship = recalled && ShipKnown(recalled->conditions);
    options_.TextSet("lblReferenceDataLatitude", ship ? LatitudeToString(recalled->conditions.ship.latitude) : "");
    options_.TextSet("lblReferenceDataLongitude", ship ? LongitudeToString(recalled->conditions.ship.longitude) : "");
    options_.TextSet("lblReferenceDataFitStations", shown ? IntegerText(fit.stations) : "");
    options_.TextSet("lblReferenceDataFitRms", dataTables_->FitRmsLabel());
    options_.TextSet("lblReferenceDataSunspotData", recalled ? SunSpotText(recalled->conditions) : "");
    if (recalled) UpdateStatusStatus("Recalled Data");
  } else if (tableMode_ == kModeNoConnectData) {
    const auto& recalled = dataTables_->NoConnectRecalled();
    options_.TextSet("lblNoConnectDataSunspotData", recalled ? SunSpotText(recalled->conditions) : "");
    if (recalled) UpdateStatusStatus("Recalled Data");
  }
}

// The run asked for it by its own "No Connect Data", whatever the window
// holds now; the file saved becomes the window's selection.
void AutoConnectWindow::NoConnectSave() {
  if (!link_ || !run_) return;
  auto conditions = ConditionsAt(UtcNow());
  if (!conditions) return;
  auto file = velmora::NoConnectSave(table_, link_->ProgramFolder(), *conditions, run_->Engine().Run().Mode(),
                                     *messenger_);
  if (!file) return;
  settings_.noConnectDataFile = PathText(*file);
  CaptionShow();
}

void AutoConnectWindow::NoiseSelectionStart() {
  if (!run_) return;
  run_->Engine().NoiseCollectionStart();
  AfterEngine();
}

}  // namespace velmora
