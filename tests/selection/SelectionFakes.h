#pragma once
// Stand-ins for the ports of the frequency selection: predictions that
// follow a rule, positions from the stations' locators, a fixed clock, and
// a window that keeps what it was told.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "airmail/AirmailProfile.h"
#include "airmail/FrequencyLabel.h"
#include "common/Format.h"
#include "propagation/Positions.h"
#include "selection/Configure.h"
#include "selection/SelectionPorts.h"
#include "selection/TableColumns.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora::testing {

// The SNR of each frequency from a rule; LUF 3000, MUF 15000 kHz; the
// mode as the runner gives it, with the blank before its hops.
class FakePredictions final : public PredictionSource {
 public:
  std::function<double(const std::string& station, double kHz)> snr = [](const std::string&, double) { return 55; };
  std::function<double(const std::string& station, double kHz)> slope = [](const std::string&, double) { return 0; };
  bool fail = false;
  std::vector<PredictionRequest> requests;
  std::function<void()> onRequest = [] {};

  std::optional<PredictionNow> PredictionGet(const PredictionRequest& request) override {
    requests.push_back(request);
    onRequest();
    if (fail) return std::nullopt;
    PredictionNow p;
    p.luf = 3000;
    p.muf = 15000;
    p.transmitterAzimuth = 120;
    for (double f : request.frequencies)
      p.frequencies.push_back({" 2F2", 7.5, 0, 0, -110, -150, snr(request.station, f), slope(request.station, f)});
    return p;
  }
};

// Positions from the locators of the data folder's station files, each
// file kept while unchanged as the program's geometry keeps it.
class FakeGeometry final : public StationGeometry {
 public:
  explicit FakeGeometry(const AirmailDataFolder& data) : data_(data) {}
  std::optional<LatLon> ship = LatLon{41.0, -71.0};
  std::optional<LatLon> ShipPosition() override { return ship; }
  std::optional<LatLon> StationPosition(std::string_view system, std::string_view station) override {
    LatLon position;
    const StationFile* file = stations_.Of(data_, system);
    if (!(file ? LatLonGetStation(*file, station, position, false)
               : LatLonGetStation(data_, system, station, position, false)))
      return std::nullopt;
    return position;
  }
  StationBearing Bearing(const LatLon& from, const LatLon& to) override { return {LatLonGetRange(from, to), 45}; }

 private:
  const AirmailDataFolder& data_;
  StationFileCache stations_;
};

class FixedClock final : public UtcClock {
 public:
  UtcDateTime now{2024, 3, 10, 23, 30, 0, 0};
  UtcDateTime Now() override { return now; }
};

class FakeWindow final : public ConfigureWindow {
 public:
  std::map<SelectionListId, SelectionList> lists;
  std::vector<std::string> states;    // panel 1, in order
  std::vector<std::string> statuses;  // panel 2, in order
  int toolbarRefreshes = 0, activations = 0;
  bool running = false;
  std::function<void(AutoConnectSettings&)> fields = [](AutoConnectSettings&) {};

  void SettingsFromWindow(AutoConnectSettings& settings) override { fields(settings); }
  void ListFill(SelectionListId list, const SelectionList& entries) override { lists[list] = entries; }
  void WindowModeRefresh(bool) override {}
  void UpdateStatusState(std::string_view text) override { states.emplace_back(text); }
  void UpdateStatusStatus(std::string_view text) override { statuses.emplace_back(text); }
  void ToolbarRefresh() override { ++toolbarRefreshes; }
  bool Running() const override { return running; }
  void WindowActivate() override { ++activations; }
  void NoiseSelectionStart() override {}
  std::string State() const { return states.empty() ? std::string() : states.back(); }
};

class FakeDependents final : public DependentWindows {
 public:
  int resets = 0;
  void DependentWindowsReset() override { ++resets; }
};

class FakeTerminal final : public TerminalReader {
 public:
  std::optional<TerminalReading> reading;
  std::optional<TerminalReading> TerminalSelectGet() override { return reading; }
};

// A row of a .ref or .nct file: the texts of the table's columns by index,
// joined as a save writes them; a column not given holds `other`.
inline std::string RefLine(const std::map<int, std::string>& cells, int columns = kColumnCount,
                           std::string_view other = "") {
  std::string line;
  for (int column = 0; column < columns; ++column)
    line += (column ? "," : "") + (cells.count(column) ? cells.at(column) : std::string(other));
  return line + "\r\n";
}

// A reference file of the given rows, saved on 2005-03-14 at 18:30.
inline std::string RefFile(const std::vector<std::string>& rows, std::string_view conditions = "HAM,41.5,-71.25,112.5") {
  std::string text = "2005-03-14 18:30:00\r\n" + std::string(conditions) + "\r\nheading\r\n";
  for (const auto& row : rows) text += row;
  return text;
}

// One character is one unit wide.
inline int TemplateWidth(std::string_view text) { return static_cast<int>(text.size()); }

struct TableRow { std::string station, label; double snr; };

// Everything the selection needs, over a copy of the AirMail fixture and an
// empty program folder.
struct SelectionRig {
  TempFolder folder;
  RecordingMessenger messages;
  AirmailDataFolder data{(folder.path() / "data").string(), messages};
  std::filesystem::path program = folder.path() / "program";
  FakePredictions predictions;
  FakeGeometry geometry{data};
  FixedClock clock;
  FakeWindow window;
  FakeDependents dependents;
  FakeTerminal terminal;
  ModeTables modeTables;
  ReasonColors colors;
  AutoConnectSettings settings;
  FrequencyTable table;

  SelectionRig() { CopyFixtureData(folder.path() / "data"); std::filesystem::create_directories(program); }
  // With the table of the mode's columns.
  explicit SelectionRig(int mode) : SelectionRig() {
    settings.modeIndex = static_cast<std::int16_t>(mode);
    ColumnsBuild(table, mode, settings, TemplateWidth);
  }
  StationRowsServices Rows() { return {predictions, geometry, data, program, colors}; }
  AutoSelect Select(std::string system = "HAM") {
    return AutoSelect(table, settings, settings.modeIndex, std::move(system), {Rows(), window, clock});
  }
  // Rows as a fill writes them: the label in both boxes, checked, and its
  // Pactor 3 mark.
  void Add(const std::vector<TableRow>& rows) {
    for (const auto& r : rows) {
      int row = table.RowAdd();
      table.CellSet(row, kColumnStation, r.station);
      table.CellSet(row, kColumnP3, IsPactor3Label(r.label) ? "P3" : "");
      table.CheckCellSet(row, kColumnRxCheck, r.label, true);
      table.CheckCellSet(row, kColumnTxConnect, r.label, true);
      table.CellSet(row, kColumnSnr, FormatNumber(r.snr, "0.0"));
    }
  }
  TableConfiguration Configuration(ModeTables* tables = nullptr) {
    return TableConfiguration(
        table, settings, {Rows(), clock, window, dependents, terminal, tables ? *tables : modeTables, TemplateWidth});
  }
  // The labels of the Tx Connect column, "!" before each unchecked one.
  std::vector<std::string> TxColumn() const {
    std::vector<std::string> column;
    for (int row = 1; row < table.Rows(); ++row)
      column.push_back((table.CheckGet(row, kColumnTxConnect) ? "" : "!") + table.CellGet(row, kColumnTxConnect));
    return column;
  }
};

}  // namespace velmora::testing
