// The automation against a stand-in AirMail in another process: real
// windows, keys injected with SendInput, the real clipboard and the mouse.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "airmail/AirmailTerminal.h"
#include "airmail/win32/AirmailWindows.h"
#include "airmail/win32/WindowActivate.h"
#include "common/win32/MessagePump.h"
#include "common/win32/SystemErrorText.h"
#include "common/win32/Win32Messenger.h"
#include "tests/airmail/AirmailStationNames.h"
#include "tests/airmail/FakeSeams.h"
#include "tests/airmail/win32/StandInSession.h"
#include "tests/common/win32/WindowChecks.h"

namespace velmora {
namespace {

using testing::StandInSession;

constexpr const char* kOwnCaption = "AutoConnect";

// Brings the test's own window forward by its fixed caption.
class CaptionWindowActivator final : public OwnWindowActivator {
 public:
  CaptionWindowActivator(std::string caption, Messenger& messenger)
      : caption_(std::move(caption)), messenger_(messenger) {}
  void WindowActivate() override { velmora::WindowActivate(caption_, messenger_); }

 private:
  std::string caption_;
  Messenger& messenger_;
};

class TerminalEndToEndTest : public ::testing::Test, protected testing::TerminalRecords {
 protected:
  void SetUp() override {
    own = CreateWindowExA(0, "STATIC", kOwnCaption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200, nullptr,
                          nullptr, nullptr, nullptr);
    ASSERT_TRUE(own);
    messenger.SetOwner(own);
  }
  void TearDown() override {
    if (session && HasFailure())
      for (const auto& line : session->Record()) std::fprintf(stderr, "stand-in: %s\n", line.c_str());
    if (session) session->End();
    DestroyWindow(own);
    testing::DrainQuit();
  }
  // The stand-in running with its terminal open on HAM's W1AW at 14105.0, unless the scenario says otherwise.
  bool Run(StandInSession::Scenario scenario) {
    scenario.insert({{"System", "HAM"}, {"Station", "W1AW"}, {"Frequency", "14105.0"}, {"Terminal", "1"}});
    session = std::make_unique<StandInSession>(scenario);
    settings.airmailDirectoryProgram = session->ProgramFolder();
    settings.airmailDirectoryData = session->DataFolder();
    return session->Start();
  }

  HWND own = nullptr;
  MessagePump pump;
  SteadyClock clock;
  Win32Messenger messenger;
  CaptionWindowActivator activator{kOwnCaption, messenger};
  Win32AirmailDesktop desktop{nullptr, pump, clock};
  DebugLogMonitor monitor{messenger, activator};

