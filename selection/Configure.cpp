#include "selection/Configure.h"

#include <algorithm>

#include "common/TextParse.h"

namespace velmora {
namespace {

int IndexOf(const SelectionList& list, std::string_view entry) {
  auto at = std::find_if(list.entries.begin(), list.entries.end(),
                         [&](const std::string& e) { return EqualsNoCase(e, entry); });
  return at == list.entries.end() ? -1 : static_cast<int>(at - list.entries.begin());
}

std::string Selected(const SelectionList& list) {
  if (list.selected < 0 || list.selected >= static_cast<int>(list.entries.size())) return {};
  return list.entries[static_cast<size_t>(list.selected)];
}

}  // namespace

void TableConfiguration::Configure() {
  s_.dependents.DependentWindowsReset();
  s_.window.SettingsFromWindow(settings_);
  int mode = settings_.modeIndex;
  // Every mode starts from its own columns and an empty table, which is
  // what stays when its lists cannot be filled.
  ColumnsBuild(table_, mode, settings_, s_.measure);
  switch (mode) {
    case kModeCurrentFrequency: CurrentFrequency(); break;
    case kModeMultipleFrequencies: MultipleFrequencies(); break;
    case kModeMultipleStations: MultipleStations(); break;
    case kModeReferenceStations: ReferenceStations(); break;
    case kModeReferenceData: ReferenceData(); break;
    case kModeNoConnectData: NoConnectData(); break;
    case kModeScanStations: ScanStations(); break;
    default: s_.window.WindowModeRefresh(true); break;
  }
  s_.window.ToolbarRefresh();
  if (!s_.window.Running()) s_.window.UpdateStatusState("");
}

void TableConfiguration::StationChoose(std::string_view name) {
  station_ = StationFromStationName(s_.rows.data, system_, name);
  ColumnsBuild(table_, settings_.modeIndex, settings_, s_.measure);
  if (!station_.empty()) Selector().AutoSelectOneStation(station_);
}

bool TableConfiguration::SystemsFill(SelectionListId list, int index) {
  SelectionList systems;
  bool ok = SystemGetList(s_.rows.data, systems, index);
  s_.window.ListFill(list, systems);
  system_ = Selected(systems);
  return ok;
}

void TableConfiguration::Working() { s_.window.UpdateStatusState("Working"); }

AutoSelect TableConfiguration::Selector() {
  return AutoSelect(table_, settings_, settings_.modeIndex, system_, {s_.rows, s_.window, s_.clock});
}

void TableConfiguration::CurrentFrequency() {
  auto terminal = s_.terminal.TerminalSelectGet();
  SelectionList systems;
  if (!SystemGetList(s_.rows.data, systems, settings_.connectSystemIndex)) {
    s_.window.ListFill(SelectionListId::ConnectSystem, systems);
    s_.window.WindowModeRefresh(true);
    return;
  }
  if (terminal)
    if (int at = IndexOf(systems, terminal->system); at >= 0) systems.selected = at;
  s_.window.ListFill(SelectionListId::ConnectSystem, systems);
  system_ = Selected(systems);

  SelectionList stations;
  StationGetListSelected(s_.rows.data, system_, stations, settings_.connectStationIndex);
  bool terminalStation = terminal && EqualsNoCase(terminal->system, system_) && !terminal->station.empty();
  if (terminalStation) {
    auto name = StationNameFromStation(s_.rows.data, system_, terminal->station);
    if (int at = IndexOf(stations, name); at >= 0) stations.selected = at;
  }
  s_.window.ListFill(SelectionListId::ConnectStation, stations);
  station_ = terminalStation ? terminal->station : StationFromStationName(s_.rows.data, system_, Selected(stations));
  s_.window.WindowModeRefresh(true);
  if (station_.empty()) return;

  // The calls go out on what the terminal shows; the rows only show the
  // station's frequencies and their predictions.
  RedrawPause pause(table_);
  auto ship = s_.rows.geometry.ShipPosition();
  AutoSelect selector = Selector();
  StationRows rows = selector.RowsFor(ship.value_or(LatLon{}));
  int first = 0, last = -1;
  if (!rows.StationRowsAdd(system_, station_, first, last) || !ship) return;
  PredictionFill fill(s_.rows.predictions, 1);
  rows.StationRowsFill(system_, station_, first, last);
}

void TableConfiguration::MultipleFrequencies() {
  if (!SystemsFill(SelectionListId::ConnectSystem, settings_.connectSystemIndex)) {
    s_.window.WindowModeRefresh(true);
    return;
  }
  SelectionList stations;
  bool listed = StationGetListSelected(s_.rows.data, system_, stations, settings_.connectStationIndex);
  s_.window.ListFill(SelectionListId::ConnectStation, stations);
  station_ = listed ? StationFromStationName(s_.rows.data, system_, Selected(stations)) : std::string();
  if (!chosen_.empty()) station_ = chosen_.front();
  s_.window.WindowModeRefresh(true);
  if (station_.empty()) return;
  Working();
  Selector().AutoSelectOneStation(station_);
}

void TableConfiguration::MultipleStations() {
  station_.clear();
  if (!SystemsFill(SelectionListId::ConnectSystem, settings_.connectSystemIndex)) {
    s_.window.WindowModeRefresh(true);
    return;
  }
  s_.window.WindowModeRefresh(true);
  Working();
  auto ship = s_.rows.geometry.ShipPosition();
  if (!ship) return;
  auto stations = chosen_.empty() ? AutoSelectStationSet(s_.rows.data, system_, settings_, ship) : chosen_;
  // A station file that cannot be read has been told: no table, and no
  // word of AutoSelect's requirements.
  if (!stations) return;
  // One station is chosen from as in mode 1: its own best frequencies,
  // whatever its range, with no choice across stations to make.
  if (stations->size() == 1)
    Selector().AutoSelectOneStation(stations->front());
  else
    Selector().AutoSelectStations(*stations, *ship);
}

void TableConfiguration::ReferenceStations() {
  station_.clear();
  bool listed = SystemsFill(SelectionListId::ReferenceSystem, settings_.referenceStationSystemIndex);
  s_.window.WindowModeRefresh(true);
  if (!listed) return;
  Working();
  RedrawPause pause(table_);
  s_.modeTables.ReferenceStationsFill(table_, system_);
}

void TableConfiguration::ReferenceData() {
  // Never touches AirMail's files: the table lists saved reference data.
  system_.clear();
  station_.clear();
  s_.window.WindowModeRefresh(true);
  s_.modeTables.ReferenceDataFill(table_);
}

void TableConfiguration::NoConnectData() {
  station_.clear();
  s_.window.WindowModeRefresh(true);
  if (settings_.noConnectDataFile.empty()) return;
  Working();
  s_.modeTables.NoConnectDataFill(table_, settings_.noConnectDataFile);
}

void TableConfiguration::ScanStations() {
  station_.clear();
  bool listed = SystemsFill(SelectionListId::ScanSystem, settings_.scanStationSystemIndex);
  s_.window.WindowModeRefresh(true);
  if (!listed) return;
  Working();
  RedrawPause pause(table_);
  auto ship = s_.rows.geometry.ShipPosition();
  if (!ship) return;
  std::vector<std::string> stations = chosen_;
  if (stations.empty()) {
    auto all = StationGetAll(s_.rows.data, system_, ship);
    if (!all) return;
    for (size_t i = 0; i < all->size() && i < kNearestStations; ++i) stations.push_back((*all)[i].key);
  }
  AutoSelect selector = Selector();
  StationRows rows = selector.RowsFor(*ship);
  bool ham = ToUpper(system_) == "HAM";
  {
    PredictionFill fill(s_.rows.predictions, stations.size());
    // Stations named by the caller may have no position: told once, by their own fill.
    if (chosen_.empty()) rows.StationRowsAhead(system_, {stations.begin(), stations.end()});
    for (const auto& station : stations) {
      int first = 0, last = -1;
      if (!rows.StationRowsAdd(system_, station, first, last)) break;
      bool filled = rows.StationRowsFill(system_, station, first, last);
      // The scan's own Pactor filter ("Scan Station Pactor Mode"), not
      // AutoSelect's; it needs no prediction, so rows left unfilled pass it too.
      if (ham) selector.AutoSelectPactor(first, last, settings_.scanStationPactorMode);
      if (!filled) break;
    }
  }
  // The scan visits the checked Tx Connect rows; the others go.
  for (int row = table_.Rows() - 1; row >= 1; --row)
    if (!table_.CheckGet(row, kColumnTxConnect)) table_.RowRemove(row);
}

}  // namespace velmora
