// The terminal operations' decisions, over a scripted desktop: questions,
// status texts, messages, the station history and the ConnectAid warning;
// what the terminal's lines say; and the keystroke scripts it
// types, turned into exact key records.
#include "airmail/AirmailTerminal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

#include "airmail/KeyScript.h"
#include "airmail/TerminalText.h"
#include "tests/airmail/FakeSeams.h"
#include "tests/airmail/UsKeyLayout.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

class ScriptedDesktop final : public AirmailDesktop {
 public:
  bool AirmailWindowExists() override { return airmail || (startedAt && waited - *startedAt >= airmailUpAfter); }
  bool TerminalWindowExists() override { return terminal; }
  bool AirmailWindowAnswers() override { return answers; }
  std::uint64_t AirmailInstance() override { return AirmailWindowExists() ? instance : 0; }
  bool AirmailWindowForeground() override { return AirmailWindowExists() && airmailForeground; }
  bool TerminalWindowForeground() override { return terminal; }
  bool TerminalWindowInFront() override {
    bool front = terminal && (frontLostAt < 0 || static_cast<int>(keys.size()) < frontLostAt);
    keyRefused = keyRefused || !front;
    return front;
  }
  void AirmailWindowArrange() override {}
  std::optional<ScreenRect> TerminalWindowRect() override { return terminalRect; }
  bool AirmailStart(const std::string& folder, std::string& errorText) override {
    started.push_back(folder);
    if (airmailUpAfter >= 0) return (startedAt = waited).has_value();
    errorText = "The system cannot find the file specified.";
    return false;

  }

  bool KeysSend(std::string_view script) override {
    keys.emplace_back(script);
    bool refused = static_cast<int>(keys.size()) - 1 == refuseKeysAt;
    keyRefused = keyRefused || refused;
    return keysInjected && !refused;
  }
  bool ClipboardClear() override { return clipboardWorks; }
  bool ClipboardTextSet(std::string_view) override { return clipboardWorks; }
  bool ClipboardTextTaken() override { return pasteTaken; }
  std::optional<std::string> ClipboardCopied() override {
    if (copies.empty()) return std::string();
    std::string next = copies.front();
    copies.pop_front();
    return next;
  }
  ScreenPoint CursorGet() override { return cursor; }
  void CursorSet(ScreenPoint point) override { cursor = point; }
  ScreenRect ScreenArea() override { return screen; }
  void MouseClickAbsolute(std::int32_t x, std::int32_t y) override {
    cursor = {-1, -1};
    clicked = {x, y};
  }
  void EventsRun() override { if (events) events(); }
  void WaitSeconds(double seconds) override { waited += seconds; }

  bool airmail = true, terminal = true, airmailForeground = true, keysInjected = true, clipboardWorks = true,
       pasteTaken = true, answers = true;
  std::uint64_t instance = 1;  // another number: AirMail was started again
  int refuseKeysAt = -1;  // the n-th key script (from 0) is refused
  int frontLostAt = -1;   // another window is in front from the n-th key script on
  double airmailUpAfter = -1;  // a start works, AirMail's window is up that many seconds later
  std::optional<double> startedAt;
  std::function<void()> events;  // what window events do while they run
  bool keyRefused = false;
  std::deque<std::string> copies;
  std::vector<std::string> keys, started;
  ScreenPoint cursor{5, 7};
  ScreenRect terminalRect{100, 100, 600, 400}, screen{0, 0, 1280, 900};
  std::optional<ScreenPoint> clicked;
  double waited = 0;
};

class AirmailTerminalTest : public ::testing::Test, protected testing::TerminalRecords {
 protected:
  AirmailTerminalTest() {
    settings.airmailDirectoryData = data.path().string();
    settings.airmailDirectoryProgram = "C:\\AirMail";
  }
  void LogCreate(std::string_view text = "") {
    std::filesystem::create_directories(data.path() / "Logfiles");
    std::ofstream(data.path() / "Logfiles" / "Debug.log", std::ios::binary | std::ios::app) << text;
  }
  std::string Shown() const { return messenger.entries.empty() ? "" : messenger.entries.back().text; }

  const CallTarget target{"HAM", "W1AW", "14105.0"};
  testing::TempFolder data;
  ScriptedDesktop desktop;
  RecordingMessenger messenger{false};
  testing::CountingActivator activator;
  DebugLogMonitor monitor{messenger, activator};

