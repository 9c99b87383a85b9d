// The three calling modes driven buffer by buffer: every transition with
// the terminal operations it makes, the status it shows, how it ends and
// whether it beeps. Window events run inside every terminal operation and
// bring further buffers, which must change nothing. Then the station scan,
// the noise collection and the reference measurement, with a scripted
// radio: one row per transition, with the terminal operations, the status,
// the cells written and how each ends.
#include <gtest/gtest.h>

#include "autoconnect/UnattendedRun.h"
#include "tests/airmail/Fixture.h"
#include "tests/autoconnect/EngineRig.h"

namespace velmora {
namespace {

using testing::EngineRig;
using S = TerminalStatus;

const std::string kNoCallResult =
    "TerminalConnectCheck, AirMail has given no result of the call for 15 minutes, so the call is given up.";

// results: of the result reads, in turn; calls: the terminal operations after those of the start; status: of
// panel 2; end: the run state at the end, empty while running; rows: instead of the mode's usual table;
// labelsEmptied: the wait's seconds and the time connected; notBusy: "Connect Not Busy" seconds; told: the
// messages shown, when given.
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
  std::vector<std::string> told = {};
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
  if (!c.told.empty()) { EXPECT_EQ(rig.messenger.Texts(), c.told); }
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
      {"one attempt: stops right after the call", "f 14f 11f", {}, "A A C", kCallLeftToAirmail, "Stopped", 1, 1},
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
      // A call that never comes to a result (AirMail writing its debug log in another folder than the one
      // named, or not at all) was waited for for ever, by an unattended run too. A link may go on for hours.
      {"no result for 14 minutes: still calling", "f 14f 11f +840 11f", {S::Calling, S::Calling}, "A A C ? ?",
       "Waiting, Connect"},
      {.name = "calling for 15 minutes: given up", .script = "f 14f 11f +840 11f +60 11f",
       .results = {S::Calling, S::Calling, S::Calling}, .calls = "A A C ? ? ?", .status = "Error, No Call Result",
       .end = "Stopped", .beeps = 1, .told = {kNoCallResult}},
      {.name = "idle for 15 minutes: given up", .script = "f 14f 11f +840 11f +60 11f",
       .results = {S::Idle, S::Idle, S::Idle}, .calls = "A A C ? ? ?", .status = "Error, No Call Result",
       .end = "Stopped", .beeps = 1, .told = {kNoCallResult}},
      {"connected for 15 minutes: the link goes on", "f 14f 11f +840 11f +60 11f",
       {S::Connected, S::Connected, S::Connected}, "A A C ? ? ?", "Waiting, Disconnect"},
  };
  for (const Case& c : cases) Check(kModeCurrentFrequency, c, "S:HAM N:W1AW");
}

