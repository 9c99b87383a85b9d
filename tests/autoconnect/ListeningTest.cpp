// What the engine and the scan, noise and reference machines tell the
// occupancy record: every buffer of every listening state, busy or not,
// none while calling or linked, none without sound; and the record kept
// at the end of the run, never before.
#include <gtest/gtest.h>

#include "autoconnect/OccupancyRecorder.h"
#include "tests/autoconnect/EngineRig.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using testing::EngineRig;
using S = TerminalStatus;

TEST(ChannelListening, EveryListeningStateTellsWhatItHeard) {
  // told: seconds heard and busy per frequency (a buffer is 0.5 s); noise: the noise collection, not a run.
  struct Case { const char* name; int mode; const char *script, *told; std::vector<S> results = {};
                bool txOnly = false, noise = false; };
  const Case cases[] = {
      {"mode 0 listens until the call, not while calling or linked", kModeCurrentFrequency, "f 13f b 14f 33f",
       "HAM/W1AW/10140.0 14.0/0.5", {S::Calling, S::Connected, S::Idle}},
      {"buffers without sound tell nothing", kModeCurrentFrequency, "f 4x 14f", "HAM/W1AW/10140.0 7.0/0.0"},
      {"mode 1: each Rx Check row, then the Tx Connect row", kModeMultipleFrequencies, "f 14f 14f 14f",
       "HAM/W1AW/7102.0 7.0/0.0, HAM/W1AW/10140.0 14.0/0.0"},
      {"mode 1: the busy station waited for on its Rx Check row", kModeMultipleFrequencies, "f 2b 14f 14f",
       "HAM/W1AW/7102.0 8.0/1.0, HAM/W1AW/10140.0 7.0/0.0"},
      {"mode 2: each station's rows", kModeMultipleStations, "f 14f 14f",
       "HAM/K1AA/7102.0 7.0/0.0, HAM/K1AA/10140.0 7.0/0.0"},
      {"mode 2, Tx only: a station given up, the next", kModeMultipleStations, "f 2b 3f",
       "HAM/K1AA/10140.0 1.0/1.0, HAM/W2BB/14105.0 1.5/0.0", {}, true},
      {"the scan", kModeScanStations, "f 10f 2b", "HAM/W1AW/10140.0 5.0/0.0, HAM/W1AW/14105.0(p3) 1.0/1.0"},
      {"the reference measurement", kModeReferenceStations, "f 10f 9f",
       "HAM/W1AW/7102.0 5.0/0.0, HAM/W1AW/10140.0 4.5/0.0"},
      {"the noise collection", kModeMultipleFrequencies, "f 2x 2f 3b",
       "HAM/W1AW/10140.0 1.0/0.0, HAM/W1AW/14105.0(p3) 1.5/1.5", {}, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EngineRig rig(c.mode);
    for (auto& row : rig.table.rows) row.cells[static_cast<int>(EngineColumn::Frequency)] = row.cells[0];
    rig.window.settings.connectTxOnly = c.txOnly;
    rig.terminal.results.assign(c.results.begin(), c.results.end());
    if (c.noise)
      rig.engine.NoiseCollectionStart();
    else
      rig.engine.AutoConnectStart();
    rig.Play(c.script);
    EXPECT_EQ(rig.listening.Told(), c.told);
    EXPECT_EQ(rig.listening.ends, 0) << "nothing kept while listening";
    rig.engine.StopPressed();
    EXPECT_EQ(rig.listening.ends, 1) << "kept once the run ended";
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
  EXPECT_FALSE(std::filesystem::exists(file)) << "never buffer by buffer";

  testing::WriteBytes(file, std::string(kOccupancyFileLimit + 1, ' '));
  recorder.ListeningEnded();
  EXPECT_EQ(std::filesystem::file_size(file), kOccupancyFileLimit + 1) << "a file not read is not written over";
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text.rfind("StationOccupancyGet - Read, ", 0), 0u);
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
  recorder.ListeningEnded();
  EXPECT_EQ(messages.entries.size(), 1u) << "nothing more heard, nothing more told";
}

}  // namespace
}  // namespace velmora
