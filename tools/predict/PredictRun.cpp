#include "tools/predict/PredictRun.h"

#include <filesystem>
#include <optional>
#include <set>

#include "airmail/MailSystems.h"
#include "airmail/StationFile.h"
#include "common/ProfileFile.h"
#include "common/TextParse.h"
#include "selection/AirmailStationGeometry.h"
#include "selection/Configure.h"
#include "selection/ModelPredictions.h"

namespace velmora {
namespace {

// Messages as readable lines, where the program would show a box; a
// warning or an error (a station not in AirMail's file) fails the run, and
// so does a file that could not be opened or read ("StationOffsetGet -
// Read, ..."), shown in a plain box: the table lacks what it held.
class StreamMessenger final : public Messenger {
 public:
  explicit StreamMessenger(std::ostream& err) : err_(err) {}
  void Show(std::string_view text, MessageIcon icon, std::string_view) override {
    const bool fileFailed = text.find(" - Open, ") != std::string_view::npos ||
                            text.find(" - Read, ") != std::string_view::npos;
    if (icon == MessageIcon::Exclamation || icon == MessageIcon::Critical || fileFailed) ++problems_;
    Line(text);
  }
  int Problems() const { return problems_; }
  bool AskYesNo(std::string_view text, MessageIcon, std::string_view) override {
    Line(text);
    return false;
  }

 private:
  void Line(std::string_view text) {
    std::string readable;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      readable += text[i] == '\r' ? '\n' : text[i];
    }
    err_ << readable << '\n';
  }
  std::ostream& err_;
  int problems_ = 0;
};

// The window, its lists and the dependent windows are not there; the mode
// and system come from the command line.
class CommandLineWindow final : public ConfigureWindow, public DependentWindows, public TerminalReader {
 public:
  CommandLineWindow(int mode, int systemIndex) : mode_(mode), systemIndex_(systemIndex) {}
  void SettingsFromWindow(AutoConnectSettings& settings) override {
    settings.modeIndex = static_cast<std::int16_t>(mode_);
    settings.connectSystemIndex = systemIndex_;
    settings.scanStationSystemIndex = systemIndex_;
  }
  void ListFill(SelectionListId, const SelectionList&) override {}
  void WindowModeRefresh(bool) override {}
  void UpdateStatusState(std::string_view) override {}
  void ToolbarRefresh() override {}
  bool Running() const override { return false; }
  void WindowActivate() override {}
  void UpdateStatusStatus(std::string_view) override {}
  void NoiseSelectionStart() override {}
  void DependentWindowsReset() override {}
  std::optional<TerminalReading> TerminalSelectGet() override { return std::nullopt; }

 private:
  int mode_, systemIndex_;
};

class FixedClock final : public UtcClock {
 public:
  explicit FixedClock(UtcDateTime now) : now_(now) {}
  UtcDateTime Now() override { return now_; }

 private:
  UtcDateTime now_;
};

// Counts the predictions that failed.
class CountedPredictions final : public PredictionSource {
 public:
  explicit CountedPredictions(PredictionSource& inner) : inner_(inner) {}
  std::optional<PredictionNow> PredictionGet(const PredictionRequest& request) override {
    auto prediction = inner_.PredictionGet(request);
    if (!prediction) ++failures;
    return prediction;
  }
  void PredictionsBegin(int stationCount) override { inner_.PredictionsBegin(stationCount); }
  void PredictionsEnd() override { inner_.PredictionsEnd(); }
  void PredictionsAhead(const std::vector<PredictionRequest>& requests) override {
    inner_.PredictionsAhead(requests);
  }
  int failures = 0;

 private:
  PredictionSource& inner_;
};

// Notes the positions that could not be had.
class NotedGeometry final : public StationGeometry {
 public:
  explicit NotedGeometry(StationGeometry& inner) : inner_(inner) {}
  std::optional<LatLon> ShipPosition() override {
    auto ship = inner_.ShipPosition();
    if (!ship) shipMissing = true;
    return ship;
  }
  std::optional<LatLon> StationPosition(std::string_view system, std::string_view station) override {
    auto position = inner_.StationPosition(system, station);
    if (!position) unplaced.emplace(station);
    return position;
  }
  StationBearing Bearing(const LatLon& ship, const LatLon& station) override { return inner_.Bearing(ship, station); }
  bool shipMissing = false;
  std::set<std::string> unplaced;

