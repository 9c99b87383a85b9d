// Velmora's own share of rebuilding the table of mode 2: reading AirMail's
// station file, adding and filling the rows, the corrections and AutoSelect,
// with predictions that cost nothing (the prediction program's time is the
// propagation side's to measure). Also the table's sort alone.
#include <benchmark/benchmark.h>

#include "selection/StationHistoryData.h"
#include "selection/TableSort.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

// A system of `stations` stations with ten frequencies in two groups each,
// every one selected, with offsets and history for all of them.
void WriteSystem(testing::SelectionRig& rig, int stations) {
  std::string info = "[Station Info]\r\n", list = "[Frequency List]\r\n", selected, offsets, history;
  for (int i = 0; i < stations; ++i) {
    std::string key = "S" + std::to_string(100 + i);
    info += key + "=FN" + std::to_string(i % 10) + std::to_string(i / 10 % 10) + ":x\r\n";
    list += key + "=3590,5870#,7102,7105#,10145.5;10147#,14075,14105.5#,18105,21105#\r\n";
    selected += (i ? "," : "") + key;
    offsets += "BIG," + key + ",7102.0 10145.5,2,60,90,0000,2400\r\n";
    history += "[BIG," + key + "]\r\n7102.0=1\r\n14075.0=-0.5\r\n";
  }
  testing::WriteBytes(rig.data.File("System.BIG.ini"),
                      info + "\r\n" + list + "\r\n[Frequency Setup]\r\nSelected=" + selected + "\r\n");
  testing::WriteBytes(rig.program / kStationOffsetDataFile, std::string(kStationOffsetHeading) + "\r\n" + offsets);
  testing::WriteBytes(rig.program / kStationHistoryDataFile, history);
  for (const char* name : {"System.HAM.ini", "System.SAILMAIL.ini"}) std::filesystem::remove(rig.data.File(name));
}

void BM_ConfigureMultipleStations(benchmark::State& state) {
  testing::SelectionRig rig;
  WriteSystem(rig, static_cast<int>(state.range(0)));
  rig.window.fields = [](AutoConnectSettings& s) { s.modeIndex = kModeMultipleStations; };
  rig.settings.autoSelectAllStations = false;
  rig.settings.autoSelectRangeMax = 20000;
  rig.predictions.snr = [](const std::string& station, double kHz) { return 40 + (station.back() - '0') + kHz / 1000; };
  auto configuration = rig.Configuration();
  for (auto _ : state) {
    configuration.Configure();
    benchmark::DoNotOptimize(rig.table.Rows());
  }
  state.counters["stations"] = static_cast<double>(rig.predictions.requests.size() / state.iterations());
}
BENCHMARK(BM_ConfigureMultipleStations)->Arg(20)->Arg(50)->Arg(1001)->Unit(benchmark::kMillisecond);

void BM_SortRows(benchmark::State& state) {
  testing::SelectionRig rig;
  ColumnsBuild(rig.table, kModeMultipleStations, rig.settings, testing::TemplateWidth);
  for (int i = 0; i < state.range(0); ++i) {
    int row = rig.table.RowAdd();
    rig.table.CheckCellSet(row, kColumnTxConnect, std::to_string(3000 + (i * 7919) % 20000) + ".0", true);
    rig.table.CellSet(row, kColumnSnr, std::to_string((i * 31) % 70));
  }
  const SortKey keys[] = {{kColumnSnr, kSortNumericDescending}, {kColumnTxConnect, kSortNumericDescending}};
  for (auto _ : state) {
    state.PauseTiming();
    const SortKey scramble[] = {{kColumnStation, kSortTextAscending}, {kColumnTxConnect, kSortTextAscending}};
    SortRows(rig.table, 1, rig.table.DataRows(), scramble, rig.messages);
    state.ResumeTiming();
    SortRows(rig.table, 1, rig.table.DataRows(), keys, rig.messages);
  }
}
BENCHMARK(BM_SortRows)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
