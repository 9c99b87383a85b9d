#pragma once
// Rebuilding the frequency table for the present mode: the settings from
// the window, the mode's selection lists from AirMail's station files, the
// window's layout, and the mode's table fill, which for the calling modes
// ends with AutoSelect. Everything the engine later scans or calls on comes
// from the table built here.
#include <string>

#include "selection/AutoSelect.h"
#include "selection/ConfigurePorts.h"
#include "selection/TableColumns.h"

namespace velmora {

struct ConfigureServices {
  StationRowsServices rows;
  UtcClock& clock;
  ConfigureWindow& window;
  DependentWindows& dependents;
  TerminalReader& terminal;
  ModeTables& modeTables;
  TextWidth measure;
};

class TableConfiguration {
 public:
  TableConfiguration(FrequencyTable& table, AutoConnectSettings& settings, ConfigureServices services)
      : table_(table), settings_(settings), s_(std::move(services)) {}

  void Configure();
  // The station chosen in the station list of mode 1 (by its display name):
  // it becomes the current station and AutoSelect runs again.
  void StationChoose(std::string_view name);

  // Stations (keys) the calling and scan modes take instead of their own:
  // mode 1 the first of them, mode 2 and mode 6 all of them in this order.
  // Empty gives each mode its own again.
  void StationsChoose(std::vector<std::string> stations) { chosen_ = std::move(stations); }

  // The system and station (key) the table was built for; in mode 0 what
  // the terminal showed.
  const std::string& CurrentSystem() const { return system_; }
  const std::string& CurrentStation() const { return station_; }

 private:
  void CurrentFrequency();
  void MultipleFrequencies();
  void MultipleStations();
  void ReferenceStations();
  void ReferenceData();
  void NoConnectData();
  void ScanStations();

  // Fills the list with the systems; false (reported) when there is none.
  bool SystemsFill(SelectionListId list, int index);
  void Working();
  AutoSelect Selector();

  FrequencyTable& table_;
  AutoConnectSettings& settings_;
  ConfigureServices s_;
  std::string system_;
  std::string station_;
  std::vector<std::string> chosen_;
};

}  // namespace velmora