 private:
  StationGeometry& inner_;
};

std::string Field(std::string_view text) {
  std::string out(Trim(text));
  for (char& c : out)
    if (c == ',') c = ';';
  return out;
}

// "<    6300.0" as "< 6300.0": the blanks only pad the number for the grid's font.
std::string Squeezed(std::string_view text) {
  std::string out;
  for (char c : Trim(text))
    if (c != ' ' || out.empty() || out.back() != ' ') out += c;
  return Field(out);
}

// The reason a row's colours give, its Tx Connect cell's first.
std::string ReasonSlot(const FrequencyTable& table, int row, const ReasonColors& colors) {
  for (int column : {kColumnTxConnect, kColumnRxCheck, kColumnSnr, kColumnStation})
    if (auto slot = colors.ReasonOf(table.CellColor(row, column))) return std::to_string(*slot);
  return {};
}

void CsvWrite(const FrequencyTable& table, const ReasonColors& colors, std::ostream& out) {
  out << kPredictHeading << '\n';
  for (int row = 1; row < table.Rows(); ++row) {
    auto cell = [&](int column) { return Field(table.CellGet(row, column)); };
    auto check = [&](int column) { return table.CheckGet(row, column) ? "1" : "0"; };
    out << cell(kColumnStation) << ',' << cell(kColumnRange) << ',' << cell(kColumnAzimuth) << ','
        << cell(kColumnTxConnect) << ',' << Squeezed(table.CellGet(row, kColumnLufMuf)) << ',' << cell(kColumnLayer)
        << ',' << cell(kColumnTAng) << ',' << cell(kColumnSDbw) << ',' << cell(kColumnNDbw) << ','
        << cell(kColumnSnr) << ',' << cell(kColumnSlope) << ',' << cell(kColumnStnAnt) << ','
        << cell(kColumnHistory) << ',' << check(kColumnRxCheck) << ',' << check(kColumnTxConnect) << ','
        << ReasonSlot(table, row, colors) << '\n';
  }
}

int BadArgument(std::ostream& err, const std::string& problem) {
  err << "velmora-predict: " << problem << '\n' << kPredictUsage;
  return kPredictBadArguments;
}

// Whether the file holds any value of the AutoConnect window's section: a
// file of another kind (AirMail's own) would leave every default in force.
bool HoldsAutoConnectSettings(const ProfileDocument& profile) {
  for (const auto& entry : profile.Entries(kAutoConnectSection))
    if (entry.value && !entry.value->empty()) return true;
  return false;
}

// The settings file asked for, and the model asked for over its own; the
// exit code when there is no such file or it cannot be read.
std::optional<int> SettingsRead(const PredictOptions& options, AutoConnectSettings& settings, std::ostream& err) {
  if (!options.settings.empty()) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(options.settings, error))
      return BadArgument(err, "--settings: no settings file \"" + options.settings + "\"");
    // One that cannot be read is said so: predicting with the defaults instead would pass for its own.
    auto document = ProfileDocument::LoadExisting(options.settings, error);
    if (!document)
      return BadArgument(err, "--settings: cannot read \"" + options.settings + "\": " + ErrorText(error));
    ProfileRecall(*document, settings);
    if (!HoldsAutoConnectSettings(*document))
      err << "velmora-predict: the settings file \"" << options.settings << "\" holds no \"" << kAutoConnectSection
          << "\" values; Velmora's defaults are used\n";
  }
  if (options.model) settings.propagationModelModel = *options.model;
  return std::nullopt;
}

SelectionList AirmailSystems(const std::string& dataFolder) {
  RecordingMessenger quiet;
  SelectionList systems;
  SystemGetList(AirmailDataFolder(dataFolder, quiet), systems, 0);
  return systems;
}

// The last system of that name, whatever its case; -1 for none.
int SystemIndex(const SelectionList& systems, std::string_view system) {
  int systemIndex = -1;
  for (size_t i = 0; i < systems.entries.size(); ++i)
    if (EqualsNoCase(systems.entries[i], system)) systemIndex = static_cast<int>(i);
  return systemIndex;
}

// Velmora keeps its offset and history files beside its settings file.
std::filesystem::path ProgramFolderOf(const PredictOptions& options, const PredictPlatform& platform) {
  return options.settings.empty() ? std::filesystem::path(platform.programFolder)
                                  : std::filesystem::path(options.settings).parent_path();
}

// Says which of the stations asked for had no position; whether any had none.
bool UnplacedReport(const std::vector<std::string>& stations, const std::set<std::string>& unplaced,
                    const std::string& system, std::ostream& err) {
  bool failed = false;
  for (const auto& station : stations)
    if (unplaced.count(station)) {
      err << "velmora-predict: the station " << station << " has no position in \"" << StationFileName(system)
          << "\"\n";
      failed = true;
    }
  return failed;
}

}  // namespace

int PredictRun(const PredictOptions& options, PredictPlatform platform, std::ostream& out, std::ostream& err) {
  AutoConnectSettings settings;
  if (auto refused = SettingsRead(options, settings, err)) return *refused;

  StreamMessenger messages(err);
  AirmailDataFolder data(options.data, messages);
  const SelectionList systems = AirmailSystems(options.data);
  const int systemIndex = SystemIndex(systems, options.system);
  if (systems.entries.empty())
    return BadArgument(err, "--data: no AirMail station file \"System.*.ini\" in \"" + options.data + "\"");
  if (systemIndex < 0)
    return BadArgument(err, "--system: AirMail's data folder has no system \"" + options.system + "\"");

  // The time asked for stands for the clock throughout, the decks' year too.
  const UtcDateTime now = options.time.value_or(UtcNow());
  ModelOutputCache outputs;
  PropagationRunner runner(platform.program, messages,
                           {options.itshfbc.value_or(platform.itshfbcFolder), now.year, platform.waitSeconds,
                            &outputs, nullptr});
  ModelPredictions model(runner, data, settings);
  CountedPredictions predictions(model);
  AirmailStationGeometry airmail(data, options.ship);
  NotedGeometry geometry(airmail);
  FixedClock clock(now);
  CommandLineWindow window(options.mode, systemIndex);
  ModeTables noModeTables;
  ReasonColors colors;
  FrequencyTable table;
  std::filesystem::path programFolder = ProgramFolderOf(options, platform);
  StationRowsServices rows{predictions, geometry, data, programFolder, colors};
  TableConfiguration configuration(table, settings,
                                   {rows, clock, window, window, window, noModeTables,
                                    [](std::string_view text) { return static_cast<int>(text.size()); }});
  configuration.StationsChoose(options.stations);
  configuration.Configure();
  CsvWrite(table, colors, out);

  const bool unplaced = UnplacedReport(options.stations, geometry.unplaced,
                                       systems.entries[static_cast<size_t>(systemIndex)], err);
  const bool failed = predictions.failures > 0 || geometry.shipMissing || unplaced || messages.Problems() > 0;
  return failed ? kPredictFailed : kPredictDone;
}

}  // namespace velmora
