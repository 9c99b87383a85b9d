#pragma once
// One AutoConnect run: its state, the ports it acts through, and the steps
// the three calling modes share (listening for a free channel, calling,
// following the call and the link). Time is counted in buffers; seconds
// are buffers times the buffer duration read at each use.
//
// Every terminal operation and message box lets window events run, so the
// run may be stopped (or stopped and started again) inside one. After each
// such call a step asks Alive() and abandons its work when the run it
// began in is over.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "airmail/AutomationSeams.h"
#include "autoconnect/AutoConnectLog.h"
#include "autoconnect/ChannelListening.h"
#include "autoconnect/EngineSeams.h"
#include "autoconnect/EngineTable.h"
#include "autoconnect/EngineTerminal.h"
#include "autoconnect/EngineWindow.h"
#include "autoconnect/MainWindowLink.h"
#include "autoconnect/RunClock.h"
#include "autoconnect/RunObserver.h"
#include "autoconnect/RunStatistics.h"
#include "autoconnect/StatusBarText.h"
#include "common/Messages.h"
#include "common/Verdict.h"
#include "selection/ReasonColors.h"

namespace velmora {

struct EnginePorts {
  EngineTerminal& terminal;
  EngineTable& table;
  EngineWindow& window;
  MainWindowLink& main;
  Messenger& messenger;
  RunLog& log;
  RunClock& clock;
};

inline constexpr const char* kConnectListEmpty = "At least one frequency must be selected in Connect List.";
inline constexpr const char* kCheckListEmpty = "At least one frequency must be selected in Check List.";

// A buffer judged free: what a step hands to the step it runs at once.
inline constexpr Verdict kQuietBuffer{true, false, false, false};

// The state of the present run; State 0 after every start.
struct RunState {
  int state = 0;
  std::int32_t bufferCount = 0;  // in the present state or on the present frequency
  std::int32_t busyCount = 0;    // busy events on the present frequency (mode 2)
  bool previousBusy = false;
  int txRow = 0, rxRow = 0, firstRxRow = 0;  // cursors into the table
  CallTarget current;                        // system, station, frequency in the terminal
  bool connected = false;
  double connectStart = 0, runStart = 0;  // on the run clock
  std::int32_t attempts = 0;
  bool began = false;  // a frequency was listened on
  RunStatistics statistics;
};

class EngineRun {
 public:
  EngineRun(EnginePorts ports, EngineSeams seams, const ReasonColors& colours);

  RunState run;

  // The run this step began in is still going.
  bool Alive() const { return (running_ || starting_) && runId_ == stepRunId_; }
  // False (the step ends) when the run is over, or when the operation
  // failed, which stops the run without a beep.
  bool Checked(bool succeeded);
  // A step (or a start) belongs to the run going on when it begins.
  void StepBegin() { stepRunId_ = runId_; }

  bool Running() const { return running_; }
  bool Starting() const { return starting_; }
  bool NoiseCollectionActive() const { return noiseCollection_; }
  // The noise collection this step began in is still going: one stopped
  // and begun anew inside a terminal operation (another table) is not it.
  bool NoiseCollectionAlive() const { return noiseCollection_ && runId_ == stepRunId_; }
  void NoiseCollectionSet(bool active) { noiseCollection_ = active; }
  const AutoConnectSettings& Settings() const { return settings_; }
  int Mode() const { return mode_; }
  // At the start of a run or a noise collection; AirMail's centre tone is read then too.
  void SettingsTake(const AutoConnectSettings& settings);
  void ObserverSet(RunObserver* observer) { observer_ = observer; }
  // What the run hears is told here, and its end; nowhere without one.
  void ListeningSet(ChannelListening* listening) { listening_ = listening; }

  void AutoConnectStart();
  void AutoConnectStop(bool beep, std::string_view text);