  AutoConnectSettings settings;
  AirmailTerminal terminal{{desktop, messenger, status, activator, counts, names, history, monitor, settings}};
};

// Each way AirMail or its terminal fails to come up: the status it leaves,
// the last message or question it showed (a part of it), the seconds
// waited. AirMail not running is started on a yes; an unattended run's
// start without asking is UnattendedRunTest's, through the program.
TEST_F(AirmailTerminalTest, ActivationFailuresSayWhatFailed) {
  // Open: TerminalOpen alone, else TerminalActivate; yes: the answer to a question.
  struct Case { const char* name; void (*arrange)(ScriptedDesktop&); bool open; const char *status, *message;
                double waited; bool yes = false; };
  const Case cases[] = {
      {"declined to start AirMail", [](ScriptedDesktop& d) { d.airmail = false; }, false, "AirMail Window Error",
       "the AirMail program must be running and the Terminal Window open.", 0},
      {"AirMail started on a yes, in vain", [](ScriptedDesktop& d) { d.airmail = false; }, false,
       "AirMail Window Error", "TerminalActivate, Unable to start AirMail \"C:\\AirMail\\Airmail3.exe\".\rThe system cannot find the file "
       "specified.\r\rPlease check that the AirMail's Program Folder \"C:\\AirMail\" is correct.", 0, true},
      {"declined to open the terminal", [](ScriptedDesktop& d) { d.terminal = false; }, false,
       "Terminal Window Error", "the AirMail Terminal Window must be open.", 0},
      {"main window not in front", [](ScriptedDesktop& d) { d.airmailForeground = false; }, true,
       "AirMail Window Problem", "The AirMail Window must be open.", 0},
      {"terminal never opens", [](ScriptedDesktop& d) { d.terminal = false; }, true, "Terminal Window Problem", "", 5},
      {"terminal fields stay empty", [](ScriptedDesktop&) {}, true, "Terminal Window Problem", "", 2 + 5},
  };
  for (const auto& c : cases) {
    desktop = ScriptedDesktop{};
    messenger = RecordingMessenger(c.yes);
    c.arrange(desktop);
    EXPECT_FALSE(c.open ? terminal.TerminalOpen() : terminal.TerminalActivate()) << c.name;
    EXPECT_EQ(status.texts.back(), c.status) << c.name;
    EXPECT_TRUE(*c.message ? Shown().find(c.message) != std::string::npos : Shown().empty()) << c.name;
    EXPECT_EQ(desktop.waited, c.waited) << c.name;
    EXPECT_EQ(desktop.started, std::vector<std::string>(c.yes, "C:\\AirMail")) << c.name;
  }
  EXPECT_EQ(desktop.keys.size(), 1u + 5 * 2) << "F6, then a tab and a copy each second";
}

// A slow computer shows AirMail's main window some seconds after the start.
TEST_F(AirmailTerminalTest, AirmailSlowToComeUpIsWaitedFor) {
  messenger = RecordingMessenger(true);
  for (double upAfter : {1.0, 12.0, 1000.0}) {
    desktop = ScriptedDesktop{};
    desktop.airmail = false;
    desktop.airmailUpAfter = upAfter;
    desktop.copies = {"HAM"};
    EXPECT_EQ(terminal.TerminalActivate(), upAfter < 1000) << upAfter;
  }
  EXPECT_EQ(Shown(), "The AirMail Window must be open.");
  EXPECT_EQ(desktop.waited, 30);
}

