#pragma once
// Driving AirMail's terminal: making sure AirMail and its terminal are up
// and in front, putting a system, station and frequency into the terminal's
// fields, making the call, and telling how the call stands.
#include <optional>
#include <string>
#include <string_view>

#include "airmail/AirmailDesktop.h"
#include "airmail/AutoConnectSettings.h"
#include "airmail/AutomationSeams.h"
#include "airmail/DebugLogMonitor.h"
#include "airmail/TerminalStatus.h"
#include "common/Messages.h"

namespace velmora {

struct TerminalSelection {
  std::string system;
  std::string station;  // the station key, also for SAILMAIL
  std::string frequency;
};

struct AirmailTerminalSeams {
  AirmailDesktop& desktop;
  Messenger& messenger;
  StatusPanel& status;
  OwnWindowActivator& ownWindow;
  PactorCounts& pactorCounts;
  StationNames& stationNames;
  StationHistory& stationHistory;
  DebugLogMonitor& debugLog;
  const AutoConnectSettings& settings;
  // Given for a run nobody watches: AirMail is started, and its terminal
  // opened, without asking, and that is noted here.
  MessageNote* unattended = nullptr;
};

class AirmailTerminal {
 public:
  explicit AirmailTerminal(AirmailTerminalSeams seams) : s_(seams) {}

  // AirMail and its terminal are running and the terminal is in front;
  // asks to start AirMail or to open the terminal when they are missing
  // (an unattended run starts AirMail or opens the terminal at once).
  bool TerminalActivate();
  // Opens the terminal from AirMail's main window and waits until its
  // fields answer.
  bool TerminalOpen();

  // The focused field's text; nullopt when the copy could not be made.
  std::optional<std::string> TerminalFieldCopy();
  // Replaces the focused field's text. The text goes through the clipboard
  // only, so characters of the keystroke notation in it stay plain text.
  bool TerminalFieldPaste(std::string_view text);
  bool TerminalSelectFrequencyField();

  std::optional<TerminalSelection> TerminalSelectGet();
  bool TerminalSelectSet(std::string_view station, std::string_view frequency);
  bool TerminalSelectStation(std::string_view station);
  bool TerminalSelectSystem(std::string_view system);

  // Makes the call on what the terminal shows and empties the Pactor counts;
  // false, and no call, when `abandoned` says the caller gave up.
  bool TerminalConnect(const CallAbandoned& abandoned = {});
  TerminalStatus TerminalStatusGet();
  // The call's status, from the debug log or the terminal's text, fed into
  // the station history of the station being called.
  TerminalStatus TerminalConnectCheck(const CallTarget& current);
  // A click into the terminal's text area; 1 on success, 0 on failure.
  int TerminalSelectStatus();
  // After a connection: warns when a HAM server was last reached too long ago.
  void ConnectAidCheck(std::string_view system);

 private:
  // Keys for the terminal go out only while it is in front: whatever is in
  // front instead (our own window, a box, another program) would get them,
  // and a paste meant for the terminal.
  bool Keys(std::string_view script) { return s_.desktop.TerminalWindowInFront() && s_.desktop.KeysSend(script); }
  // A key or clipboard step into the terminal was refused: the run ends, and
  // the status panel says why (TerminalActivate cleared it).
  bool TerminalStepFailed() {
    Status("Error, Terminal Window");
    return false;
  }
  void Status(std::string_view text) { s_.status.StatusSet(text); }
  void Tell(std::string_view text, MessageIcon icon = MessageIcon::None, std::string_view title = {});
  bool Ask(std::string_view text);
  // Whether AirMail is to be started: asked, or noted for an unattended run.
  bool AirmailStartAgreed();
  // Whether the closed terminal is to be opened, the same way.
  bool TerminalOpenAgreed();
  void StationHistoryFeed(TerminalStatus status, const CallTarget& current);
  // The call's end cannot come: AirMail has gone, or has not answered for
  // too many checks in a row. Told, and an Error.
  std::optional<TerminalStatus> AirmailLost(TerminalStatus status);

  AirmailTerminalSeams s_;
  int unansweredChecks_ = 0;
  std::uint64_t callAirmail_ = 0;  // the AirMail told to call
  bool linked_ = false;  // a check of the present call found it connected
};

}  // namespace velmora
