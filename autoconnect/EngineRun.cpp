#include "autoconnect/EngineRun.h"

#include "analysis/DetectorValues.h"
#include "autoconnect/CenterToneFollow.h"
#include "common/Format.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

// The call's result is read every 11th buffer.
constexpr std::int32_t kResultBuffers = 11;
// AirMail ends each call with a result within minutes. None in this long
// (its debug log written elsewhere, or not at all) would be waited for for
// ever; a link, once connected, may last for hours.
constexpr double kCallResultLongestSeconds = 15 * 60;
constexpr const char* kCallResultMissing =
    "TerminalConnectCheck, AirMail has given no result of the call for 15 minutes, so the call is given up.";
// The analysis judges AutoConnect's frequencies on buffers of this size.
constexpr std::int32_t kRunSampleSize = 2048;

bool TerminalMode(int mode) { return CallingMode(mode) || mode == kModeScanStations; }

}  // namespace

EngineRun::EngineRun(EnginePorts ports, EngineSeams seams, const ReasonColors& colours)
    : p_(ports), seams_(seams), colours_(colours), status_(ports.window) {}

bool EngineRun::Checked(bool succeeded) {
  if (!Alive()) return false;
  if (!succeeded) AutoConnectStop(false, "Stopped");
  return succeeded;
}

void EngineRun::SettingsTake(const AutoConnectSettings& settings) {
  settings_ = settings;
  mode_ = settings.modeIndex;
  // The rows' centre frequency goes by AirMail's decoder as it is now.
  CenterToneFollow(p_.main.Detectors(), settings_.airmailDirectoryData);
}

void EngineRun::AutoConnectStart() {
  if (running_ || starting_) return;
  starting_ = true;
  ++runId_;
  StepBegin();
  p_.window.PointerBusy(true);
  status_.UpdateStatusState("Starting");
  SettingsTake(p_.window.SettingsFromWindow());
  run = RunState{};
  engineStatus_.clear();
  run.current.system = p_.window.CurrentSystem();
  run.current.station = p_.window.CurrentStation();
  if (TerminalMode(mode_) && !StartInTerminal()) return;
  if (mode_ == kModeReferenceStations && !StartReference()) return;
  p_.main.SetSampleSize(kRunSampleSize);
  // The input takes a new size only when it (re)starts, and mode 0 changes
  // no frequency: restarted now, the run hears the size at once.
  if (p_.main.InputRunning()) p_.main.ProcessReset();
  run.runStart = p_.clock.Seconds();
  AttemptsShow();
  status_.ConnectedTimeClear();
  starting_ = false;
  running_ = true;
  p_.window.WindowModeRefresh();
}

bool EngineRun::StartInTerminal() {
  bool selected = p_.terminal.TerminalSelectSystem(run.current.system);
  if (selected && Alive() && (mode_ == kModeCurrentFrequency || mode_ == kModeMultipleFrequencies))
    selected = p_.terminal.TerminalSelectStation(run.current.station);
  if (!Alive()) return false;
  if (!selected) {
    AutoConnectStop(true, "Stopped");
    return false;
  }
  p_.main.Detectors().SetAutoConnectActive(true);
  if (settings_.logFile) p_.log.LogFileStart();
  // Reading the ship's position may wait in a box, inside which the run can end.
  return Alive();
}

bool EngineRun::StartReference() {
  bool radio = settings_.referenceStationSMeter;
  bool ready = radio ? seams_.radio.RadioOpen() : p_.terminal.TerminalSelectSystem(run.current.system);
  if (!Alive()) return false;
  if (!ready) {
    AutoConnectStop(!radio, "Stopped");
    return false;
  }
  seams_.reference.ReferenceRunStart(p_.clock.Utc());
  return true;
}