// A run nobody watches opens a closed terminal without asking, as it
// starts AirMail: a question would end the run when its box closed itself.
TEST_F(AirmailTerminalTest, AnUnattendedRunOpensTheTerminalWithoutAsking) {
  struct Notes final : MessageNote {
    void Note(std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
  } notes;
  AirmailTerminal unattended{
      {desktop, messenger, status, activator, counts, names, history, monitor, settings, &notes}};
  desktop.terminal = false;
  EXPECT_FALSE(unattended.TerminalActivate());
  EXPECT_EQ(status.texts.back(), "Terminal Window Problem") << "the opening was tried";
  EXPECT_TRUE(messenger.entries.empty());
  ASSERT_EQ(notes.texts.size(), 1u);
  EXPECT_NE(notes.texts[0].find("an unattended run opens it without asking"), std::string::npos) << notes.texts[0];
}

// Found, the field and a known name read back as its key are
// TerminalEndToEndTest's, on real windows.
TEST_F(AirmailTerminalTest, FrequencyFieldNotFoundAndAnUnknownSailmailNameAreNoSelection) {
  desktop.copies = {"W1AW", "", "x", "y", "a", "b", "c", "d"};
  EXPECT_FALSE(terminal.TerminalSelectFrequencyField());
  EXPECT_EQ(Shown().rfind("Unable to select frequency data in AirMail Terminal Window.", 0), 0u) << Shown();
  EXPECT_EQ(status.texts.back(), "Error, Terminal Window");
  desktop.copies = {"14105.0", "14105.0", "Unknown Station", "SailMail"};
  EXPECT_FALSE(terminal.TerminalSelectGet());
}

// Pasting what the clipboard held before would call the wrong station.
TEST_F(AirmailTerminalTest, APasteStopsAtTheFirstRefusedStep) {
  desktop.clipboardWorks = false;
  EXPECT_FALSE(terminal.TerminalFieldPaste("14110.0"));
  EXPECT_EQ(desktop.keys, std::vector<std::string>{"{TAB}+{TAB}"});  // no "^V"
  desktop = ScriptedDesktop{};
  desktop.pasteTaken = false;
  EXPECT_FALSE(terminal.TerminalFieldPaste("14110.0"));
  EXPECT_EQ(desktop.keys.back(), "^V");
  EXPECT_EQ(status.texts.back(), "Error, Terminal Window");
}

TEST_F(AirmailTerminalTest, NoCallWithoutTheLogOrTheKeyOrWhenTheCallerGaveUp) {
  EXPECT_FALSE(terminal.TerminalConnect());
  EXPECT_TRUE(desktop.keys.empty());
  LogCreate();
  counts.values.pactor2 = 3;
  desktop.keysInjected = false;
  EXPECT_FALSE(terminal.TerminalConnect());
  EXPECT_EQ(desktop.keys, std::vector<std::string>{"{F5}"});
  EXPECT_EQ(counts.clears, 0);
  EXPECT_EQ(status.texts.back(), "Terminal Window Problem");
  desktop.keysInjected = true;
  EXPECT_TRUE(terminal.TerminalConnect());
  EXPECT_EQ(counts.clears, 1);
  // A Stop pressed while the terminal was brought to the front: no call key.
  bool stopped = false;
  desktop.events = [&] { stopped = true; };
  EXPECT_FALSE(terminal.TerminalConnect([&] { return stopped; }));
  EXPECT_EQ(std::count(desktop.keys.begin(), desktop.keys.end(), "{F5}"), 2);
  EXPECT_EQ(counts.clears, 1);
}

TEST_F(AirmailTerminalTest, StationHistoryFromTheCallsResult) {
  LogCreate();
  ASSERT_TRUE(terminal.TerminalConnect());
  EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Calling);
  LogCreate("No answer from W1AW\r\n");
  EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::NoAnswer);
  // A link the detectors did not hear gives no good mark.
  ASSERT_TRUE(terminal.TerminalConnect());
  counts.values.pactor3 = {50, 50, 10, 10, 10, 10};
  LogCreate("Connected to W1AW\r\nDisconnected from W1AW\r\n");
  EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Disconnected);
  EXPECT_EQ(history.entries, std::vector<std::string>{"HAM W1AW 14105.0 -1"});

  counts.values.pactor3[3] = 11;
  EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Disconnected);
  EXPECT_EQ(history.entries.back(), "HAM W1AW 14105.0 1");
  settings.modeIndex = 3;  // reference stations keep no history
  EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Disconnected);
  settings.modeIndex = 2;
  // A link the operator ended by hand was once marked as a failed call.
  ASSERT_TRUE(terminal.TerminalConnect());
  counts.values.pactor3[3] = 11;
  LogCreate("Connected to W1AW\r\n");
  EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Connected);
  LogCreate("Disconnected from W1AW (manual)\r\n");
  EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Canceled);
  EXPECT_EQ(history.entries.size(), 3u);
  EXPECT_EQ(history.entries.back(), "HAM W1AW 14105.0 1");
  // Our own automation failing is no mark against the station.
  settings.terminalConnectCheckFile = false;
  desktop.airmail = false;
  EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Error);
  EXPECT_EQ(history.entries.size(), 3u);
}

