// What the engine adds to each processed buffer (a buffer lasts 186 ms at
// 2048 samples), with and without the occupancy record fed; what one log
// record costs at the end of a run when the log already holds years of
// runs; and the occupancy file of a year's listening: its size, its read,
// and its update at the end of a run.
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>

#include "autoconnect/OccupancyRecorder.h"
#include "tests/autoconnect/EngineRig.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// Free, busy and noisy buffers in turn: stations are given up and taken
// again, as on a crowded band.
void BM_UpdateWhileListening(benchmark::State& state) {
  testing::EngineRig rig(kModeMultipleStations);
  testing::TempFolder folder;
  SystemUtcClock clock;
  RecordingMessenger messenger;
  OccupancyRecorder recorder(folder.path() / kStationOccupancyDataFile, rig.window.settings, clock, messenger);
  // 0: nothing told; 1: the occupancy record fed, as the window feeds it.
  rig.engine.ListeningSet(state.range(0) ? &recorder : nullptr);
  rig.terminal.inside = nullptr;
  rig.window.settings.connectNotBusy = 1e9f;  // never calls
  rig.engine.AutoConnectStart();
  rig.Play("f 14f");  // on the Tx Connect row
  const Verdict verdicts[] = {{true, false, false, false}, {true, true, false, false}, {true, false, true, false}};
  size_t i = 0;
  for (auto _ : state) rig.engine.Update(verdicts[i++ % 3]);
}
BENCHMARK(BM_UpdateWhileListening)->Arg(0)->Arg(1);

// A year of listening to 200 station frequencies at every hour: each day
// some minutes per hour, busy as each channel's habit has it.
StationOccupancy YearOfListening(OccupancyDay end) {
  StationOccupancy record;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> share(0, 1);
  std::vector<double> habits;
  for (int i = 0; i < 200 * 24; ++i) habits.push_back(share(random));
  for (int day = 364; day >= 0; --day)
    for (int i = 0; i < 200 * 24; ++i) {
      OccupancyKey key{"SAILMAIL", "ST" + std::to_string(i / 24 / 10), std::to_string(7000 + i / 24 % 10 * 1013) +
                                                                      ".5(p3)", i % 24};
      double heard = 60 + 600 * share(random);
      record.Add(key, heard, heard * habits[static_cast<size_t>(i)], end - std::chrono::days(day), 30);
    }
  return record;
}

const std::filesystem::path& YearFile(const testing::TempFolder& folder) {
  static const std::filesystem::path file = [&] {
    auto path = folder.path() / kStationOccupancyDataFile;
    std::error_code error;
    StationOccupancyWrite(path, YearOfListening(OccupancyDayOf(UtcNow())), error);
    return path;
  }();
  return file;
}

void BM_OccupancyFileOfAYearRead(benchmark::State& state) {
  static const testing::TempFolder folder;
  const auto& file = YearFile(folder);
  size_t entries = 0;
  for (auto _ : state) entries = StationOccupancyRead(file).record.All().size();
  state.counters["entries"] = static_cast<double>(entries);
  state.counters["file KB"] = static_cast<double>(std::filesystem::file_size(file)) / 1024;
}
BENCHMARK(BM_OccupancyFileOfAYearRead)->Unit(benchmark::kMillisecond);

// The end of a run that heard four frequencies for an hour: the file read,
// the run's seconds added, bounded and written whole.
void BM_OccupancyRunEnd(benchmark::State& state) {
  static const testing::TempFolder folder;
  const auto& file = YearFile(folder);
  AutoConnectSettings settings;
  SystemUtcClock clock;
  RecordingMessenger messenger;
  OccupancyRecorder recorder(file, settings, clock, messenger);
  const CallTarget heard[] = {{"SAILMAIL", "ST3", "7000.5(p3)"}, {"SAILMAIL", "ST3", "8013.5(p3)"},
                               {"SAILMAIL", "ST3", "9026.5(p3)"}, {"SAILMAIL", "ST3", "10039.5(p3)"}};
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < 4 * 3600 * 11025 / 2048; ++i) recorder.Heard(heard[i % 4], 2048.0 / 11025, i % 3 == 0);
    state.ResumeTiming();
    recorder.ListeningEnded();
  }
}
BENCHMARK(BM_OccupancyRunEnd)->Unit(benchmark::kMillisecond);

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
