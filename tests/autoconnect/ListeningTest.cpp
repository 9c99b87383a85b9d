// A run as a whole: what happens inside a terminal operation, closing the
// window during a run (and what starting and stopping leave behind), what
// a run counts for its log; and what the engine and the scan, noise and
// reference machines tell the occupancy record: every buffer of every
// listening state, busy or not, none while calling or linked, none without
// sound; and the record kept at the end of the run, never before.
#include <gtest/gtest.h>

#include <algorithm>

#include "autoconnect/OccupancyRecorder.h"
#include "common/SystemLib.h"
#include "tests/autoconnect/EngineRig.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using testing::EngineRig;
using S = TerminalStatus;

TEST(ChannelListening, EveryListeningStateTellsWhatItHeardAndAScanCountsNoFrequencyForItsLog) {
  // told: seconds heard and busy per frequency (a buffer is 0.5 s); noise: the noise collection, not a run.
  struct Case { const char* name; int mode; const char *script, *told; std::vector<S> results = {};
                bool txOnly = false, noise = false, receiver = true; };
  const Case cases[] = {
      {"mode 1, Tx only: listens until the call, not while calling or linked", kModeMultipleFrequencies,
       "f 13f b 14f 33f", "HAM/W1AW/10140.0 14.0/0.5", {S::Calling, S::Connected, S::Idle}, true},
      // Mode 0 listens on whatever AirMail's terminal shows, which need not be the row it marks.
      {"mode 0: a frequency the run never set", kModeCurrentFrequency, "f 13f b 14f", ""},
      {"mode 1: each Rx Check row, then the Tx Connect row", kModeMultipleFrequencies, "f 14f 14f 14f",
       "HAM/W1AW/7102.0 7.0/0.0, HAM/W1AW/10140.0 14.0/0.0"},
      {"mode 2, Tx only: a station given up, the next", kModeMultipleStations, "f 2b 3f",
       "HAM/K1AA/10140.0 1.0/1.0, HAM/W2BB/14105.0 1.5/0.0", {}, true},
      {"the scan", kModeScanStations, "f 10f 2b", "HAM/W1AW/10140.0 5.0/0.0, HAM/W1AW/14105.0(p3) 1.0/1.0"},
      {"the reference measurement", kModeReferenceStations, "f 10f 9f",
       "HAM/W1AW/7102.0 5.0/0.0, HAM/W1AW/10140.0 4.5/0.0"},
      {"the noise collection; buffers without sound tell nothing", kModeMultipleFrequencies, "f 2x 2f 3b",
       "HAM/W1AW/10140.0 1.0/0.0, HAM/W1AW/14105.0(p3) 1.5/1.5", {}, false, true},
      {"a recording played (or the test signal) is no channel heard", kModeScanStations, "f 10f 2b", "", {}, false,
       false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EngineRig rig(c.mode);
    rig.window.settings.connectTxOnly = c.txOnly;
    rig.terminal.results.assign(c.results.begin(), c.results.end());
    rig.main.fromReceiver = c.receiver;
    if (c.noise)
      rig.engine.NoiseCollectionStart();
    else
      rig.engine.AutoConnectStart();
    rig.Play(c.script);
    EXPECT_EQ(rig.listening.Told(), c.told);
    EXPECT_EQ(rig.listening.ends, 0) << "nothing kept while listening";
    rig.engine.StopPressed();
    EXPECT_EQ(rig.listening.ends, 1) << "kept once the run ended";
    // A scan only listens: its log record counts no frequency tried.
    if (c.mode == kModeScanStations) {
      EXPECT_EQ(rig.log.stops.at(0).frequencies, 0) << "a scan counts nothing";
    }
  }
}

class StepClock final : public UtcClock {
 public:
  UtcDateTime Now() override { return now; }
  UtcDateTime now{2024, 3, 10, 13, 59, 0, 0};
};

// The run's seconds go into the file at its end, per UTC hour, faded
// knowledge and all; a file that cannot be read is left alone, and what
// was heard waits for the next end.
TEST(OccupancyRecorder, KeepsWhatARunHeardPerHourAtItsEnd) {
  testing::TempFolder folder;
  auto file = folder.path() / kStationOccupancyDataFile;
  AutoConnectSettings settings;
  StepClock clock;
  RecordingMessenger messages;
  OccupancyRecorder recorder(file, settings, clock, messages);
  CallTarget w1aw{"HAM", "W1AW", "14075.0"};
  for (int i = 0; i < 4; ++i) recorder.Heard(w1aw, 15, i < 3);
  clock.now.hour = 14;
  clock.now.minute = 0;
  recorder.Heard(w1aw, 30, false);
  recorder.Heard({"HAM", "W1AW", "14080.0(p3)"}, 30, false);
  recorder.Heard({"HAM", " ", "7102.0"}, 30, true);  // no station: a line the file could not read back
  EXPECT_FALSE(std::filesystem::exists(file)) << "never buffer by buffer";

  testing::WriteBytes(file, std::string(kOccupancyFileLimit + 1, ' '));
  recorder.ListeningEnded();
  EXPECT_EQ(std::filesystem::file_size(file), kOccupancyFileLimit + 1) << "a file not read is not written over";
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text.rfind("StationOccupancyGet - Read, ", 0), 0u);
  EXPECT_DOUBLE_EQ(recorder.PendingSeconds(), 120);
  // A line that does not read (edited by hand) is named, and the file kept whole.
  const std::string edited = "System,Station,Frequency,Hour,Heard(Sec),Busy(Sec),Last Heard\r\n"
                             "HAM,W1AW,7102.0,3,600.0,0.0,2024-03-01\r\n"
                             "HAM,W1AW,10140.0,3,ten,0.0,2024-03-01\r\n";
  testing::WriteBytes(file, edited);
  recorder.ListeningEnded();
  EXPECT_EQ(testing::ReadBytes(file), edited);
  ASSERT_EQ(messages.entries.size(), 2u);
  EXPECT_EQ(messages.entries[1].text,
            "StationOccupancyGet - Read, Type mismatch in line 3: \"HAM,W1AW,10140.0,3,ten,0.0,2024-03-01\"");
  EXPECT_DOUBLE_EQ(recorder.PendingSeconds(), 120);

  testing::WriteBytes(file, "System,Station,Frequency,Hour,Heard(Sec),Busy(Sec),Last Heard\r\n"
                            "HAM,W1AW,14075.0,13,120.0,0.0,2024-02-09\r\n");
  recorder.ListeningEnded();
  EXPECT_EQ(testing::ReadBytes(file),
            "System,Station,Frequency,Hour,Heard(Sec),Busy(Sec),Last Heard\r\n"
            "HAM,W1AW,14075.0,13,120.0,45.0,2024-03-10\r\n"  // 120 s a month ago count 60
            "HAM,W1AW,14075.0,14,30.0,0.0,2024-03-10\r\n"
            "HAM,W1AW,14080.0(p3),14,30.0,0.0,2024-03-10\r\n");
  EXPECT_DOUBLE_EQ(recorder.PendingSeconds(), 0);
  // A file that cannot be written is named: the user must know which one to free.
  const auto held = folder.path() / "held" / kStationOccupancyDataFile;
  OccupancyRecorder later(held, settings, clock, messages);
  later.Heard(w1aw, 15, false);
  later.ListeningEnded();
  EXPECT_EQ(messages.entries.back().text.rfind("StationOccupancySet, ", 0), 0u);
  EXPECT_NE(messages.entries.back().text.find(NotWrittenText(held)), std::string::npos) << messages.entries.back().text;
}

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
      EXPECT_EQ(rig.messenger.Texts(),
                std::vector<std::string>{mode == kModeScanStations ? kCloseQuestionScan : kCloseQuestionAutoConnect});
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

// The table is kept once, for the run that did not connect: a later start
// that fails, or a noise collection that stops, while the status bar still
// tells of that run keeps nothing.
TEST(EngineRun, OnlyTheRunThatDidNotConnectKeepsItsTable) {
  EngineRig rig(kModeCurrentFrequency);
  rig.window.settings.noConnectData = true;
  rig.window.settings.connectAttempts = 2;
  rig.terminal.results = {TerminalStatus::NoAnswer, TerminalStatus::NoAnswer};
  rig.engine.AutoConnectStart();
  rig.Play("f 14f 11f f 14f 11f");
  ASSERT_EQ(rig.Status(), "Did not Connect");
  EXPECT_EQ(rig.kept.noConnectSaves, 1);
  rig.terminal.failing.insert("S");
  rig.engine.AutoConnectStart();
  rig.terminal.failing.insert("F");
  rig.engine.NoiseCollectionStart();
  rig.Play("f");
  EXPECT_FALSE(rig.engine.Running() || rig.engine.NoiseCollectionActive());
  EXPECT_EQ(rig.kept.noConnectSaves, 1);
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
}

}  // namespace
}  // namespace velmora