  AutoConnectSettings settings;
  AirmailTerminal terminal{{desktop, messenger, status, activator, counts, names, history, monitor, settings}};
  std::unique_ptr<StandInSession> session;
};

// Bytes in use on the process heap, where the system keeps its own allocations.
size_t ProcessHeapInUse() {
  HANDLE heap = GetProcessHeap();
  size_t used = 0;
  PROCESS_HEAP_ENTRY entry{};
  HeapLock(heap);
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData;
  HeapUnlock(heap);
  return used;
}

// The call followed through the terminal's own text (the debug log is the
// unattended run's case) and ConnectAid reading the lines above it; then the
// fields: characters of the keystroke notation reach them as they are, and a
// SAILMAIL display name is read back as its key from the data folder's
// station file.
TEST_F(TerminalEndToEndTest, CallFollowedAStaleServerWarnedAndFieldsWrittenAndReadBack) {
  const std::string server = "PMBO W1AW last contacted server 40 min ago";
  ASSERT_TRUE(Run({{"Outcome", "connected"}, {"Seconds", "1"}, {"ServerLine", server}}));
  settings.terminalConnectCheckFile = false;
  EXPECT_EQ(terminal.TerminalStatusGet(), TerminalStatus::Idle);
  ASSERT_TRUE(terminal.TerminalConnect());
  EXPECT_TRUE(session->Recorded("call HAM W1AW 14105.0"));
  // Polled the way the engine does (each status line's text: TerminalLineStatusTest).
  EXPECT_TRUE(testing::PumpUntil(
      [&] {
        WaitSeconds(pump, clock, 0.2);
        return terminal.TerminalConnectCheck({"HAM", "W1AW", "14105.0"}) == TerminalStatus::Connected;
      },
      6));
  {
    testing::MessageBoxAnswerer answerer(IDOK);
    terminal.ConnectAidCheck("HAM");
    EXPECT_TRUE(testing::ToldOnce(answerer.Texts(), server));
    settings.lastConnectCheckMinutes = 45;
    terminal.ConnectAidCheck("HAM");
    EXPECT_EQ(answerer.Texts().size(), 1u);
  }

  const std::string station = "K1+^%~{X}(Y)";
  ASSERT_TRUE(terminal.TerminalSelectSet(station, "14110.0"));
  EXPECT_TRUE(session->Recorded("field station " + station));
  EXPECT_TRUE(session->Recorded("field frequency 14110.0"));
  auto selection = terminal.TerminalSelectGet();
  ASSERT_TRUE(selection);
  EXPECT_EQ(selection->system + " " + selection->station + " " + selection->frequency, "HAM " + station + " 14110.0");
  for (const auto& line : session->Record()) EXPECT_NE(line.rfind("field system", 0), 0u) << line;

  ASSERT_TRUE(terminal.TerminalSelectSystem("SAILMAIL"));
  ASSERT_TRUE(terminal.TerminalSelectStation("Friday Harbor, WA"));
  EXPECT_TRUE(session->Recorded("field system SAILMAIL"));
  AirmailDataFolder data(session->DataFolder(), messenger);
  AirmailStationNames stationNames(data);
  AirmailTerminal reading{{desktop, messenger, status, activator, counts, stationNames, history, monitor, settings}};
  selection = reading.TerminalSelectGet();
  ASSERT_TRUE(selection);
  EXPECT_EQ(selection->system + " " + selection->station, "SAILMAIL WPE");

  // Every run reads the fields back through the clipboard; under Wine the
  // text made for CF_TEXT from another program's Unicode text kept a
  // kilobyte per read (16 KB a run in a soak).
  constexpr int kReads = 8;  // three fields each
  const size_t before = ProcessHeapInUse();
  for (int i = 0; i < kReads; ++i) ASSERT_TRUE(reading.TerminalSelectGet());
  EXPECT_LT(static_cast<long long>(ProcessHeapInUse()) - static_cast<long long>(before), kReads * 3 * 1024 / 4);
}

// A terminal left minimised (AirMail's windows not arranged): the click
// that gives it the focus and the keys that read its last line reach it.
TEST_F(TerminalEndToEndTest, AMinimisedTerminalIsRead) {
  ASSERT_TRUE(Run({}));
  settings.terminalConnectCheckFile = false;
  settings.airmailResize = false;
  ShowWindow(TerminalWindowGet(), SW_MINIMIZE);
  ASSERT_TRUE(testing::PumpUntil([] { return IsIconic(TerminalWindowGet()) != FALSE; }, 2));
  testing::MessageBoxAnswerer answerer(IDOK);
  EXPECT_EQ(terminal.TerminalStatusGet(), TerminalStatus::Idle);
  EXPECT_TRUE(terminal.TerminalSelectStation("K1ABC"));
  EXPECT_TRUE(session->Recorded("field station K1ABC"));
}

// AirMail hung on a call, its windows answering no messages: the next step
// gives up with its message within seconds. Arranging AirMail's windows
// waited for their answer for as long as AirMail hung.
TEST_F(TerminalEndToEndTest, AHungAirmailIsGivenUpOnWithinSeconds) {
  ASSERT_TRUE(Run({{"Seconds", "50"}, {"HangSeconds", "55"}}));
  settings.terminalConnectCheckFile = false;
  ASSERT_TRUE(terminal.TerminalSelectGet());  // AirMail's copy leaves it owning the clipboard
  EXPECT_TRUE(desktop.AirmailWindowAnswers());
  ASSERT_TRUE(terminal.TerminalConnect());
  ASSERT_TRUE(session->Recorded("key F5"));
  WaitSeconds(pump, clock, 0.5);
  EXPECT_FALSE(desktop.AirmailWindowAnswers());
  testing::MessageBoxAnswerer answerer(IDOK);
  const double start = clock.Seconds();
  EXPECT_FALSE(terminal.TerminalSelectStation("K1ABC"));
  EXPECT_LT(clock.Seconds() - start, 30);
  EXPECT_TRUE(testing::ToldOnce(answerer.Texts(), "Unable to select frequency data"));
}

// AirMail closed and started again during a call, quicker than the checks
// come: the new one sits idle and logs nothing of the call, which was
// waited for for ever; now the next check ends it, with its message (with
// the terminal's text read as well: AirmailTerminalTest).
TEST_F(TerminalEndToEndTest, AirmailStartedAgainDuringACallEndsTheWait) {
  ASSERT_TRUE(Run({{"Seconds", "50"}}));
  ASSERT_TRUE(terminal.TerminalConnect());
  session->End();
  ASSERT_TRUE(session->Start());
  testing::MessageBoxAnswerer answerer(IDOK);
  EXPECT_EQ(terminal.TerminalConnectCheck({"HAM", "W1AW", "14105.0"}), TerminalStatus::Error);
  EXPECT_TRUE(testing::ToldOnce(answerer.Texts(), "AirMail was started again"));
}

// AirMail missing from its folder: the start said only that it failed; now
// the system's reason comes with it, whichever way AirMail is started. In a
// folder named with an accented letter (as the settings hold it, in the
// code page) it starts either way.
TEST_F(TerminalEndToEndTest, AStartThatFailsGivesTheSystemsReason) {
  const std::string os = std::getenv("OS") ? std::getenv("OS") : "";
  testing::TempFolder empty;
  StandInSession airmail({});
  const std::string accented = airmail.ProgramFolder() + "\\J\xfcrgen";
  std::filesystem::create_directory(accented);
  for (const char* file : {kAirmailProgramFile, "Scenario.ini"})
    std::filesystem::copy_file(std::filesystem::path(airmail.ProgramFolder()) / file,
                               std::filesystem::path(accented) / file);
  for (const char* system : {"Windows_NT", "other"}) {
    _putenv_s("OS", system);
    std::string reason;
    EXPECT_FALSE(desktop.AirmailStart(empty.path().string(), reason)) << system;
    EXPECT_EQ(reason, SystemErrorText(ERROR_FILE_NOT_FOUND)) << system;
    EXPECT_TRUE(desktop.AirmailStart(accented, reason)) << system << ": " << reason;
    EXPECT_TRUE(testing::PumpUntil([] { return AirmailWindowGet() != nullptr; }, 10)) << system;
    airmail.End();
  }
  _putenv_s("OS", os.c_str());
}

}  // namespace
}  // namespace velmora
