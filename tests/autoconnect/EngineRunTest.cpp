// A run as a whole: what happens inside a terminal operation, closing the
// window during a run (and what starting and stopping leave behind), and
// what a run counts for its log.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/autoconnect/EngineRig.h"

namespace velmora {
namespace {

using testing::EngineRig;

// Inside a terminal operation, as its window events run: a Stop pressed
// there sends no call, and the texts AirMail's terminal writes to panel 2
// when it comes to the front (a new frequency, the ConnectAid check after a
// link) do not outlast what the run does.
TEST(EngineRun, InsideATerminalOperation) {
  // Stop pressed in the occurrence-th operation token: never, the operation that must not follow; else the
  // terminal leaves `left` in panel 2, and `shown` is shown at the end.
  struct { int mode; const char* token; int occurrence; const char *script, *never, *left = "", *shown = ""; }
  cases[] = {
      {kModeCurrentFrequency, "A", 2, "f 14f", "C"},
      {kModeMultipleFrequencies, "F", 7, "f 42f", "C"},
      {kModeMultipleStations, "F", 1, "f 28f", "C"},
      {kModeMultipleFrequencies, "S:HAM", 1, "f", "N:W1AW"},
      // Inside the call itself, before its key: the terminal is told the run is over.
      {kModeCurrentFrequency, "C", 1, "f 14f", "C"},
      {kModeMultipleStations, "C", 1, "f 28f", "C"},
      {kModeCurrentFrequency, "aid", 1, "f 14f 22f", "", "", "Connected"},
      {kModeCurrentFrequency, "aid", 1, "f 14f 22f", "", "Error, Terminal Window", "Error, Terminal Window"},
      {kModeMultipleFrequencies, "P:10140.0", 1, "f 14f", "", "", "Checking, Busy Rx"},
      {kModeMultipleStations, "T:W2BB/14105.0", 1, "f 3b 14f", "", "", "Checking, Busy Rx"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.token);
    EngineRig rig(c.mode);
    rig.terminal.results = {TerminalStatus::Connected, TerminalStatus::Disconnected};
    int seen = 0;
    rig.terminal.inside = [&](const std::string& token) {
      if (token != c.token || ++seen != c.occurrence) {
        rig.engine.Update(kQuietBuffer);
      } else if (*c.never) {
        rig.engine.StopPressed();
        rig.engine.Update(kQuietBuffer);
      } else {
        rig.engine.StatusBar().UpdateStatusStatus(c.left);
      }
    };
    rig.engine.AutoConnectStart();
    rig.Play(c.script);
    if (*c.never) {
      EXPECT_EQ(std::count(rig.terminal.calls.begin(), rig.terminal.calls.end(), c.never), 0) << rig.terminal.Calls();
      EXPECT_EQ(rig.window.panels[1], "Stopped");
      EXPECT_FALSE(rig.engine.Running());
    } else {
      EXPECT_EQ(rig.Status(), c.shown) << rig.terminal.Calls();
    }
  }
}

TEST(EngineRun, ClosingTheWindowEndsEveryRunningMode) {
  for (int mode : {kModeCurrentFrequency, kModeMultipleFrequencies, kModeMultipleStations, kModeReferenceStations,
                   kModeScanStations}) {
    for (bool answer : {false, true}) {
      SCOPED_TRACE(mode);
      EngineRig rig(mode, answer);
      EXPECT_TRUE(rig.engine.CloseCheck());  // nothing running: no question
      rig.main.inputRunning = answer;         // a stopped input takes the size when it starts
      rig.engine.AutoConnectStart();
      EXPECT_EQ(rig.main.autoConnectActive, mode != kModeReferenceStations);
      EXPECT_EQ(rig.main.sampleSize, 2048);
      EXPECT_EQ(rig.main.resets, answer ? 1 : 0) << "a running input restarted, so the size counts at once";
      rig.main.fax = rig.main.wwv = true;
      EXPECT_EQ(rig.engine.CloseCheck(), answer);
      ASSERT_EQ(rig.messenger.entries.size(), 1u);
      EXPECT_EQ(rig.messenger.entries[0].text,
                mode == kModeScanStations ? kCloseQuestionScan : kCloseQuestionAutoConnect);
      EXPECT_EQ(rig.engine.Running(), !answer);
      if (!answer) continue;
      EXPECT_FALSE(rig.main.autoConnectActive);
      EXPECT_EQ(rig.main.fax, mode != kModeReferenceStations);
      EXPECT_EQ(rig.log.starts, mode == kModeReferenceStations ? 0 : 1);
      EXPECT_EQ(rig.log.stops.size(), mode == kModeReferenceStations ? 0u : 1u);
      EXPECT_EQ(rig.main.centre, 1700.0f);  // back to the decoder's centre tone
      EXPECT_EQ(rig.table.blinking.first, 0);
      EXPECT_FALSE(rig.window.hourglass);
    }
  }
}

TEST(EngineRun, WhatARunCountsForItsLog) {
  EngineRig rig(kModeCurrentFrequency);
  rig.main.pulse = 10;
  rig.terminal.results = {TerminalStatus::Connected, TerminalStatus::Disconnected};
  rig.engine.AutoConnectStart();
  rig.Play("f 13f b n 4x 14f 22f");
  ASSERT_EQ(rig.log.stops.size(), 1u);
  const RunStatistics& s = rig.log.stops[0];
  // Buffers not busy, signal, noise, connecting, connected; stations, frequencies, attempts; SNR readings.
  std::string counts;
  for (std::int32_t n : {s.notBusyBuffers, s.signalBuffers, s.noiseBuffers, s.connectingBuffers, s.connectedBuffers,
                         s.stations, s.frequencies, s.attempts, static_cast<std::int32_t>(s.snr.count)})
    counts += std::to_string(n) + " ";
  EXPECT_EQ(counts, "27 1 1 11 11 1 1 1 11 ");
  EXPECT_EQ(s.station, "W1AW");
  EXPECT_EQ(s.snrModel, 15.0f);  // the status and the mode: the real program's runs show them in the log
  // Each result read names the station and frequency being called.
  EXPECT_EQ(rig.terminal.targets.at(0).frequency, "10140.0");

  rig.window.settings.logFile = false;  // switched off: no record
  rig.engine.AutoConnectStart();
  rig.engine.StopPressed();
  EXPECT_EQ(rig.log.starts, 1);
  EXPECT_EQ(rig.log.stops.size(), 1u);
}

}  // namespace
}  // namespace velmora
