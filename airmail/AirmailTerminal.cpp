#include "airmail/AirmailTerminal.h"

#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr const char* kStartQuestion =
    "To set the Radio's Frequency and control the Connection Process, the AirMail program must be running and the "
    "Terminal Window open.\r\rWould you like to start the AirMail program and open the Terminal window?";
constexpr const char* kOpenQuestion =
    "To set the Radio's Frequency and control the Connect Process, the AirMail Terminal Window must be "
    "open.\r\rWould you like to open the Terminal Window?";
constexpr const char* kFrequencyFieldFailure =
    "Unable to select frequency data in AirMail Terminal Window.  Please make sure the Terminal Window is Visible on "
    "the Desktop and not Minimized.";

constexpr const char* kAirmailGoneDuringCall =
    "TerminalConnectCheck, AirMail is no longer running, so the end of the call cannot be known.";

constexpr const char* kAirmailHungDuringCall =
    "TerminalConnectCheck, AirMail has not answered for a minute, so the end of the call cannot be known.";
constexpr const char* kAirmailRestartedDuringCall =
    "TerminalConnectCheck, AirMail was started again, so the end of the call cannot be known.";
// The checks come every 11 buffers of 2048 samples, about 2 seconds apart:
// a minute. A busy AirMail answers again within seconds.
constexpr int kAirmailUnansweredChecks = 30;

constexpr int kConnectAidLinesUp = 100;
// AirMail usually shows its main window within two seconds of its start; a
// slow computer may take many more, and that is no failure.
constexpr double kAirmailStartSeconds = 2;
constexpr double kAirmailStartLongestSeconds = 30;
constexpr double kAirmailStartPollSeconds = 0.5;

// Puts the mouse cursor back where it was, whichever way the caller leaves.
class CursorKeeper {
 public:
  explicit CursorKeeper(AirmailDesktop& desktop) : desktop_(desktop), point_(desktop.CursorGet()) {}
  CursorKeeper(const CursorKeeper&) = delete;
  CursorKeeper& operator=(const CursorKeeper&) = delete;
  ~CursorKeeper() { desktop_.CursorSet(point_); }

 private:
  AirmailDesktop& desktop_;
  ScreenPoint point_;
};

}  // namespace

void AirmailTerminal::Tell(std::string_view text, MessageIcon icon, std::string_view title) {
  s_.ownWindow.WindowActivate();
  s_.messenger.Show(text, icon, title);
}

bool AirmailTerminal::Ask(std::string_view text) {
  s_.ownWindow.WindowActivate();
  return s_.messenger.AskYesNo(text, MessageIcon::Question);
}

bool AirmailTerminal::AirmailStartAgreed() {
  if (!s_.unattended) return Ask(kStartQuestion);
  // A scheduled run asked for AirMail: a question would only hold it up
  // until the box answers itself.
  s_.unattended->Note("TerminalActivate, AirMail is not running: an unattended run starts \"" +
                      s_.settings.airmailDirectoryProgram + "\\Airmail3.exe\" without asking.");
  return true;
}

bool AirmailTerminal::TerminalOpenAgreed() {
  if (!s_.unattended) return Ask(kOpenQuestion);
  // As for starting AirMail: a question would end the run when its box
  // closed itself.
  s_.unattended->Note(
      "TerminalActivate, AirMail's Terminal Window is not open: an unattended run opens it without asking.");
  return true;
}

