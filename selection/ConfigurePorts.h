#pragma once
// What rebuilding the frequency table needs besides AirMail's files: the
// AutoConnect window, the three windows that show a station of the table,
// AirMail's terminal, and the tables of the reference and no-connect modes.
#include <optional>
#include <string>
#include <string_view>

#include "airmail/AutoConnectSettings.h"
#include "airmail/StationLists.h"
#include "selection/FrequencyTable.h"
#include "selection/SelectionWindow.h"

namespace velmora {

enum class SelectionListId { ConnectSystem, ConnectStation, ReferenceSystem, ScanSystem };

class ConfigureWindow : public SelectionWindow {
 public:
  // The settings take the values of the window's fields.
  virtual void SettingsFromWindow(AutoConnectSettings& settings) = 0;
  virtual void ListFill(SelectionListId list, const SelectionList& entries) = 0;
  // Brings the window into line with the mode; with `layout` also its frames and grids.
  virtual void WindowModeRefresh(bool layout) = 0;
  // Panel 1 of the status bar.
  virtual void UpdateStatusState(std::string_view text) = 0;
  // "Start" and "Stop" as the run state allows.
  virtual void ToolbarRefresh() = 0;
  virtual bool Running() const = 0;
};

// The station information, propagation details and propagation hours
// windows, which show a station of the old table: put aside until opened again.
class DependentWindows {
 public:
  virtual ~DependentWindows() = default;
  virtual void DependentWindowsReset() = 0;
};

// What AirMail's terminal shows; the station as its key.
struct TerminalReading {
  std::string system;
  std::string station;
  std::string frequency;
};

class TerminalReader {
 public:
  virtual ~TerminalReader() = default;
  // nullopt when the terminal could not be read (reported).
  virtual std::optional<TerminalReading> TerminalSelectGet() = 0;
};

// The tables of the reference and no-connect modes, built by their own
// operations; until there are some, these leave the table empty.
class ModeTables {
 public:
  virtual ~ModeTables() = default;
  virtual void ReferenceStationsFill(FrequencyTable& table, std::string_view system) {}
  virtual void ReferenceDataFill(FrequencyTable& table) {}
  virtual void NoConnectDataFill(FrequencyTable& table, std::string_view file) {}
};

}  // namespace velmora
