// The automation against a stand-in AirMail in another process: real
// windows, keys injected with SendInput, the real clipboard, the mouse, and
// the debug log that the stand-in keeps open for writing.
#include <gtest/gtest.h>

#include <cstdio>

#include "airmail/AirmailStationNames.h"
#include "airmail/AirmailTerminal.h"
#include "airmail/win32/AirmailWindows.h"
#include "airmail/win32/WindowActivate.h"
#include "common/win32/MessagePump.h"
#include "common/win32/Win32Messenger.h"
#include "tests/airmail/FakeSeams.h"
#include "tests/airmail/win32/StandInSession.h"

namespace velmora {
namespace {

using testing::StandInSession;

constexpr const char* kOwnCaption = "AutoConnect";

class TerminalEndToEndTest : public ::testing::Test {
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
  void Prepare(const StandInSession::Scenario& scenario) {
    session = std::make_unique<StandInSession>(scenario);
    settings.airmailDirectoryProgram = session->ProgramFolder();
    settings.airmailDirectoryData = session->DataFolder();
  }
  // The stand-in running, with its terminal open from the start or not.
  bool Run(StandInSession::Scenario scenario, bool withTerminal) {
    if (withTerminal) scenario["Terminal"] = "1";
    Prepare(scenario);
    return session->Start(withTerminal);
  }
  // The stand-in writes its record as it handles what it got, a moment
  // after the keys or the paste that caused it.
  bool Recorded(const std::string& line) {
    return testing::PumpUntil([&] { return session->Recorded(line); }, 2);
  }
  // Polls the call's status the way the engine does, until it reads the wanted one.
  std::vector<TerminalStatus> FollowCall(TerminalStatus until, double seconds = 6) {
    std::vector<TerminalStatus> seen;
    testing::PumpUntil(
        [&] {
          TerminalStatus status = terminal.TerminalConnectCheck(target);
          if (seen.empty() || seen.back() != status) seen.push_back(status);
          WaitSeconds(pump, clock, 0.2);
          return status == until;
        },
        seconds);
    return seen;
  }