bool AirmailTerminal::TerminalActivate() {
  Status("Activating Terminal");
  AirmailDesktop& desktop = s_.desktop;
  if (!desktop.AirmailWindowExists()) {
    if (!AirmailStartAgreed()) {
      Status("AirMail Window Error");
      return false;
    }
    std::string reason;
    if (!desktop.AirmailStart(s_.settings.airmailDirectoryProgram, reason)) {
      // Said plainly, with the system's reason and the setting to look at: a
      // wrong program folder would otherwise show only as a missing AirMail
      // window two seconds later.
      Tell("TerminalActivate, Unable to start AirMail \"" + s_.settings.airmailDirectoryProgram +
           "\\Airmail3.exe\".\r" + reason + "\r\rPlease check that the AirMail's Program Folder \"" +
           s_.settings.airmailDirectoryProgram + "\" is correct.");
      Status("AirMail Window Error");
      return false;
    }
    desktop.WaitSeconds(kAirmailStartSeconds);
    for (double waited = kAirmailStartSeconds; !desktop.AirmailWindowExists() && waited < kAirmailStartLongestSeconds;
         waited += kAirmailStartPollSeconds)
      desktop.WaitSeconds(kAirmailStartPollSeconds);
    if (!TerminalOpen()) return false;
  }
  if (!desktop.TerminalWindowExists()) {
    if (!TerminalOpenAgreed()) {
      Status("Terminal Window Error");
      return false;
    }
    if (!TerminalOpen()) return false;
  }
  if (!desktop.TerminalWindowForeground()) {
    Status("Terminal Window Problem");
    return false;
  }
  desktop.EventsRun();
  if (s_.settings.airmailResize) desktop.AirmailWindowArrange();
  Status("");
  return true;
}

bool AirmailTerminal::TerminalOpen() {
  AirmailDesktop& desktop = s_.desktop;
  if (!desktop.AirmailWindowForeground()) {
    Tell("The AirMail Window must be open.", MessageIcon::Exclamation);
    Status("AirMail Window Problem");
    return false;
  }
  bool opened = false;
  for (int i = 1; i <= 5 && !opened; ++i) {
    Status("Opening Terminal Window, " + std::to_string(i) + " Sec");
    desktop.KeysSend("{F6}");  // to AirMail's main window
    opened = desktop.TerminalWindowExists();
    if (!opened) desktop.WaitSeconds(1);
  }
  if (!opened) {
    Status("Terminal Window Problem");
    return false;
  }
  desktop.WaitSeconds(2);
  for (int j = 1; j <= 5; ++j) {
    Status("Checking Terminal Window, " + std::to_string(j) + " Sec");
    if (!desktop.TerminalWindowForeground()) {
      Status("Terminal Window Problem");
      return false;
    }
    Keys("{TAB}");
    auto text = TerminalFieldCopy();
    if (text && !text->empty()) {
      Status("");
      return true;
    }
    desktop.WaitSeconds(1);
  }
  Status("Terminal Window Problem");
  return false;
}

std::optional<std::string> AirmailTerminal::TerminalFieldCopy() {
  if (!s_.desktop.ClipboardClear() || !Keys("^C")) return std::nullopt;
  return s_.desktop.ClipboardCopied();
}

bool AirmailTerminal::TerminalFieldPaste(std::string_view text) {
  // Each step is checked: pasting what the clipboard held before would
  // call on the wrong station or frequency; and the clipboard is not
  // touched again before the paste has read it.
  bool pasted = Keys("{TAB}+{TAB}") && s_.desktop.ClipboardClear() && s_.desktop.ClipboardTextSet(text) &&
                Keys("^V") && s_.desktop.ClipboardTextTaken();
  if (!pasted) Status("Error, Terminal Window");
  return pasted;
}

bool AirmailTerminal::TerminalSelectFrequencyField() {
  if (!TerminalActivate()) return false;
  if (Keys("{TAB}+{TAB}")) {
    for (int i = 0; i < 4; ++i) {
      auto text = TerminalFieldCopy();
      if (text && TerminalFieldIsFrequency(*text)) return true;
      Keys("{TAB}");
    }
    for (int i = 0; i < 4; ++i) {
      auto text = TerminalFieldCopy();
      if (text && TerminalFieldIsSystem(*text)) return Keys("{TAB}{TAB}") || TerminalStepFailed();
      Keys("{TAB}");
    }
  }
  Tell(kFrequencyFieldFailure);
  Status("Error, Terminal Window");
  return false;
}

