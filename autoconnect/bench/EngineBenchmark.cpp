// What the engine adds to each processed buffer (a buffer lasts 186 ms at
// 2048 samples), and what one log record costs at the end of a run when
// the log already holds years of runs.
#include <benchmark/benchmark.h>

#include <fstream>

#include "tests/autoconnect/EngineRig.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// Free, busy and noisy buffers in turn: stations are given up and taken
// again, as on a crowded band.
void BM_UpdateWhileListening(benchmark::State& state) {
  testing::EngineRig rig(kModeMultipleStations);
  rig.terminal.inside = nullptr;
  rig.window.settings.connectNotBusy = 1e9f;  // never calls
  rig.engine.AutoConnectStart();
  rig.Play("f 14f");  // on the Tx Connect row
  const Verdict verdicts[] = {{true, false, false, false}, {true, true, false, false}, {true, false, true, false}};
  size_t i = 0;
  for (auto _ : state) rig.engine.Update(verdicts[i++ % 3]);
}
BENCHMARK(BM_UpdateWhileListening);

class NoShip final : public ShipPosition {
 public:
  std::optional<LatLon> LatLonGetCurrent() override { return std::nullopt; }
};

void BM_LogRecordAfter100000Runs(benchmark::State& state) {
  testing::TempFolder folder;
  const auto file = AutoConnectLogPath(folder.path());
  {
    std::ofstream out(file, std::ios::binary);
    out << kAutoConnectLogHeading << "\r\n";
    for (int i = 0; i < 100000; ++i)
      out << "03/09/24 07:05:04,2,5,19,1,186,12,0,3,Connected ,2,W1AW,-33.8675,151.2069,12.5,2,23.75,422.3125,3.5,"
             "20.25\r\n";
  }
  testing::FakeClock clock;
  testing::FakeDetectors detectors;
  NoShip ship;
  RecordingMessenger messenger;
  AutoConnectLog log(file, clock, ship, detectors, messenger);
  RunStatistics statistics;
  for (auto _ : state) {
    log.LogFileStart();
    log.LogFileStop(statistics, "Did not Connect ", 2);
  }
  state.counters["log MB"] = static_cast<double>(std::filesystem::file_size(file)) / (1 << 20);
}
BENCHMARK(BM_LogRecordAfter100000Runs)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
