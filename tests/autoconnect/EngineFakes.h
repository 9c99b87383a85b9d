#pragma once
// Stand-ins for everything the engine acts through: a table of rows, a
// terminal that follows a script and writes down each operation, the
// window's panels and labels, the main window's detector values, a clock
// and a log that keeps what it was handed.
#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "autoconnect/ActivityMachines.h"
#include "autoconnect/AutoConnectEngine.h"
#include "common/Format.h"

namespace velmora::testing {

// Cells in the order of EngineColumn: Rx Check, Tx Connect, Station, Snr, P3,
// Frequency, Rx Pwr, Rx Snr, Ref, Noise. The Frequency column's boxes are
// those of Rx Check, whose place it takes in the reference modes.
struct TableRow { std::string cells[10]; bool rxChecked, txChecked; };

class FakeTable final : public EngineTable {
 public:
  std::string FrequencyListNext(int& row, EngineColumn column) override {
    for (++row; row <= static_cast<int>(rows.size()); ++row)
      if (column == EngineColumn::TxConnect ? rows[row - 1].txChecked : rows[row - 1].rxChecked)
        return CellText(row, column);
    return {};
  }
  void FrequencyCellColor(int row, EngineColumn column, std::uint32_t colour) override {
    colours[{row, column}] = colour;
  }
  void FrequencyCellBlink(int row, EngineColumn column) override { blinking = {row, column}; }
  void FrequencyCellBlinkStop() override { blinking = {0, EngineColumn::Station}; }
  std::string CellText(int row, EngineColumn column) override {
    bool inside = row >= 1 && row <= static_cast<int>(rows.size());
    return inside ? rows[row - 1].cells[static_cast<int>(column)] : std::string();
  }
  void CellSet(int row, EngineColumn column, std::string_view text) override {
    rows.at(row - 1).cells[static_cast<int>(column)] = text;
  }
  int DataRows() override { return static_cast<int>(rows.size()); }

  std::vector<TableRow> rows;
  std::map<std::pair<int, EngineColumn>, std::uint32_t> colours;
  std::pair<int, EngineColumn> blinking{0, EngineColumn::Station};
};

// Each operation is written down as a short token: A activate, S: system,
// N: station, F frequency field, P: paste, T: station/frequency, C call,
// ? result read, aid the ConnectAid check.
class ScriptedTerminal final : public EngineTerminal {
 public:
  bool TerminalActivate() override { return Op("A"); }
  bool TerminalSelectSystem(std::string_view system) override { return Op("S:" + std::string(system)); }
  bool TerminalSelectStation(std::string_view station) override { return Op("N:" + std::string(station)); }
  bool TerminalSelectFrequencyField() override { return Op("F"); }
  bool TerminalFieldPaste(std::string_view text) override { return Op("P:" + std::string(text)); }
  bool TerminalSelectSet(std::string_view station, std::string_view frequency) override {
    return Op("T:" + std::string(station) + "/" + std::string(frequency));
  }
  bool TerminalConnect(const CallAbandoned& abandoned) override {
    bool made = Op("C");
    // As AirMail's terminal does: asked after its window events, before the call key.
    if (abandoned && abandoned()) {
      calls.back() = "C abandoned";
      return false;
    }
    return made;
  }
  TerminalStatus TerminalConnectCheck(const CallTarget& current) override {
    Op("?");
    targets.push_back(current);
    if (results.empty()) return TerminalStatus::Calling;
    TerminalStatus next = results.front();
    results.pop_front();
    return next;
  }
  void ConnectAidCheck(std::string_view) override { Op("aid"); }

  std::string Calls() const {
    std::string out;
    for (const auto& c : calls) out += (out.empty() ? "" : " ") + c;
    return out;
  }

  std::vector<std::string> calls;
  std::vector<CallTarget> targets;
  std::deque<TerminalStatus> results;
  std::set<std::string> failing;                     // tokens (or their letter) that fail
  std::function<void(const std::string&)> inside;  // runs within an operation, as window events would

 private:
  bool Op(const std::string& token) {
    calls.push_back(token);
    if (inside) inside(token);
    return !failing.count(token) && !failing.count(token.substr(0, 1));
  }
};

class FakeWindow final : public EngineWindow {
 public:
  const AutoConnectSettings& SettingsFromWindow() override { return settings; }
  std::string CurrentSystem() override { return system; }
  std::string CurrentStation() override { return "W1AW"; }
  std::string PanelText(int panel) override { return panels[panel]; }
  void PanelSet(int panel, std::string_view text) override { panels[panel] = std::string(text); }
  void ConnectNotBusyShow(std::string_view text) override { notBusy = text; }
  void ConnectAttemptsShow(std::string_view text) override { attempts = text; }
  void WindowModeRefresh() override {}
  void WindowActivate() override {}
  void Beep() override { ++beeps; }
  void PointerBusy(bool busy) override { hourglass = busy; }