void EngineRun::AutoConnectStop(bool beep, std::string_view text) {
  bool wasRun = running_ || starting_;
  running_ = starting_ = noiseCollection_ = false;
  ++runId_;
  p_.table.FrequencyCellBlinkStop();
  NotBusyClear();
  DetectorValues& detectors = p_.main.Detectors();
  if (CallingMode(mode_)) {
    detectors.SetAutoConnectActive(false);
    LogStop();
    // Only a run that went as far as calling: the status bar still tells of
    // the last run when a new start fails, or a noise collection stops.
    bool didNotConnect = wasRun && run.began && status_.StatusStatus().find("Did not Connect") != std::string::npos;
    if (settings_.noConnectData && didNotConnect) seams_.noConnect.NoConnectSave();
  } else if (mode_ == kModeReferenceStations) {
    detectors.SetReferenceFax(false);
    detectors.SetReferenceWwv(false);
    if (settings_.referenceStationSMeter) seams_.radio.RadioClose();
  } else if (mode_ == kModeScanStations) {
    detectors.SetAutoConnectActive(false);
    LogStop();
  }
  // What was heard is kept once, at the end, never buffer by buffer.
  if (listening_) listening_->ListeningEnded();
  p_.window.WindowActivate();
  p_.window.WindowModeRefresh();
  CenterFrequencyRestore(detectors);
  seams_.scan.ScanMessageHide();
  p_.window.PointerBusy(false);
  status_.UpdateStatusState(text);
  if (beep) p_.window.Beep();
  // The noise collection is no run: nobody waits for its end.
  if (wasRun && observer_) observer_->RunEnded(text, run.began);
}

void EngineRun::LogStop() {
  if (!settings_.logFile) return;
  run.statistics.attempts = run.attempts;
  p_.log.LogFileStop(run.statistics, status_.StatusStatus(), mode_);
}

double EngineRun::Seconds() const {
  return static_cast<double>(run.bufferCount) * p_.main.Detectors().BufferSeconds();
}

void EngineRun::NotBusyShow() { p_.window.ConnectNotBusyShow(FormatNumber(Seconds(), ".0")); }
void EngineRun::NotBusyClear() { p_.window.ConnectNotBusyShow(""); }
void EngineRun::AttemptsShow() { p_.window.ConnectAttemptsShow(IntegerText(run.attempts)); }

void EngineRun::StatusTimesUpdate() {
  double now = p_.clock.Seconds();
  std::optional<double> connected;
  if (run.connected) connected = now - run.connectStart;
  status_.StatusTimesUpdate(connected, now - run.runStart);
}

void EngineRun::ListEmpty(const char* text, MessageIcon icon) {
  p_.window.WindowActivate();
  p_.messenger.Show(text, icon);
  if (Alive()) AutoConnectStop(false, "Stopped");
}

bool EngineRun::Ask(std::string_view text, std::string_view title) {
  p_.window.WindowActivate();
  return p_.messenger.AskYesNo(text, MessageIcon::Question, title);
}

void EngineRun::Mark(int row, EngineColumn column, std::uint32_t colour) {
  p_.table.FrequencyCellColor(row, column, colour);
  p_.table.FrequencyCellBlink(row, column);
}

bool EngineRun::FrequencySet(int row, EngineColumn column) {
  std::string frequency = Cell(row, column);
  if (!Checked(p_.terminal.TerminalSelectFrequencyField())) return false;
  if (!Checked(p_.terminal.TerminalFieldPaste(frequency))) return false;
  run.current.frequency = frequency;
  CentreAndReset(row);
  StatusRestore();
  return true;
}

bool EngineRun::StationFrequencySet(int row, EngineColumn column) {
  std::string station = Cell(row, EngineColumn::Station);
  std::string frequency = Cell(row, column);
  if (!Checked(p_.terminal.TerminalSelectSet(station, frequency))) return false;
  run.current.station = station;
  run.current.frequency = frequency;
  CentreAndReset(row);
  StatusRestore();
  return true;
}

void EngineRun::StatusRestore() {
  if (Trim(status_.StatusStatus()).empty() && !engineStatus_.empty()) status_.UpdateStatusStatus(engineStatus_);
}

void EngineRun::CentreAndReset(int row) {
  CenterFrequencySet(p_.main.Detectors(), !Trim(Cell(row, EngineColumn::P3)).empty());
  // A scan only listens: its log record counts no frequencies tried.
  if (CallingMode(mode_)) ++run.statistics.frequencies;
  // The last buffer heard belongs to the old frequency.
  run.previousBusy = false;
  p_.main.ProcessReset();
}

void EngineRun::Heard(Verdict verdict) {
  // A recording played or the test signal tells nothing of the channel.
  if (!listening_ || !verdict.valid || !p_.main.InputFromReceiver()) return;
  // Current Frequency listens on whatever AirMail's terminal shows; the row
  // it marks need not be that frequency. Its noise measurement sets each.
  if (mode_ == kModeCurrentFrequency && !noiseCollection_) return;
  listening_->Heard(run.current, p_.main.Detectors().BufferSeconds(), verdict.busy);
}

