// Velmora's entry point: the command line, the single-instance question,
// then the main window and the AutoConnect window; with "/connect" an
// unattended run whose end ends the program.
#include <windows.h>

#include <cstdlib>
#include <optional>

#include "app/CommandLine.h"
#include "app/win32/MainWindow.h"
#include "app/win32/UnattendedConnect.h"
#include "autoconnect/LoggingMessenger.h"
#include "autoconnect/win32/AutoConnectWindow.h"
#include "common/SystemLib.h"
#include "common/win32/MessagePump.h"
#include "common/win32/WindowFind.h"
#include "common/win32/Win32Messenger.h"
#include "reports/win32/AutoConnectOptionsDialog.h"
#include "reports/win32/AutoConnectReports.h"

namespace velmora {
namespace {

constexpr const char* kAnotherSession = "You have started another session of Velmora.\r\rDo you wish to continue?";
// Shortens the boxes' wait of an unattended run for the tests; never set in use.
constexpr const char* kTestWaitVariable = "VELMORA_TEST_MESSAGE_SECONDS";

// Whether this session may start: the exit code when it may not (a refused
// command line, or another session already running), else nothing.
std::optional<int> StartRefused(const CommandLine& line, Messenger& told, LoggingMessenger& unattendedMessages) {
  const int notStarted = static_cast<int>(UnattendedExit::NotStarted);
  if (line.refused) {
    // Most likely a scheduled command with a typo: it must not wait for ever either.
    told.Show(CommandLineRefusedText(*line.refused), MessageIcon::Exclamation);
    return notStarted;
  }
  if (line.connect && MainWindow::AnyInstanceRunning()) {
    // Two sessions would drive one AirMail terminal and one sound card at
    // once: the scheduled run gives way to the one already running, whatever
    // its caption says just now.
    unattendedMessages.Note(std::string(kAnotherSession) +
                            "\r\rNo: an unattended run does not start beside another session.");
    return notStarted;
  }
  if (MainWindow::OtherInstanceRunning()) {
    int answer = ShowMessageBox(nullptr, kAnotherSession, kProgramTitle, MB_YESNO | MB_ICONINFORMATION);
    if (answer != IDYES) return 0;
  }
  return std::nullopt;
}

void OptionsDialogLinksSet(AutoConnectOptionsDialog& autoConnectOptions, AutoConnectWindow& autoConnect,
                           AutoConnectReports& reports) {
  autoConnectOptions.StationInfoLinkSet([&](std::string_view station) { reports.StationInfoShow(station, true); });
  autoConnectOptions.StatusLinkSet([&](std::string_view text) {
    std::string before = autoConnect.Status().Text(1);
    autoConnect.Status().SetText(1, text);
    return before;
  });
  autoConnectOptions.RecallAllowedLinkSet([&] { return autoConnect.Idle(); });
}

int MainWindowCreateFailed(const CommandLine& line, Messenger& told) {
  if (!line.connect) {
    ShowMessageBox(nullptr, "Velmora - Cannot create the main window.", kProgramTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
  told.Show("Velmora - Cannot create the main window.", MessageIcon::Critical);
  return static_cast<int>(UnattendedExit::NotStarted);
}

// Runs the session until the main window ends it; an unattended run's end
// gives the exit code.
int SessionRun(MainWindow& main, AutoConnectWindow& autoConnect, MessagePump& pump,
               LoggingMessenger* unattendedMessages, int showCommand) {
  std::optional<UnattendedConnect> unattended;
  if (unattendedMessages) unattended.emplace(main, autoConnect, *unattendedMessages);
  main.RecallAtStartup();
  // Opened before the main window's first showing, as a window left open
  // at the last exit is: its first activation builds the table before the
  // processing loop starts, so no loop runs inside the boxes it may show.
  if (unattended) unattended->Begin();
  main.Show(showCommand);
  int exitCode = pump.Run();
  return unattended ? unattended->Finish() : exitCode;
}

}  // namespace
}  // namespace velmora

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int showCommand) {
  using namespace velmora;
  PathTextInCodePage();
  SystemErrorBoxesOff();
  const CommandLine line = CommandLineRead(commandLine ? commandLine : "");
  // An unattended run's boxes close themselves, and every message is kept
  // in "Velmora.log" beside the program, for whoever looks later.
  SystemRunClock clock;
  Win32Messenger closingBoxes(nullptr, UnattendedMessageWait(std::getenv(kTestWaitVariable)));
  LoggingMessenger unattendedMessages(closingBoxes, MessageLogPath(ProgramFolder()), clock);
  Messenger& told = unattendedMessages;
  if (auto refused = StartRefused(line, told, unattendedMessages)) return *refused;
  // Messages of an unattended run go to the log; a user's, to boxes.
  LoggingMessenger* unattended = line.connect ? &unattendedMessages : nullptr;
  MessagePump pump;
  AutoConnectWindow autoConnect(pump, unattended, unattended);
  autoConnect.ItsHfProgramsUse(ProgramFolder());
  AutoConnectOptionsDialog autoConnectOptions([&] { return autoConnect.Handle(); }, autoConnect.Settings(),
                                              ProgramFolder(), autoConnect.Messages(), pump,
                                              [&] { autoConnect.OptionsApplied(); });
  autoConnect.OptionsDialogSet(&autoConnectOptions);
  AutoConnectReports reports(autoConnect, ProgramFolder());
  autoConnect.ReportWindowsSet(&reports);
  OptionsDialogLinksSet(autoConnectOptions, autoConnect, reports);
  MainWindow main(ProgramFolder(), pump, autoConnect, unattended);
  if (!main.Create()) return MainWindowCreateFailed(line, told);
  return SessionRun(main, autoConnect, pump, unattended, showCommand);
}