TEST(MultipleFrequenciesMachine, EveryTransition) {
  const Case cases[] = {
      {"single busy buffers: still on the first Rx row", "f b f b 10f", {}, "F F P:7102.0", "Checking, Busy Rx"},
      {"two in a row do", "f 2b", {}, "F F P:7102.0", "Waiting, Not Busy Rx"},
      {"after 7 s the next Rx Check row", "f 14f", {}, "F F P:7102.0 F F P:10140.0", "Checking, Busy Rx"},
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
      // A wait shorter than two buffers would pass a working station as silent.
      {.name = "a short wait: a busy buffer is not passed as free", .script = "f 2b", .calls = "F F P:7102.0",
       .status = "Waiting, Not Busy Rx", .notBusy = 0.1f},
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
      {"a busy buffer before a change of frequency is not held against the next", "f 3b 2b", {},
       "T:K1AA/7102.0 T:W2BB/7104.0", "Checking, Busy Rx"},
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
      {.name = "the first without: the run begins with the next", .script = "f", .calls = "T:W3CC/14105.0",
       .status = "Checking, Busy Rx", .rows = WithoutRxRows(false)},
      {.name = "a short wait: busy buffers are not passed as free", .script = "f 3b",
       .calls = "T:K1AA/7102.0 T:W2BB/7104.0", .status = "Checking, Busy Rx", .notBusy = 0.1f},
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
      {kModeReferenceStations, false, true, kReferenceListEmpty, MessageIcon::Information},
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
  EXPECT_EQ(rig.Colour(1, EngineColumn::RxCheck), colours[kReasonNotBusy]);
  EXPECT_EQ(rig.Colour(2, EngineColumn::RxCheck), colours[kReasonBusy]);
  EXPECT_EQ(rig.table.blinking, std::make_pair(2, EngineColumn::RxCheck));
  EXPECT_EQ(rig.main.resets, 3);       // one fresh start at the start and one per frequency
  EXPECT_EQ(rig.main.centre, 1500.0f);  // no Pactor 3 row yet
}

// "Auto" on as it comes: the first Pactor 3 row takes the centre tone of
// AirMail's decoder (the fixture's 1500 Hz) with no click in the Options
// dialog; a tone that cannot be read keeps the one last read, untold.
TEST(EngineCells, APactor3RowTakesAirmailsCentreToneAsTheRunStarts) {
  const struct { std::string folder; float centre; } cases[] = {{testing::FixturePath("data").string(), 1500},
                                                                  {testing::FixturePath("program").string(), 1700}};
  for (const auto& c : cases) {
    EngineRig rig(kModeMultipleFrequencies);
    rig.table.rows = {testing::kOneStation[2]};
    rig.window.settings.connectTxOnly = true;
    rig.window.settings.airmailDirectoryData = c.folder;
    rig.engine.AutoConnectStart();
    rig.Play("f");
    EXPECT_EQ(rig.terminal.Calls(), "S:HAM N:W1AW F F P:14105.0(p3)");
    EXPECT_EQ(rig.main.centre, c.centre) << c.folder;
    EXPECT_TRUE(rig.messenger.entries.empty());
  }
}

// The run's time goes on past a day (a busy channel in mode 0), counted on
// the clock that never jumps: a clock set back a minute (a GPS correction)
// must not show a day gone by.
TEST(EngineCells, TheRunsTimeGoesOnPastADayOnTheSteadyClock) {
  EngineRig rig(kModeCurrentFrequency);
  rig.engine.AutoConnectStart();
  rig.Play("+90900 b");  // 25 h 15 min on
  EXPECT_EQ(rig.window.panels[4], "25:15:00 ");
  EXPECT_NEAR(SystemRunClock().Seconds(), SteadyClock().Seconds(), 1);
}

TEST(StationScanMachine, EveryTransition) {
  using M = ScanBoxMode;
  // choice: made in the box after the script; after: buffers after the choice; calls: after the start's
  // system; end: empty while running; notBusy: "Scan Station Not Busy" seconds.
  struct Case { const char *name, *script; M choice = M::Waiting; const char *after = "", *calls = "", *status = "",
                *end = ""; Bgr row2 = kColorWhite, row3 = 0; M box = M::Hidden; std::string failing = {};
                float notBusy = 5; };
  const char* first = "T:W1AW/10140.0";
  const char* both = "T:W1AW/10140.0 T:W1AW/14105.0(p3)";
  const Case cases[] = {
      {"4.5 s free: still on the first Tx Connect row", "f 9f", M::Waiting, "", first, "Checking, Waiting Not Busy"},
      {"5 s free: green, the next row", "f 10f", M::Waiting, "", both, "Checking, Waiting Not Busy", "",
       kColorScanFree, kColorWhite},
      {"a single busy buffer does not stop the scan", "f 4f b 5f", M::Waiting, "", both,
       "Checking, Waiting Not Busy", "", kColorScanFree, kColorWhite},
      {"two in a row do: red, the box", "f 3f 2b", M::Waiting, "5f", first, "Waiting for User", "",
       kColorScanBusy, 0, M::Waiting},
      {"invalid buffers between change nothing", "f b 3x b", M::Waiting, "", first, "Waiting for User", "",
       kColorScanBusy, 0, M::Waiting},
      {"Cancel", "f 2b", M::Cancel, "f", first, "Scan Cancelled", "Stopped", kColorScanBusy},
      {"Continue: the next row without listening again", "f 2b", M::Continue, "f", both,
       "Checking, Waiting Not Busy", "", kColorScanBusy, kColorWhite, M::Continue},
      {"Continue on the last row: done", "f 10f 2b", M::Continue, "f", both, "", "Done", kColorScanFree,
       kColorScanBusy},
      {"station and frequency not set: stopped", "f", M::Waiting, "", first, "", "Stopped", 0, 0, M::Hidden, "T"},
      // A wait shorter than two buffers would pass every row as free, a station working on it or not.
      {"no wait: a busy buffer is not passed as free", "f 2b", M::Waiting, "", first, "Waiting for User", "",
       kColorScanBusy, 0, M::Waiting, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineRig rig(kModeScanStations);
    rig.window.settings.scanStationNotBusy = c.notBusy;
    if (!c.failing.empty()) rig.terminal.failing.insert(c.failing);
    rig.engine.AutoConnectStart();
    rig.Play(c.script);
    if (c.choice != M::Waiting) rig.kept.box = c.choice;
    rig.Play(c.after);
    EXPECT_EQ(rig.terminal.Calls(), std::string("S:HAM ") + c.calls);
    EXPECT_EQ(rig.Status(), c.status);
    EXPECT_EQ(rig.engine.Running(), !*c.end);
    EXPECT_EQ(*c.end ? rig.window.panels[1] : "", c.end);
    EXPECT_EQ(rig.Colour(2, EngineColumn::TxConnect), c.row2);
    EXPECT_EQ(rig.Colour(3, EngineColumn::TxConnect), c.row3);
    EXPECT_EQ(rig.kept.box, c.box);
    EXPECT_EQ(rig.window.beeps, 0);
  }
}

// Each row is heard for 2 s (4 buffers) after the buffer that sets it.
TEST(NoiseCollectionMachine, EveryTransition) {
  // kinds: one letter per buffer, as in the scripts, of the levels in turn; colour2: of the "Noise" cell;
  // stopAt: the terminal operation inside which Stop is pressed; failFrom: the one after which the frequency
  // field is lost; restartAt: the n-th frequency field inside which Stop is pressed and a new table's
  // collection begins; unheard: a row heard no sound.
  struct Case { const char *name, *kinds; std::vector<float> levels; const char *calls, *noise2 = "", *noise3 = "";
                Bgr colour2 = 0; bool ended = false; int beeps = 0; std::string failing = {}; bool emptyList = false;
                const char *stopAt = "", *failFrom = ""; int restartAt = 0; bool unheard = false; };
  const Case cases[] = {
      // The sign marks a station heard: a quiet level below 0 dB shows 0,
      // a busy one stays below (the mean negated, whatever its sign).
      {"a quiet frequency below 0 dB", "fffff", {0, -40, -41, -41, -41}, "F P:10140.0 F P:14105.0(p3)", "0"},
      {"a station heard below 0 dB", "ffbff", {0, -40, -41, -41, -41}, "F P:10140.0 F P:14105.0(p3)", "-41", "",
       ReasonColors()[kReasonBusy]},
      {"only noise: 100", "fnfnf", {0, 40, 41, 41, 41}, "F P:10140.0 F P:14105.0(p3)", "100", "",
       ReasonColors()[kReasonNoisy]},
      // All samples zero: the analysis's floor is no level of the channel.
      {"a buffer without sound counts its time, not its level", "fxfff", {0, -127, 30, 30, 30},
       "F P:10140.0 F P:14105.0(p3)", "30"},
      // A 0 would keep the row as the quietest.
      {"a silent row: no figure, nothing unchecked, told", "fxxxxffff", {0, -127, -127, -127, -127, 20, 20, 20, 21},
       "F P:10140.0 F P:14105.0(p3) F", "", "20", 0, true, 1, {}, false, "", "", 0, true},
      {"every row done: the selection, a beep", "fffffffff", {0, 30, 30, 30, 30, 20, 20, 20, 21},
       "F P:10140.0 F P:14105.0(p3) F", "30", "20", 0, true, 1},
      {"no frequency field: stopped without a beep", "f", {0}, "F", "", "", 0, true, 0, "F"},
      {"no checked row: stopped with a beep", "f", {0}, "F", "", "", 0, true, 1, {}, true},
      {"a Stop inside a terminal operation ends it", "fffff", {0, 40, 41, 41, 41}, "F P:10140.0 F P:14105.0(p3)", "41",
       "", 0, true, 0, {}, false, "P:14105.0(p3)"},
      // The rows not measured, with no figure, would be kept before those measured.
      {"the frequency field lost midway: stopped, no selection", "fffff", {0, 40, 41, 41, 41}, "F P:10140.0 F", "41",
       "", 0, true, 0, {}, false, "", "P:10140.0"},
      // The old step must not end the new collection with a selection of rows it never measured.
      {"Stop and a new collection inside the last row's field: the new one goes on", "ffffffffff",
       {0, 30, 30, 30, 30, 20, 20, 20, 21, 0}, "F P:10140.0 F P:14105.0(p3) F F P:10140.0", "", "", 0, false, 0, {},
       false, "", "", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineRig rig(kModeMultipleFrequencies);
    rig.table.rows[0].cells[static_cast<int>(EngineColumn::Noise)] = "7";  // from an earlier collection
    if (!c.failing.empty()) rig.terminal.failing.insert(c.failing);
    if (c.emptyList)
      for (auto& row : rig.table.rows) row.txChecked = false;
    rig.window.settings.autoSelectNoiseTopFrequencies = 2;
    int fields = 0;
    rig.terminal.inside = [&](const std::string& token) {
      if (token == c.stopAt) rig.engine.StopPressed();
      if (token == "F" && ++fields == c.restartAt) rig.engine.StopPressed(), rig.engine.NoiseCollectionStart();
      if (token == c.failFrom) rig.terminal.failing.insert("F");
      rig.engine.Update(kQuietBuffer);  // as the rig's window events do
    };
    rig.engine.NoiseCollectionStart();
    for (size_t i = 0; c.kinds[i]; ++i) {
      rig.main.level = c.levels[i];
      rig.Play(std::string(1, c.kinds[i]));
    }
    EXPECT_EQ(rig.terminal.Calls(), c.calls);
    EXPECT_EQ(rig.table.CellText(1, EngineColumn::Noise), "");
    EXPECT_EQ(rig.table.CellText(2, EngineColumn::Noise), c.noise2);
    EXPECT_EQ(rig.table.CellText(3, EngineColumn::Noise), c.noise3);
    EXPECT_EQ(rig.Colour(2, EngineColumn::Noise), c.colour2);
    EXPECT_EQ(rig.engine.NoiseCollectionActive(), !c.ended);
    EXPECT_EQ(rig.window.beeps, c.beeps);
    bool selected = c.ended && c.failing.empty() && !c.emptyList && !*c.stopAt && !*c.failFrom && !c.unheard;
    EXPECT_EQ(rig.kept.selections, (std::vector<std::pair<int, int>>(selected, {1, 2})));
    if (c.ended) {
      EXPECT_EQ(rig.window.panels[1], selected || c.unheard ? "" : "Stopped");
      if (selected || c.unheard) { EXPECT_EQ(rig.Status(), c.unheard ? kNoiseNothingHeard : ""); }
      EXPECT_EQ(rig.table.blinking.first, 0) << "an ended collection marks no cell";
    }
  }
}

// Two reference rows of 2 s (4 buffers) each, after the buffer that tunes; a
// radio that cannot tune stops the run, without a beep.
TEST(ReferenceMeasurementMachine, AveragesTheRadioOrTheSoundCard) {
  // script: after the buffer that tunes the first row; detected: the FAX or WWV detector gave an SNR sample;
  // tunes: the radio takes each frequency; average: "Reference Station Average" seconds; status: at a "Done".
  struct Case { const char* name; bool sMeter; std::deque<int> readings; const char *script, *system = "HAM",
                *station = "W1AW"; bool detected = false; const char *power = "", *snr = "", *end = "";
                std::int32_t reference = 0; bool tunes = true; float average = 2;
                const char* status = "Checking Frequency"; };
  const Case cases[] = {
      // S-meter 3, none, 5 and 4 over a level of 20: 38, 50, 44.
      // No busy buffer heard: the station has no SNR, only its power.
      {"a buffer without a reading is left out", true, {3, -1, 5, 4}, "4f", "HAM", "W1AW", false, "44"},
      {"three busy buffers: not heard", false, {}, "3b f", "HAM", "W1AW", false, "20"},
      // Busy 50 over quiet 20: 10 log10 1.5.
      {"four busy buffers and a quiet one: heard", true, {5, 5, 5, 5, 0}, "4b f", "HAM", "W1AW", false, "44", "2", "",
       0, true, 2.5f},
      // The radio stopped answering: nothing measured, nothing for the reference data.
      {"no reading at all: no figures", true, {}, "4f", "HAM", "W1AW", false, "", ""},
      {"invalid buffers are not heard", false, {}, "3x 3f"},
      {"another system: the FAX level and SNR", false, {}, "4f", "FAX", "W1AW", true, "25", "12"},
      {"the WWV station", false, {}, "4f", "HAM", "WWV", true, "20", "12"},
      {"the power as the reference level", false, {}, "4f", "HAM", "W1AW", false, "20", "", "", 1},
      {"after the last row: done", true, {1, 1, 1, 1, 1, 1, 1, 1}, "4f f 4f", "HAM", "W1AW", false, "26", "", "Done"},
      {"no reading on any row: done, and told", true, {}, "4f f 4f", "HAM", "W1AW", false, "", "", "Done", 0, true, 2,
       kReferenceNoReadingStatus},
      // The radio fell silent after the first row: the second has no figure, and the end says so.
      {"no reading on the last row: done, and told", true, {1, 1, 1, 1}, "4f f 4f", "HAM", "W1AW", false, "26", "",
       "Done", 0, true, 2, kReferenceNoReadingStatus},
      {"a radio that cannot tune: stopped", true, {}, "4f", "HAM", "W1AW", false, "", "", "Stopped", 0, false},
      // The first buffer's request is answered by the second: one buffer would hear none.
      {"an average of one buffer: two with the S-meter", true, {-1, 3}, "2f", "HAM", "W1AW", false, "38", "", "", 0,
       true, 0.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineRig rig(kModeReferenceStations);
    rig.window.settings.referenceStationSMeter = c.sMeter;
    rig.window.settings.referenceStationAverage = c.average;
    rig.window.settings.referenceDataReference = c.reference;
    rig.window.system = c.system;
    rig.table.rows[0].cells[static_cast<int>(EngineColumn::Station)] = c.station;
    rig.radio.readings = c.readings;
    rig.radio.tunes = c.tunes;
    rig.main.level = 20;
    rig.main.faxLevel = 25;
    rig.main.snr = 12;
    rig.main.snrDetected = c.detected;
    rig.engine.AutoConnectStart();
    rig.Play("f");
    EXPECT_EQ(rig.main.wwv, std::string_view(c.station) == "WWV");
    EXPECT_EQ(rig.main.fax, std::string_view(c.system) == "FAX");
    rig.Play(c.script);
    auto cell = [&](EngineColumn column) { return rig.table.CellText(1, column); };
    EXPECT_EQ(cell(EngineColumn::RxPwr), c.power);
    EXPECT_EQ(cell(EngineColumn::RxSnr), c.snr);
    EXPECT_EQ(cell(EngineColumn::Ref), c.reference == 1 ? c.power : c.snr);
    const bool lastMissed = std::string_view(c.status) == kReferenceNoReadingStatus && *c.power;
    EXPECT_EQ(rig.kept.measured, !c.tunes || !*c.power ? 0 : *c.end && !lastMissed ? 2 : 1);
    EXPECT_TRUE(rig.kept.start.has_value());
    EXPECT_EQ(rig.engine.Running(), !*c.end);
    if (*c.end) {
      EXPECT_EQ(rig.window.panels[1], c.end);
      EXPECT_FALSE(rig.main.wwv || rig.main.fax);
      EXPECT_EQ(rig.window.beeps, 0);
      if (std::string_view(c.end) == "Done") {
        EXPECT_EQ(rig.Status(), c.status);
        EXPECT_EQ(rig.kept.missed, 2 - rig.kept.measured);
      }
    }
    if (c.sMeter) {
      std::vector<std::string> tuned = {"7102.0", "10140.0"};
      EXPECT_EQ(rig.radio.tuned, c.tunes ? tuned : std::vector<std::string>{"7102.0"});
      EXPECT_EQ(rig.terminal.Calls(), "");
    } else {
      bool other = std::string_view(c.station) != "W1AW";
      // The terminal's station changes only with the rows' station.
      std::string second = !*c.power ? "" : other ? " T:W1AW/10140.0" : " F P:10140.0";
      EXPECT_EQ(rig.terminal.Calls(),
                std::string("S:") + c.system + (other ? " T:WWV/7102.0" : " F P:7102.0") + second);
    }
  }
}

}  // namespace
}  // namespace velmora