  HWND own = nullptr;
  MessagePump pump;
  SteadyClock clock;
  Win32Messenger messenger;
  CaptionWindowActivator activator{kOwnCaption, messenger};
  Win32AirmailDesktop desktop{nullptr, pump, clock};
  testing::RecordingStatus status;
  testing::FakePactorCounts counts;
  testing::PrefixStationNames names;
  testing::RecordingHistory history;
  DebugLogMonitor monitor{messenger, activator};
  AutoConnectSettings settings;
  AirmailTerminal terminal{{desktop, messenger, status, activator, counts, names, history, monitor, settings}};
  CallTarget target{"HAM", "W1AW", "14105.0"};
  std::unique_ptr<StandInSession> session;
};

const StandInSession::Scenario kHam = {{"System", "HAM"}, {"Station", "W1AW"}, {"Frequency", "14105.0"}};

StandInSession::Scenario With(StandInSession::Scenario scenario, const StandInSession::Scenario& more) {
  for (const auto& [key, value] : more) scenario[key] = value;
  return scenario;
}

TEST_F(TerminalEndToEndTest, StationAndFrequencyWrittenAndReadBack) {
  ASSERT_TRUE(Run(kHam, true));
  // Characters of the keystroke notation reach the field as they are.
  const std::string station = "K1+^%~{X}(Y)";
  ASSERT_TRUE(terminal.TerminalSelectSet(station, "14110.0"));
  EXPECT_TRUE(Recorded("field station " + station));
  EXPECT_TRUE(Recorded("field frequency 14110.0"));
  auto selection = terminal.TerminalSelectGet();
  ASSERT_TRUE(selection);
  EXPECT_EQ(selection->system, "HAM");
  EXPECT_EQ(selection->station, station);
  EXPECT_EQ(selection->frequency, "14110.0");
  for (const auto& line : session->Record()) EXPECT_NE(line.rfind("field system", 0), 0u) << line;
}

TEST_F(TerminalEndToEndTest, SailmailSystemAndStationName) {
  ASSERT_TRUE(Run(kHam, true));
  ASSERT_TRUE(terminal.TerminalSelectSystem("SAILMAIL"));
  ASSERT_TRUE(terminal.TerminalSelectStation("Friday Harbor, WA"));
  EXPECT_TRUE(Recorded("field system SAILMAIL"));
  EXPECT_TRUE(Recorded("field station Friday Harbor, WA"));
  // The display name is read back as its key from the data folder's station file.
  AirmailDataFolder data(session->DataFolder(), messenger);
  AirmailStationNames stationNames(data);
  AirmailTerminal reading{{desktop, messenger, status, activator, counts, stationNames, history, monitor, settings}};
  auto selection = reading.TerminalSelectGet();
  ASSERT_TRUE(selection);
  EXPECT_EQ(selection->system, "SAILMAIL");
  EXPECT_EQ(selection->station, "WPE");
  EXPECT_EQ(selection->frequency, "14105.0");
}

// Through the debug log the stand-in keeps open, and through the terminal's
// own text: calling, connected, disconnected.
TEST_F(TerminalEndToEndTest, CallFollowedThroughTheDebugLogOrTheTerminalText) {
  for (bool logFile : {true, false}) {
    settings.terminalConnectCheckFile = logFile;
    ASSERT_TRUE(Run(With(kHam, {{"Outcome", "connected"}, {"Seconds", "1"}, {"DisconnectSeconds", "1"}}), true));
    counts.values.pactor2 = 5;
    if (!logFile) {
      EXPECT_EQ(terminal.TerminalStatusGet(), TerminalStatus::Idle);
    }
    ASSERT_TRUE(terminal.TerminalConnect());
    EXPECT_TRUE(Recorded("call HAM W1AW 14105.0"));
    EXPECT_TRUE(Recorded("key F5"));
    auto seen = FollowCall(TerminalStatus::Disconnected);
    EXPECT_EQ(seen, (std::vector<TerminalStatus>{TerminalStatus::Calling, TerminalStatus::Connected,
                                                 TerminalStatus::Disconnected}))
        << logFile;
    EXPECT_TRUE(history.entries.empty()) << "no Pactor heard: no good mark";
    session->End();
  }
}

TEST_F(TerminalEndToEndTest, ConnectAidWarnsOfAStaleServer) {
  const std::string server = "PMBO W1AW last contacted server 40 min ago";
  ASSERT_TRUE(Run(With(kHam, {{"Outcome", "connected"}, {"Seconds", "0.3"}, {"ServerLine", server}}), true));
  ASSERT_TRUE(terminal.TerminalConnect());
  ASSERT_EQ(FollowCall(TerminalStatus::Connected).back(), TerminalStatus::Connected);
  testing::MessageBoxAnswerer answerer(IDOK);
  terminal.ConnectAidCheck("HAM");
  ASSERT_EQ(answerer.Texts().size(), 1u);
  EXPECT_NE(answerer.Texts()[0].find(server), std::string::npos);
  settings.lastConnectCheckMinutes = 45;
  terminal.ConnectAidCheck("HAM");
  EXPECT_EQ(answerer.Texts().size(), 1u);
}

TEST_F(TerminalEndToEndTest, AirmailStartedWhenItsWindowIsMissing) {
  Prepare(kHam);
  testing::MessageBoxAnswerer answerer(IDYES);
  ASSERT_TRUE(terminal.TerminalActivate());
  EXPECT_TRUE(AirmailWindowGet());
  EXPECT_TRUE(TerminalWindowGet());
  EXPECT_TRUE(Recorded("key F6"));
  EXPECT_EQ(status.texts.at(1), "Opening Terminal Window, 1 Sec");
  EXPECT_EQ(status.texts.back(), "");
  ASSERT_EQ(answerer.Texts().size(), 1u);
  EXPECT_NE(answerer.Texts()[0].find("Would you like to start the AirMail program and open the Terminal window?"),
            std::string::npos);
}

}  // namespace
}  // namespace velmora