// AirMail closed or crashed during a call or a link: its log would never
// tell the end, and the run waited for it for ever. A result it wrote
// before it went still counts.
TEST_F(AirmailTerminalTest, AirmailGoneDuringTheCallEndsTheWait) {
  const struct { const char* lines; bool running; TerminalStatus status; } cases[] = {
      {"", false, TerminalStatus::Error},
      {"Connected to W1AW\r\n", false, TerminalStatus::Error},
      {"No answer from W1AW\r\n", false, TerminalStatus::NoAnswer},
      {"", true, TerminalStatus::Calling},
  };
  LogCreate();
  for (const auto& c : cases) {
    desktop.airmail = desktop.terminal = true;
    ASSERT_TRUE(terminal.TerminalConnect());
    messenger.entries.clear();
    LogCreate(c.lines);
    desktop.airmail = desktop.terminal = c.running;
    EXPECT_EQ(terminal.TerminalConnectCheck(target), c.status) << c.lines << c.running;
    const bool told = c.status == TerminalStatus::Error;
    EXPECT_EQ(Shown(), told ? "TerminalConnectCheck, AirMail is no longer running, so the end of the call cannot be "
                              "known." : "") << c.lines;
    if (told) {
      EXPECT_EQ(status.texts.back(), "AirMail Window Error");
    }
  }
}

// AirMail hung during a call or a link: the same, once it has not answered
// for a minute of checks in a row (each about 2 seconds apart), whether the
// log or the terminal's text (nothing copied from it) is read. Or ended and
// started again between two checks (by hand, or after a crash): the new one
// knows nothing of the call, and its terminal shows the idle line.
TEST_F(AirmailTerminalTest, AirmailHungForAMinuteOrStartedAgainDuringTheCallEndsTheWait) {
  LogCreate();
  for (bool logRead : {true, false}) {
    SCOPED_TRACE(logRead ? "the log read" : "the terminal read");
    settings.terminalConnectCheckFile = logRead;
    messenger.entries.clear();
    desktop.copies.clear();
    ASSERT_TRUE(terminal.TerminalConnect());
    auto unanswered = [&](int checks) {
      desktop.answers = false;
      for (int i = 0; i < checks; ++i)
        ASSERT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Calling) << i << logRead;
    };
    unanswered(29);
    desktop.answers = true;  // busy for a while, not hung
    EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Calling);
    unanswered(29);
    EXPECT_TRUE(messenger.entries.empty());
    EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Error);
    EXPECT_EQ(Shown(),
              "TerminalConnectCheck, AirMail has not answered for a minute, so the end of the call cannot be known.");
    EXPECT_EQ(status.texts.back(), "AirMail Window Error");

    desktop.answers = true;
    ASSERT_TRUE(terminal.TerminalConnect());
    desktop.copies = {"Calling W1AW"};
    EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Calling);
    ++desktop.instance;
    desktop.copies = {"< id >"};
    EXPECT_EQ(terminal.TerminalConnectCheck(target), TerminalStatus::Error);
    EXPECT_EQ(Shown(), "TerminalConnectCheck, AirMail was started again, so the end of the call cannot be known.");
  }
}

TEST_F(AirmailTerminalTest, StatusLineFallsBackToTheLineAboveAndErrsWithoutTheTerminal) {
  settings.terminalConnectCheckFile = false;
  desktop.copies = {"", "*** Calling W1AW, 14105.0 kHz, no answer"};
  EXPECT_EQ(terminal.TerminalStatusGet(), TerminalStatus::NoAnswer);
  EXPECT_EQ(std::pair(desktop.cursor.x, desktop.cursor.y), std::pair(5, 7)) << "the cursor put back after the click";
  desktop = ScriptedDesktop{};
  desktop.terminal = false;
  EXPECT_EQ(terminal.TerminalStatusGet(), TerminalStatus::Error);
  // Nothing copied from either line (AirMail slow or hung) is no
  // connection: the call's result is still to come.
  desktop = ScriptedDesktop{};
  desktop.copies = {"", ""};
  EXPECT_EQ(terminal.TerminalStatusGet(), TerminalStatus::Calling);
}