std::optional<TerminalSelection> AirmailTerminal::TerminalSelectGet() {
  if (!TerminalSelectFrequencyField()) return std::nullopt;
  TerminalSelection selection;
  auto failed = [this] {
    TerminalStepFailed();
    return std::nullopt;
  };
  auto frequency = TerminalFieldCopy();
  if (!frequency || !Keys("+{TAB}")) return failed();
  auto station = TerminalFieldCopy();
  if (!station || !Keys("+{TAB}")) return failed();
  auto system = TerminalFieldCopy();
  if (!system) return failed();
  selection.frequency = *frequency;
  selection.system = *system;
  selection.station = *station;
  if (ToUpper(selection.system) == "SAILMAIL") {
    selection.station = s_.stationNames.StationFromStationName(selection.system, *station);
    if (selection.station.empty()) return std::nullopt;
  }
  if (!Keys("{TAB}{TAB}")) return failed();
  return selection;
}

// TerminalFieldPaste says its own failure; a refused tab says so here.
bool AirmailTerminal::TerminalSelectSet(std::string_view station, std::string_view frequency) {
  return TerminalSelectFrequencyField() && (Keys("+{TAB}") || TerminalStepFailed()) && TerminalFieldPaste(station) &&
         (Keys("{TAB}") || TerminalStepFailed()) && TerminalFieldPaste(frequency);
}

bool AirmailTerminal::TerminalSelectStation(std::string_view station) {
  return TerminalSelectFrequencyField() && (Keys("+{TAB}") || TerminalStepFailed()) && TerminalFieldPaste(station);
}

bool AirmailTerminal::TerminalSelectSystem(std::string_view system) {
  return TerminalSelectFrequencyField() && (Keys("+{TAB}+{TAB}") || TerminalStepFailed()) &&
         TerminalFieldPaste(system);
}

bool AirmailTerminal::TerminalConnect(const CallAbandoned& abandoned) {
  if (s_.settings.terminalConnectCheckFile &&
      !s_.debugLog.TerminalConnectCheckFileInitialize(s_.settings.airmailDirectoryData))
    return false;
  if (!TerminalActivate()) return false;
  if (abandoned && abandoned()) return false;
  // A call key that did not reach AirMail is no call.
  if (!Keys("{F5}")) {
    Status("Terminal Window Problem");
    return false;
  }
  s_.pactorCounts.Clear();
  unansweredChecks_ = 0;
  callAirmail_ = s_.desktop.AirmailInstance();
  linked_ = false;
  return true;
}

int AirmailTerminal::TerminalSelectStatus() {
  if (!TerminalActivate()) return 0;
  s_.desktop.EventsRun();
  auto rect = s_.desktop.TerminalWindowRect();
  auto centre = rect ? MouseAbsoluteCentre(*rect, s_.desktop.ScreenArea()) : std::nullopt;
  if (!centre) {
    Tell("TerminalSelectStatus, Could not Find Terminal Window");
    Status("Error, Terminal Window");
    return 0;
  }
  s_.desktop.MouseClickAbsolute(centre->x, centre->y);
  s_.desktop.EventsRun();
  return 1;
}

TerminalStatus AirmailTerminal::TerminalStatusGet() {
  CursorKeeper cursor(s_.desktop);
  if (TerminalSelectStatus() == 0) return TerminalStatus::Error;
  auto failed = [this] {
    TerminalStepFailed();
    return TerminalStatus::Error;
  };
  if (!Keys("{UP}^{END}{LEFT}{HOME}+{END}")) return failed();
  auto line = TerminalFieldCopy();
  if (line && line->empty()) {
    if (!Keys("{UP}{HOME}+{END}")) return failed();
    line = TerminalFieldCopy();
  }
  if (!line) return failed();
  // Neither line copied (AirMail slow or hung) is no connection: the
  // result is still to come.
  TerminalStatus status = line->empty() ? TerminalStatus::Calling : TerminalLineStatus(*line);
  Keys("^{END}");
  return status;
}

