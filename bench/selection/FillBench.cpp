// Times the fill of the multiple-stations table for 20 stations of 12
// frequencies each (bench/selection/data, 40 blocks) with the real VOACAP:
// every block in one run beside one run per block, the program's time
// apart from Velmora's own, then the same fill again within the hour, when
// no program starts.
// Run by hand under Wine: build/windows/velmora-fill-bench.exe
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "airmail/MailSystems.h"
#include "tests/propagation/TimedProgram.h"
#include "propagation/win32/Win32ModelProgram.h"
#include "selection/AirmailStationGeometry.h"
#include "selection/ModelPredictions.h"
#include "tests/common/win32/TestWin32.h"
#include "tests/selection/SelectionFakes.h"

using namespace velmora;

namespace {

namespace fs = std::filesystem;

struct Figures {
  double total = 0, program = 0, files = 0;
  int starts = 0, rows = 0;
};

struct Fills {
  std::vector<Figures> first, again;
  std::vector<std::string> cells;  // the last fill's table, every row kept
};

void Fill(size_t blocksPerRun, Fills& fills) {
  testing::SelectionRig rig;
  fs::copy_file(testing::HostPath(std::string(VELMORA_SOURCE_DIR) + "/bench/selection/data/System.BENCH.ini"),
                fs::path(rig.data.Folder()) / "System.BENCH.ini");
  SelectionList systems;
  SystemGetList(rig.data, systems, 0);
  auto bench = std::find(systems.entries.begin(), systems.entries.end(), "BENCH") - systems.entries.begin();
  Win32ModelProgram real;
  testing::TimedProgram timed(real);
  ModelOutputCache kept;
  PropagationRunner runner(timed, rig.messages, {kItshfbcFolder, 0, 5, &kept, nullptr, blocksPerRun});
  ModelPredictions model(runner, rig.data, rig.settings);
  AirmailStationGeometry airmail(rig.data);
  rig.settings.propagationModelModel = kModelVoacap;
  rig.settings.autoSelectSnr = false;  // every row stays, to be compared
  rig.settings.stationStations = false;
  rig.window.fields = [bench](AutoConnectSettings& s) {
    s.modeIndex = kModeMultipleStations;
    s.connectSystemIndex = static_cast<int>(bench);
  };
  rig.clock.now = UtcNow();
  TableConfiguration configuration(rig.table, rig.settings,
                                   {{model, airmail, rig.data, rig.program, rig.colors}, rig.clock, rig.window,
                                    rig.dependents, rig.terminal, rig.modeTables, testing::TemplateWidth});
  for (auto* figures : {&fills.first, &fills.again}) {
    double programBefore = timed.programSeconds, filesBefore = timed.fileSeconds;
    int startsBefore = timed.starts;
    auto start = std::chrono::steady_clock::now();
    configuration.Configure();
    double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    figures->push_back(
        {total, timed.programSeconds - programBefore, timed.fileSeconds - filesBefore, timed.starts - startsBefore,
         rig.table.DataRows()});
  }
  for (const auto& m : rig.messages.Texts()) std::fprintf(stderr, "message: %s\n", m.c_str());
  fills.cells.clear();
  for (int row = 0; row < rig.table.Rows(); ++row)
    for (int column = 0; column < rig.table.Columns(); ++column)
      fills.cells.push_back(rig.table.CellGet(row, column) + (rig.table.CheckGet(row, column) ? "+" : ""));
}

Figures Best(const std::vector<Figures>& runs) {
  return *std::min_element(runs.begin(), runs.end(), [](auto& a, auto& b) { return a.total < b.total; });
}

}  // namespace

int main() {
  std::error_code error;
  fs::copy(testing::HostPath(std::string(VELMORA_SOURCE_DIR) + "/../shared/itshfbc"), kItshfbcFolder,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
  if (error) {
    std::fprintf(stderr, "no ../shared/itshfbc to copy to c:\\itshfbc\n");
    return 1;
  }
  constexpr int kRounds = 5;
  Fills joint, alone;
  for (int round = 0; round < kRounds; ++round) {
    Fill(PropagationSetup{}.blocksPerRun, joint);
    Fill(1, alone);
  }
  std::printf("mode 2, 20 stations of 12 frequencies (40 blocks), best of %d\n", kRounds);
  for (auto [name, fills] : {std::pair{"one run", &joint}, {"a run per block", &alone}}) {
    Figures f = Best(fills->first), a = Best(fills->again);
    std::printf("%s, first fill: %.1f ms total, %.1f ms in the program (%d runs), %.2f ms our own (%.2f ms of it "
                "the deck and output files), %d rows\n",
                name, f.total * 1e3, f.program * 1e3, f.starts, (f.total - f.program) * 1e3, f.files * 1e3, f.rows);
    std::printf("%s, again: %.2f ms total, %d runs, %d rows\n", name, a.total * 1e3, a.starts, a.rows);
  }
  size_t differing = 0;
  for (size_t k = 0; k < joint.cells.size() && k < alone.cells.size(); ++k)
    differing += joint.cells[k] != alone.cells[k];
  std::printf("tables: %zu cells each, %zu differ\n", joint.cells.size(), differing);
  return 0;
}