// The click that gives the terminal the focus lands on the part of it that
// is on a screen, whichever screen that is; a terminal on none is not clicked.
TEST_F(AirmailTerminalTest, TheClickLandsOnTheTerminalWhereverItIs) {
  struct Case { const char* name; ScreenRect terminal, screens; std::optional<std::pair<int, int>> click; };
  const Case cases[] = {
      {"on the one screen", {100, 100, 600, 400}, {0, 0, 1280, 900}, std::pair(20480, 21845)},
      {"on a second screen left of the first", {-1000, 100, 600, 400}, {-1280, 0, 2560, 900}, std::pair(14848, 21845)},
      {"half past the right edge", {1000, 100, 600, 400}, {0, 0, 1280, 900}, std::pair(58368, 21845)},
      {"on no screen", {-32000, -32000, 160, 24}, {0, 0, 1280, 900}, std::nullopt},
  };
  for (const auto& c : cases) {
    desktop = ScriptedDesktop{};
    desktop.terminalRect = c.terminal;
    desktop.screen = c.screens;
    EXPECT_EQ(terminal.TerminalSelectStatus(), c.click ? 1 : 0) << c.name;
    auto clicked = desktop.clicked ? std::optional(std::pair(desktop.clicked->x, desktop.clicked->y)) : std::nullopt;
    EXPECT_EQ(clicked, c.click) << c.name;
  }
  EXPECT_EQ(Shown(), "TerminalSelectStatus, Could not Find Terminal Window");
}

TEST_F(AirmailTerminalTest, ConnectAidWarnsOnlyForAStaleHamServer) {
  const std::string stale = "PMBO W1AW last contacted server 20 min ago";
  desktop.copies = {"some line", stale};
  terminal.ConnectAidCheck("Ham");  // the system's name in any case
  ASSERT_EQ(messenger.entries.size(), 1u);
  EXPECT_EQ(messenger.entries[0].text, stale);
  EXPECT_EQ(messenger.entries[0].title, "ConnectAid - Terminal - Station/Server Warning");
  desktop.copies = {"*** Connected to W1AW", stale};  // the search stops at the connection
  terminal.ConnectAidCheck("HAM");
  desktop.copies = {"PMBO W1AW last contacted server ? min ago"};  // an age unknown
  terminal.ConnectAidCheck("HAM");
  desktop.copies = {stale};
  // Only HAM's servers are looked at, and nothing is read for another system.
  for (bool on : {true, false}) {
    settings.lastConnectCheck = on;
    desktop.keys.clear();
    terminal.ConnectAidCheck(on ? "SAILMAIL" : "HAM");
    EXPECT_TRUE(desktop.keys.empty());
  }
  EXPECT_EQ(messenger.entries.size(), 2u);
}

// Whichever key an operation finds refused, or finds another window in
// front of the terminal for (no key goes to that window), a run it ends
// says so on the status panel, which TerminalActivate had cleared.
TEST_F(AirmailTerminalTest, EveryRefusedKeyThatEndsAnOperationLeavesAStatus) {
  settings.terminalConnectCheckFile = false;
  const std::pair<const char*, std::function<bool()>> operations[] = {
      {"TerminalSelectGet", [&] { return terminal.TerminalSelectGet().has_value(); }},
      {"TerminalSelectSet", [&] { return terminal.TerminalSelectSet("W1AW", "14110.0"); }},
      {"TerminalSelectStation", [&] { return terminal.TerminalSelectStation("W1AW"); }},
      {"TerminalSelectSystem", [&] { return terminal.TerminalSelectSystem("HAM"); }},
      {"TerminalStatusGet", [&] { return terminal.TerminalStatusGet() != TerminalStatus::Error; }},
      {"ConnectAidCheck", [&] {
         terminal.ConnectAidCheck("HAM");
         return !desktop.keyRefused;
       }},
      {"TerminalConnect", [&] { return terminal.TerminalConnect(); }},
  };
  for (const auto& [name, run] : operations) {
    for (int refused = 0; refused < 24; ++refused) {
      desktop = ScriptedDesktop{};
      desktop.copies = {"14105.0", "14105.0", "W1AW", "HAM", "line"};
      bool frontLost = refused >= 12;
      (frontLost ? desktop.frontLostAt : desktop.refuseKeysAt) = refused % 12;
      status.texts.clear();
      bool done = run();
      if (frontLost) {
        EXPECT_LE(desktop.keys.size(), refused % 12u) << name << ": keys into another window";
      }
      if (done || !desktop.keyRefused) continue;
      ASSERT_FALSE(status.texts.empty()) << name << ", key " << refused;
      EXPECT_FALSE(status.texts.back().empty()) << name << ", key " << refused;
    }
  }
}