  // Time on the present frequency or in the present state.
  double Seconds() const;
  // At least one free buffer: whatever the setting, a buffer judged busy
  // (which empties the count) never ends a wait.
  bool NotBusyLong() const { return run.bufferCount > 0 && Seconds() >= settings_.connectNotBusy; }
  void NotBusyShow();
  void NotBusyClear();
  void AttemptsShow();
  void Status(std::string_view text) {
    engineStatus_ = text;
    status_.UpdateStatusStatus(text);
  }
  // The terminal writes its own texts to the same panel and clears it once
  // it is in front: what the run is doing is shown again, unless the
  // terminal left a failure to tell.
  void StatusRestore();
  StatusBarText& StatusBar() { return status_; }
  void StatusTimesUpdate();
  // The box about an empty list, then the stop.
  void ListEmpty(const char* text, MessageIcon icon);
  // A call that came to no result in a quarter of an hour: told, and the run stopped.
  void CallGivenUp();
  // A Yes/No question with the window in front; true for Yes.
  bool Ask(std::string_view text, std::string_view title = {});

  void Colour(int row, EngineColumn column, std::uint32_t colour) { p_.table.FrequencyCellColor(row, column, colour); }
  void Mark(int row, EngineColumn column, std::uint32_t colour);  // coloured and blinking
  // The cell listened on is white until the channel is judged.
  void Working(int row, EngineColumn column) { Mark(row, column, kColorWhite); }
  // Listening on a row's cell begins: the machine's state, the buffers
  // counted from none, the cell working and the status.
  void ListenBegin(int state, int row, EngineColumn column, std::string_view status) {
    run.state = state;
    run.bufferCount = 0;
    Working(row, column);
    Status(status);
  }
  void BlinkStop() { p_.table.FrequencyCellBlinkStop(); }
  Bgr ReasonColour(ReasonSlot slot) const { return colours_[slot]; }
  std::string Next(int& row, EngineColumn column) { return p_.table.FrequencyListNext(row, column); }
  std::string Cell(int row, EngineColumn column) { return p_.table.CellText(row, column); }
  EngineTerminal& Terminal() { return p_.terminal; }

  // The frequency field then the frequency (modes 1 and 3); or station and
  // frequency together (modes 2 and 6). Both follow with the centre
  // frequency of the row, a count of frequencies tried and a fresh start of
  // the analysis. False when the step must end.
  bool FrequencySet(int row, EngineColumn column);
  bool StationFrequencySet(int row, EngineColumn column);
  // After a change of frequency made some other way (the radio): the
  // row's centre frequency, the count and a fresh start of the analysis.
  void CentreAndReset(int row);
  DetectorValues& Detectors() { return p_.main.Detectors(); }

  // A buffer listened to on the present station and frequency; buffers
  // without sound tell nothing.
  void Heard(Verdict verdict);
  // Listening on the Tx Connect row: any busy or noisy buffer restarts the wait.
  void ListenTx(Verdict verdict);
  // The call on the Tx Connect row, counted once AirMail took it. False
  // when it could not be made (the run is stopped) or the run ended.
  bool Call();
  // The Tx Connect cell shows the call and the result is awaited.
  void CallingBegin();
  // Waiting for the call's result; a failed call with attempts left goes to
  // retry, with none left the run ends with "Did not Connect".
  void Calling(const std::function<void()>& retry, int connectedState);
  // Connected: the SNR feeds the log until AirMail reports the end.
  void Connected(const std::function<void()>& terminalWindowClosed);
  // Result 1 while connected: the status given, then the stop.
  void ConnectedStop(std::string_view status);

 private:
  bool CallResultDue();
  bool StartInTerminal();
  bool StartReference();
  void LogStop();

  EnginePorts p_;
  EngineSeams seams_;
  ReasonColors colours_;
  StatusBarText status_;
  std::string engineStatus_;  // the engine's own last text in panel 2
  AutoConnectSettings settings_;
  int mode_ = kModeMultipleStations;
  bool running_ = false, starting_ = false, noiseCollection_ = false;
  std::uint64_t runId_ = 0, stepRunId_ = 0;
  RunObserver* observer_ = nullptr;
  ChannelListening* listening_ = nullptr;
};

}  // namespace velmora
