// The three calling modes driven buffer by buffer: every transition with
// the terminal operations it makes, the status it shows, how it ends and
// whether it beeps. Window events run inside every terminal operation and
// bring further buffers, which must change nothing.
#include <gtest/gtest.h>

#include "autoconnect/UnattendedRun.h"
#include "tests/autoconnect/EngineRig.h"

namespace velmora {
namespace {

using testing::EngineRig;
using S = TerminalStatus;

// results: of the result reads, in turn; calls: the terminal operations after those of the start; status: of
// panel 2; end: the run state at the end, empty while running; rows: instead of the mode's usual table;
// labelsEmptied: the wait's seconds and the time connected; notBusy: "Connect Not Busy" seconds.
struct Case {
  const char *name, *script;
  std::vector<S> results = {};
  const char *calls = "", *status = "", *end = "";
  int beeps = 0;
  std::int32_t attempts = 10;
  bool txOnly = false;
  std::string failing = {};
  bool answer = true;
  std::vector<testing::TableRow> rows = {};
  bool labelsEmptied = false;
  float notBusy = 7;
};

void Check(int mode, const Case& c, const char* startCalls) {
  SCOPED_TRACE(c.name);
  EngineRig rig(mode, c.answer);
  if (!c.rows.empty()) rig.table.rows = c.rows;
  rig.window.settings.connectAttempts = c.attempts;
  rig.window.settings.connectTxOnly = c.txOnly;
  rig.window.settings.connectNotBusy = c.notBusy;
  if (!c.failing.empty()) rig.terminal.failing.insert(c.failing);
  rig.terminal.results.assign(c.results.begin(), c.results.end());
  rig.engine.AutoConnectStart();
  rig.Play(c.script);
  std::string expected = std::string(startCalls) + (*c.calls ? " " : "") + c.calls;
  EXPECT_EQ(rig.terminal.Calls(), expected);
  EXPECT_EQ(rig.Status(), c.status);
  EXPECT_EQ(rig.engine.Running(), !*c.end);
  EXPECT_EQ(*c.end ? rig.window.panels[1] : "", c.end);
  if (*c.end || c.labelsEmptied) { EXPECT_EQ(rig.window.notBusy, ""); }
  if (c.labelsEmptied) { EXPECT_EQ(rig.window.panels[3], ""); }
  EXPECT_EQ(rig.window.beeps, c.beeps);
  if (c.failing == "C") { EXPECT_EQ(rig.window.attempts, "0") << "a call AirMail did not take"; }
}

TEST(CurrentFrequencyMachine, EveryTransition) {
  const Case cases[] = {
      {"6.5 s free: still waiting", "f 13f", {}, "A", "Waiting, Not Busy"},
      {"calls on the 14th free buffer (7.0 s)", "f 14f", {}, "A A C", "Waiting, Connect"},
      {"one busy buffer restarts the wait", "f 13f b 13f", {}, "A", "Waiting, Not Busy"},
      {"so does a noisy one", "f 13f n 14f", {}, "A A C", "Waiting, Connect"},
      {"invalid buffers change nothing", "f 7f 5x 7f", {}, "A A C", "Waiting, Connect"},
      {"no result read 10 buffers after the call", "f 14f 10f", {}, "A A C", "Waiting, Connect"},
      {"the first one 11 buffers after", "f 14f 11f", {}, "A A C ?", "Waiting, Connect"},
      {"calling and idle keep waiting", "f 14f 22f", {S::Calling, S::Idle}, "A A C ? ?", "Waiting, Connect"},
      {"connected, then the link ends", "f 14f 22f", {S::Connected, S::Disconnected}, "A A C ? ? aid", "Connected",
       "Done", 1},
      {"no answer with attempts left starts over", "f 14f 11f f", {S::NoAnswer}, "A A C ? A", "Waiting, Not Busy"},
      {"disconnected on the last attempt", "f 14f 11f f 14f 11f", {S::NoAnswer, S::Disconnected},
       "A A C ? A A C ?", "Did not Connect", "Stopped", 1, 2},
      {"one attempt: stops right after the call", "f 14f 11f", {}, "A A C", "Waiting, Not Busy", "Stopped", 1, 1},
      {"error while calling", "f 14f 11f", {S::Error}, "A A C ?", "Waiting, Connect", "Stopped", 1},
      {"canceled while calling", "f 14f 11f", {S::Canceled}, "A A C ?", "Stopped, Terminal Window", "Stopped", 1},
      {"canceled while connected", "f 14f 22f", {S::Connected, S::Canceled}, "A A C ? ?", "Stop, Terminal Window",
       "Stopped", 1},
      {"no answer after connect", "f 14f 22f", {S::Connected, S::NoAnswer}, "A A C ? ?",
       "Error, No Answer after Connect", "Stopped", 1},
      {"error while connected", "f 14f 22f", {S::Connected, S::Error}, "A A C ? ?", "Waiting, Disconnect", "Stopped",
       1},
      {"terminal not reachable", "f 3f", {}, "A", "", "Stopped", 0, 10, false, "A"},
      {"a call AirMail did not take is no attempt", "f 14f 11f", {}, "A A C", "Waiting, Not Busy", "Stopped", 0, 10,
       false, "C"},
      // A wait of no time would call on the very buffer judged busy.
      {.name = "no wait: no call on a busy buffer", .script = "f b n", .calls = "A", .status = "Waiting, Not Busy",
       .notBusy = 0},
      {.name = "no wait: the call on the next free one", .script = "f b n f", .calls = "A A C",
       .status = "Waiting, Connect", .notBusy = 0},
  };
  for (const Case& c : cases) Check(kModeCurrentFrequency, c, "S:HAM N:W1AW");
}

TEST(MultipleFrequenciesMachine, EveryTransition) {
  const Case cases[] = {
      {"single busy buffers: still on the first Rx row", "f b f b 10f", {}, "F F P:7102.0", "Checking, Busy Rx"},
      {"two in a row do", "f 2b", {}, "F F P:7102.0", "Waiting, Not Busy Rx"},
      {"after 7 s the next Rx Check row", "f 14f", {}, "F F P:7102.0 F F P:10140.0", "Checking, Busy Rx"},
      {"then the Tx Connect row", "f 28f", {}, "F F P:7102.0 F F P:10140.0 F F P:10140.0", "Waiting, Not Busy Tx"},
      {"then the call", "f 42f", {}, "F F P:7102.0 F F P:10140.0 F F P:10140.0 F C", "Waiting, Connect"},
      {"a busy station is waited out", "f 2b 13f b 14f", {}, "F F P:7102.0 F F P:10140.0", "Waiting, Not Busy Tx"},
      {"Tx only", "f", {}, "F F P:10140.0", "Checking, Not Busy Tx", "", 0, 10, true},
      {"round robin after the last Tx Connect row", "f 14f 11f 14f 11f", {S::NoAnswer, S::NoAnswer},
       "F F P:10140.0 F C ? F F P:14105.0(p3) F C ? F F P:10140.0", "Checking, Busy Tx", "", 0, 3, true},
      {"a failed call listens on the Rx rows again", "f 42f 11f", {S::NoAnswer},
       "F F P:7102.0 F F P:10140.0 F F P:10140.0 F C ? F F P:7102.0", "Checking, Busy Rx", "", 0, 2},
      {"result 1 while connected", "f 14f 22f", {S::Connected, S::Canceled}, "F F P:10140.0 F C ? ?",
       "Stopped, Terminal Window", "Stopped", 1, 10, true},
      {"frequency field not found", "f", {}, "F", "", "Stopped", 0, 10, false, "F"},
  };
  for (const Case& c : cases) Check(kModeMultipleFrequencies, c, "S:HAM N:W1AW");
}

// W2BB has no Rx Check row ticked; K1AA has one when `firstHasRx`.
std::vector<testing::TableRow> WithoutRxRows(bool firstHasRx) {
  return {{{"7102.0", "7102.0", "K1AA", "12", ""}, firstHasRx, true},
          {{"10140.0", "10140.0", "W2BB", "14", ""}, false, true},
          {{"14105.0", "14105.0", "W3CC", "11", ""}, true, true}};
}

TEST(MultipleStationsMachine, EveryTransition) {
  const Case cases[] = {
      {"one busy event: still on the first Rx row", "f 2b 5f", {}, "T:K1AA/7102.0", "Checking, Busy Rx"},
      {.name = "the second gives the station up", .script = "f 3b", .calls = "T:K1AA/7102.0 T:W2BB/7104.0",
       .status = "Checking, Busy Rx", .labelsEmptied = true},
      {"past its Rx rows, its Tx row", "f 14f", {}, "T:K1AA/7102.0 T:K1AA/10140.0", "Checking, Busy Tx"},
      {"then the call", "f 28f", {}, "T:K1AA/7102.0 T:K1AA/10140.0 F C", "Waiting, Connect"},
      {"two busy Tx buffers: the next station", "f 14f b f n", {}, "T:K1AA/7102.0 T:K1AA/10140.0 T:W2BB/7104.0",
       "Checking, Busy Rx"},
      {"a Tx row on the frequency just heard is not set again", "f 3b 28f", {},
       "T:K1AA/7102.0 T:W2BB/7104.0 T:W2BB/14105.0", "Checking, Busy Tx"},
      {"a busy buffer before a change of frequency is not held against the next", "f 3b 13f b 2b", {},
       "T:K1AA/7102.0 T:W2BB/7104.0 T:W2BB/14105.0", "Checking, Busy Rx"},
      {"past the last station the cycle starts again", "f 3b 3b", {},
       "T:K1AA/7102.0 T:W2BB/7104.0 T:K1AA/7102.0", "Checking, Busy Rx"},
      {"a failed call goes on with the next station", "f 28f 11f", {S::NoAnswer},
       "T:K1AA/7102.0 T:K1AA/10140.0 F C ? T:W2BB/7104.0", "Checking, Busy Rx", "", 0, 2},
      {.name = "result 1 while connected, continue", .script = "f 28f 22f", .results = {S::Connected, S::Canceled},
       .calls = "T:K1AA/7102.0 T:K1AA/10140.0 F C ? ? T:W2BB/7104.0", .status = "Checking, Busy Rx",
       .labelsEmptied = true},
      {"result 1 while connected, stop", "f 28f 22f", {S::Connected, S::Canceled},
       "T:K1AA/7102.0 T:K1AA/10140.0 F C ? ?", "Stopped, Terminal Window", "Stopped", 0, 10, false, {}, false},
      {"a call AirMail did not take is no attempt and reads no result", "f 28f 22f", {S::Connected},
       "T:K1AA/7102.0 T:K1AA/10140.0 F C", "Checking, Busy Tx", "Stopped", 0, 10, false, "C"},
      {"Tx only, busy: the next Tx row", "f 2b", {}, "T:K1AA/10140.0 T:W2BB/14105.0", "Checking, Busy Tx", "", 0, 10,
       true},
      // A station whose Rx Check rows are all unticked is passed over, at the
      // start and after a station given up, not taken for the end of the list.
      {.name = "after a busy station, the next one with Rx rows", .script = "f 3b",
       .calls = "T:K1AA/7102.0 T:W3CC/14105.0", .status = "Checking, Busy Rx", .rows = WithoutRxRows(true)},
      {.name = "past the last, the first again", .script = "f 3b 3b",
       .calls = "T:K1AA/7102.0 T:W3CC/14105.0 T:K1AA/7102.0", .status = "Checking, Busy Rx",
       .rows = WithoutRxRows(true)},
      {.name = "the first without: the run begins with the next", .script = "f", .calls = "T:W3CC/14105.0",
       .status = "Checking, Busy Rx", .rows = WithoutRxRows(false)},
  };
  for (const Case& c : cases) Check(kModeMultipleStations, c, "S:HAM");
}

// Nothing to call: the run never began, and an unattended run says so.
TEST(EngineLists, AnEmptyListIsReportedAndStops) {
  struct ListCase { int mode; bool rx, tx; const char* message; MessageIcon icon; } cases[] = {
      {kModeCurrentFrequency, true, false, kConnectListEmpty, MessageIcon::Information},
      {kModeMultipleFrequencies, true, false, kConnectListEmpty, MessageIcon::Information},
      {kModeMultipleFrequencies, false, true, kCheckListEmpty, MessageIcon::Information},
      {kModeMultipleStations, false, true, kCheckListEmpty, MessageIcon::None},
      {kModeScanStations, true, false, kScanListEmpty, MessageIcon::Information},
  };
  for (const auto& c : cases) {
    testing::EngineRig rig(c.mode);
    UnattendedRun unattended;
    rig.engine.ObserverSet(&unattended);
    for (auto& row : rig.table.rows) row.rxChecked = c.rx && row.rxChecked, row.txChecked = c.tx && row.txChecked;
    rig.engine.AutoConnectStart();
    rig.Play("f");
    ASSERT_EQ(rig.messenger.entries.size(), 1u);
    EXPECT_EQ(rig.messenger.entries[0].text, c.message);
    EXPECT_EQ(rig.messenger.entries[0].icon, c.icon);
    EXPECT_EQ(rig.window.panels[1], "Stopped");
    EXPECT_EQ(rig.window.beeps, 0);
    EXPECT_EQ(unattended.Exit(), UnattendedExit::NotStarted);
  }
}

TEST(EngineCells, ColoursTellTheStory) {
  EngineRig rig(kModeMultipleFrequencies);
  rig.engine.AutoConnectStart();
  rig.Play("f 14f 2b");
  const ReasonColors colours;
  auto colour = [&](int row, EngineColumn column) { return rig.table.colours.at({row, column}); };
  EXPECT_EQ(colour(1, EngineColumn::RxCheck), colours[kReasonNotBusy]);
  EXPECT_EQ(colour(2, EngineColumn::RxCheck), colours[kReasonBusy]);
  EXPECT_EQ(rig.table.blinking, std::make_pair(2, EngineColumn::RxCheck));
  EXPECT_EQ(rig.main.resets, 3);       // one fresh start at the start and one per frequency
  EXPECT_EQ(rig.main.centre, 1500.0f);  // no Pactor 3 row yet

  rig.Play("13f");
  EXPECT_EQ(rig.window.notBusy, "6.5");
  rig.Play("f 14f");
  EXPECT_EQ(colour(2, EngineColumn::TxConnect), colours[kReasonConnecting]);
  EXPECT_EQ(rig.window.attempts, "1");
}

}  // namespace
}  // namespace velmora