// Each status line; the first pattern that matches wins, case counts, and
// the idle prompt may be cut short.
TEST(TerminalLineStatusTest, EachStatusLine) {
  using S = TerminalStatus;
  const std::pair<const char*, S> cases[] = {
      {"*** W1AW, 14105.0 kHz, canceled", S::Canceled}, {"*** (31)DISCONNECTED", S::Disconnected},
      {"*** Disconnected from W1AW", S::Disconnected}, {"*** W1AW, 14105.0 kHz, no answer", S::NoAnswer},
      {"No answer from W1AW", S::NoAnswer}, {"*** Calling W1AW on 14105.0 kHz", S::Calling},
      {"any other text", S::Connected}, {"Calling W1AW, 14105.0 kHz, no answer", S::NoAnswer},
      {"Calling W1AW, 14105.0 kHz, canceled, no answer", S::Canceled}, {"calling w1aw", S::Connected},
      {"< id > W1AW", S::Idle}, {"<", S::Idle}, {"< idle", S::Connected},
  };
  for (const auto& [line, status] : cases) EXPECT_EQ(TerminalLineStatus(line), status) << '"' << line << '"';
  // The debug log's lines the log monitor's tests (real files) do not meet.
  auto calling = TerminalStatus::Calling;
  EXPECT_EQ(DebugLogLineStatus("12:00 Disconnected from W1AW (manual)", calling), TerminalStatus::Canceled);
  EXPECT_EQ(DebugLogLineStatus("12:00 Connected to W1AW, Disconnected from W1AW", calling),
            TerminalStatus::Disconnected);
}

using Records = std::vector<KeyRecord>;

KeyRecord Down(std::uint16_t key, bool extended = false) { return {key, false, extended}; }
KeyRecord Up(std::uint16_t key) { return {key, true, false}; }
constexpr std::uint16_t kShift = kVirtualKeyShift, kCtrl = kVirtualKeyControl, kTab = 9;

Records Parse(std::string_view script) { testing::UsKeyLayout layout; return KeyScriptParse(script, layout); }

// The scripts the terminal operations type, the only ones the parser is
// given (any other it reads safely: the fuzz target): named keys, Shift and
// Ctrl held for exactly the next token, and a capital letter pressed with
// Shift. The extended flag on the key-down is VistaLibTest's, through the
// platform's records. A layout of another script (Greek, Cyrillic) has no
// key for a Latin letter; the letter keys are the same on every layout, so
// each script gives the same records, and "^C" and "^V" still copy and paste.
TEST(KeyScript, TheTerminalsScriptsGiveTheirKeyRecordsAlsoWithALayoutOfAnotherScript) {
  const std::pair<const char*, Records> cases[] = {
      {"{F6}", {Down(117), Up(117)}},
      {"{TAB}+{TAB}", {Down(kTab), Up(kTab), Down(kShift), Down(kTab), Up(kTab), Up(kShift)}},
      {"{UP}{HOME}+{END}",
       {Down(38, true), Up(38), Down(36, true), Up(36), Down(kShift), Down(35, true), Up(35), Up(kShift)}},
      {"^C", {Down(kCtrl), Down(kShift), Down('C'), Up('C'), Up(kShift), Up(kCtrl)}},
  };
  struct NoLatinLetters final : KeyLayout {
    std::int16_t KeyScan(char) override { return -1; }
  } other;
  for (const auto& [script, records] : cases) {
    EXPECT_EQ(Parse(script), records) << script;
    EXPECT_EQ(KeyScriptParse(script, other), records) << "another script's layout: " << script;
  }
  EXPECT_EQ(KeyScriptParse("^{v}", other), Parse("^v"));
}

// However many modifiers stand in a row, each is pressed before the token
// and released after it: neither the stack nor the first 512 records are
// the limit (the repeat count's bound is the fuzz target's check).
TEST(KeyScriptModifiers, AnyNumberInARow) {
  constexpr size_t kMany = 100000;
  Records records = Parse(std::string(kMany, '+') + "a");
  ASSERT_EQ(records.size(), 2 * kMany + 2);
  EXPECT_EQ(records[kMany - 1], Down(kShift));
  EXPECT_EQ(records[kMany], Down('A'));
  EXPECT_EQ(records.back(), Up(kShift));
}

}  // namespace
}  // namespace velmora