  AutoConnectSettings settings;
  std::string system = "HAM";
  std::string panels[5], notBusy, attempts;
  int beeps = 0;
  bool hourglass = false;
};

class FakeDetectors final : public DetectorValues, public MainWindowLink {
 public:
  float BufferSeconds() const override { return bufferSeconds; }
  float BufferLevel() const override { return level; }
  float PulseValue() const override { return pulse; }
  float FaxLevel() const override { return faxLevel; }
  float FaxSnr() const override { return snr; }
  bool FaxDetected() const override { return snrDetected; }
  float WwvValue() const override { return snr; }
  bool WwvDetected() const override { return snrDetected; }
  std::int32_t Pactor2Count() const override { return 0; }
  std::int32_t Pactor3Count(int) const override { return 0; }
  void PactorCountsReset() override {}
  bool AutoConnectActive() const override { return autoConnectActive; }
  void SetAutoConnectActive(bool active) override { autoConnectActive = active; }
  bool ReferenceFax() const override { return fax; }
  void SetReferenceFax(bool on) override { fax = on; }
  bool ReferenceWwv() const override { return wwv; }
  void SetReferenceWwv(bool on) override { wwv = on; }
  float CenterFrequency() const override { return centre; }
  void SetCenterFrequency(float hz) override { centre = hz; }
  bool CenterFrequencyAuto() const override { return true; }
  float CenterFrequencyAutoFrequency() const override { return centreAuto; }
  void SetCenterFrequencyAutoFrequency(float hz) override { centreAuto = hz; }

  DetectorValues& Detectors() override { return *this; }
  void ProcessReset() override { ++resets; }
  bool InputRunning() const override { return inputRunning; }
  bool InputFromReceiver() const override { return fromReceiver; }
  std::int32_t SampleSize() const override { return sampleSize; }
  void SetSampleSize(std::int32_t samples) override { sampleSize = samples; }
  std::filesystem::path ProfileFile() const override { return {}; }
  bool ProfileSaveAllowed() const override { return true; }
  std::filesystem::path ProgramFolder() const override { return {}; }
  void HelpShow(HelpTopic) override {}
  void WindowPlace(int, int, int, int) override {}
  void WindowPlaceRestore() override {}

  float bufferSeconds = 0.5f, pulse = 0, centre = 1000, centreAuto = 1700;
  float level = 0, faxLevel = 0, snr = 0;  // the present buffer's, as the detectors left them
  bool snrDetected = false;
  bool autoConnectActive = false, fax = false, wwv = false, inputRunning = true, fromReceiver = true;
  int resets = 0;
  std::int32_t sampleSize = 4096;
};

class FakeClock final : public RunClock {
 public:
  UtcDateTime Utc() override { return {2024, 3, 9, 7, 5, 4, 0}; }
  double seconds = 3600;  // the steady clock's reading
  double Seconds() override { return seconds; }
};

class KeptLog final : public RunLog {
 public:
  void LogFileStart() override { ++starts; }
  void LogFileStop(const RunStatistics& statistics, std::string_view, int) override { stops.push_back(statistics); }
  int starts = 0;
  std::vector<RunStatistics> stops;
};

// The radio's link and tuning: each tuning written down, S-meter readings
// handed out from a script (none left: no reading).
class ScriptedRadio final : public RadioLink, public RadioPort {
 public:
  bool RadioOpen() override { return true; }
  void RadioClose() override {}
  bool Tune(std::string_view label) override { tuned.emplace_back(label); return tunes; }
  int SMeter() override {
    if (readings.empty()) return kNoSMeterReading;
    int next = readings.front();
    readings.pop_front();
    return next;
  }
  std::vector<std::string> tuned;
  std::deque<int> readings;
  bool tunes = true;
};

// The scan's box, the reference data, the noise selection and the labels.
class KeptActivities final : public ScanMessageBox,
                             public ReferenceSink,
                             public NoiseSelection,
                             public ActivityLabels,
                             public NoConnectData {
 public:
  void SetMode(ScanBoxMode mode) override { box = mode; }
  ScanBoxMode GetMode() override { return box; }
  void ReferenceCollectionTime(const UtcDateTime& time) override { start = time; }
  void ReferenceMeasured() override { ++measured; }
  void ReferenceMissed() override { ++missed; }
  void NoiseSelectRows(int mode, int top) override { selections.push_back({mode, top}); }
  void ScanNotBusyShow(std::string_view) override {}
  void NoiseIntervalShow(std::string_view) override {}
  void ReferenceAverageShow(std::string_view) override {}
  void NoConnectSave() override { ++noConnectSaves; }

  ScanBoxMode box = ScanBoxMode::Hidden;
  std::optional<UtcDateTime> start;
  int measured = 0, missed = 0;
  std::vector<std::pair<int, int>> selections;
  int noConnectSaves = 0;
};

// What the listening steps told, per system, station and frequency in the
// order first heard: buffers heard and buffers busy; and the ends of runs.
class KeptListening final : public ChannelListening {
 public:
  void Heard(const CallTarget& where, double seconds, bool busy) override {
    std::string key = where.system + "/" + where.station + "/" + where.frequency;
    auto found = std::find_if(heard.begin(), heard.end(), [&](const auto& h) { return h.first == key; });
    if (found == heard.end()) found = heard.insert(heard.end(), {key, {0, 0}});
    found->second.first += seconds;
    if (busy) found->second.second += seconds;
  }
  void ListeningEnded() override { ++ends; }
  // "HAM/W1AW/7102.0 7/1": seconds heard and busy, one frequency after another.
  std::string Told() const {
    std::string out;
    for (const auto& [key, seconds] : heard)
      out += (out.empty() ? "" : ", ") + key + " " + FormatNumber(seconds.first, "0.0") + "/" +
             FormatNumber(seconds.second, "0.0");
    return out;
  }
  std::vector<std::pair<std::string, std::pair<double, double>>> heard;
  int ends = 0;
};

}  // namespace velmora::testing