void EngineRun::ListenTx(Verdict verdict) {
  Heard(verdict);
  if (!verdict.busy && !verdict.noise) {
    ++run.bufferCount;
    NotBusyShow();
    ++run.statistics.notBusyBuffers;
    return;
  }
  if (verdict.busy) {
    ++run.statistics.signalBuffers;
    Colour(run.txRow, EngineColumn::TxConnect, colours_[kReasonBusy]);
  }
  if (verdict.noise) {
    ++run.statistics.noiseBuffers;
    Colour(run.txRow, EngineColumn::TxConnect, colours_[kReasonNoisy]);
  }
  p_.table.FrequencyCellBlink(run.txRow, EngineColumn::TxConnect);
  NotBusyClear();
  run.bufferCount = 0;
}

bool EngineRun::Call() {
  // The terminal asks again after its own window events: a Stop pressed
  // there must not let the call go out.
  if (!Checked(p_.terminal.TerminalConnect([this] { return !Alive(); }))) return false;
  ++run.attempts;
  AttemptsShow();
  return true;
}

void EngineRun::CallingBegin() {
  run.bufferCount = 0;
  run.connectStart = p_.clock.Seconds();
  NotBusyClear();
  Mark(run.txRow, EngineColumn::TxConnect, colours_[kReasonConnecting]);
  Status("Waiting, Connect");
}

bool EngineRun::CallResultDue() { return ++run.bufferCount >= kResultBuffers; }

void EngineRun::Calling(const std::function<void()>& retry, int connectedState) {
  ++run.statistics.connectingBuffers;
  if (!CallResultDue()) return;
  TerminalStatus result = p_.terminal.TerminalConnectCheck(run.current);
  if (!Alive()) return;
  switch (result) {
    case TerminalStatus::Error: AutoConnectStop(true, "Stopped"); return;
    case TerminalStatus::Canceled:
      Status("Stopped, Terminal Window");
      AutoConnectStop(true, "Stopped");
      return;
    case TerminalStatus::Disconnected:
    case TerminalStatus::NoAnswer:
      if (run.attempts < settings_.connectAttempts) {
        retry();
        return;
      }
      Status("Did not Connect");
      AutoConnectStop(true, "Stopped");
      return;
    case TerminalStatus::Calling:
    case TerminalStatus::Idle:
      run.bufferCount = 0;
      if (p_.clock.Seconds() - run.connectStart >= kCallResultLongestSeconds) CallGivenUp();
      return;
    case TerminalStatus::Connected:
      run.state = connectedState;
      run.bufferCount = 0;
      run.connectStart = p_.clock.Seconds();
      run.connected = true;
      Status("Waiting, Disconnect");
      return;
  }
}

void EngineRun::CallGivenUp() {
  p_.window.WindowActivate();
  p_.messenger.Show(kCallResultMissing, MessageIcon::Exclamation);
  if (!Alive()) return;
  Status("Error, No Call Result");
  AutoConnectStop(true, "Stopped");
}

void EngineRun::Connected(const std::function<void()>& terminalWindowClosed) {
  ++run.statistics.connectedBuffers;
  run.statistics.station = run.current.station;
  // A cell no single holds (a recalled table edited by hand) is logged as
  // the figures past the log's reach are: 0.
  const double snrModel = Val(Cell(run.txRow, EngineColumn::Snr));
  run.statistics.snrModel = SingleHolds(snrModel) ? static_cast<float>(snrModel) : 0.0f;
  run.statistics.snr.Add(p_.main.Detectors().PulseValue());
  if (!CallResultDue()) return;
  TerminalStatus result = p_.terminal.TerminalConnectCheck(run.current);
  if (!Alive()) return;
  switch (result) {
    case TerminalStatus::Error: AutoConnectStop(true, "Stopped"); return;
    case TerminalStatus::Canceled: terminalWindowClosed(); return;
    case TerminalStatus::Disconnected:
      Status("Connected");
      AutoConnectStop(true, "Done");
      p_.terminal.ConnectAidCheck(run.current.system);
      StatusRestore();
      return;
    case TerminalStatus::NoAnswer:
      Status("Error, No Answer after Connect");
      AutoConnectStop(true, "Stopped");
      return;
    default: run.bufferCount = 0; return;
  }
}

void EngineRun::ConnectedStop(std::string_view status) {
  Status(status);
  AutoConnectStop(true, "Stopped");
}

}  // namespace velmora