TerminalStatus AirmailTerminal::TerminalConnectCheck(const CallTarget& current) {
  TerminalStatus status = s_.settings.terminalConnectCheckFile
                              ? s_.debugLog.TerminalConnectCheckFile(s_.settings.airmailDirectoryData)
                              : TerminalStatusGet();
  if (auto lost = AirmailLost(status)) return *lost;
  linked_ = linked_ || status == TerminalStatus::Connected;
  if (s_.settings.modeIndex >= 0 && s_.settings.modeIndex <= 2) StationHistoryFeed(status, current);
  return status;
}

std::optional<TerminalStatus> AirmailTerminal::AirmailLost(TerminalStatus status) {
  // The end that neither the log nor the terminal will show while AirMail
  // is gone or hung: the run would wait for it for ever.
  // The idle prompt is waited past too (the call key not yet taken in).
  const bool awaited =
      status == TerminalStatus::Calling || status == TerminalStatus::Connected || status == TerminalStatus::Idle;
  if (!awaited) return std::nullopt;
  AirmailDesktop& desktop = s_.desktop;
  const std::uint64_t airmail = desktop.AirmailInstance();
  if (!desktop.AirmailWindowExists() && !desktop.TerminalWindowExists()) {
    Tell(kAirmailGoneDuringCall);
  } else if (airmail && callAirmail_ && airmail != callAirmail_) {
    // Ended and started again between two checks: the new one shows an
    // idle terminal and logs nothing of the call.
    Tell(kAirmailRestartedDuringCall);
  } else if (desktop.AirmailWindowAnswers()) {
    unansweredChecks_ = 0;
    return std::nullopt;
  } else if (++unansweredChecks_ < kAirmailUnansweredChecks) {
    return std::nullopt;
  } else {
    Tell(kAirmailHungDuringCall);
  }
  unansweredChecks_ = 0;
  Status("AirMail Window Error");
  return TerminalStatus::Error;
}

void AirmailTerminal::StationHistoryFeed(TerminalStatus status, const CallTarget& current) {
  // Only what the call itself came to marks the station: an Error is our
  // own automation failing, and says nothing about the station. A link the
  // operator ended by hand was no failed call: it is judged as any end.
  if (status == TerminalStatus::Canceled && linked_) status = TerminalStatus::Disconnected;
  switch (status) {
    case TerminalStatus::Canceled:
    case TerminalStatus::NoAnswer:
      s_.stationHistory.StationHistorySet(current.system, current.station, current.frequency, -1);
      break;
    case TerminalStatus::Disconnected: {
      PactorCountValues counts = s_.pactorCounts.Get();
      if (s_.settings.stationHistoryDebug)
        Tell(PactorDetectorStatusText(counts), MessageIcon::None, "Airmail Pactor Detector");
      if (PactorCountsShowLink(counts))
        s_.stationHistory.StationHistorySet(current.system, current.station, current.frequency, 1);
      break;
    }
    default: break;
  }
}

void AirmailTerminal::ConnectAidCheck(std::string_view system) {
  // Only a HAM server line can warn: for another system the hundred lines
  // would be read for nothing, holding the program up to a minute.
  if (!s_.settings.lastConnectCheck || ToUpper(system) != "HAM") return;
  CursorKeeper cursor(s_.desktop);
  if (TerminalSelectStatus() == 0) return;
  if (!Keys("{UP}^{END}")) {
    TerminalStepFailed();
    return;
  }
  for (int i = 0; i < kConnectAidLinesUp; ++i) {
    auto line = Keys("{UP}{HOME}+{END}") ? TerminalFieldCopy() : std::nullopt;
    if (!line) {
      TerminalStepFailed();
      return;
    }
    if (ConnectAidLineIsConnection(*line)) return;
    if (ConnectAidLineIsServer(system, *line)) {
      int minutes = ConnectAidMinutes(*line);
      if (minutes < 0 || minutes > s_.settings.lastConnectCheckMinutes)
        Tell(*line, MessageIcon::Information, "ConnectAid - Terminal - Station/Server Warning");
      return;
    }
  }
}

}  // namespace velmora
