// Times the fill of the multiple-stations table for the fixture's SAILMAIL
// stations with the real VOACAP (the program's time apart from Velmora's
// own), then the same fill again within the hour, when no program starts.
// Run by hand under Wine: build/windows/velmora-fill-bench.exe
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "propagation/bench/TimedProgram.h"
#include "propagation/win32/Win32ModelProgram.h"
#include "selection/AirmailStationGeometry.h"
#include "selection/ModelPredictions.h"
#include "tests/common/win32/TestWin32.h"
#include "tests/selection/SelectionFakes.h"

using namespace velmora;

namespace {

struct Figures {
  double total = 0, program = 0;
  int starts = 0, rows = 0;
};

}  // namespace

int main() {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::copy(testing::HostPath(std::string(VELMORA_SOURCE_DIR) + "/../shared/itshfbc"), kItshfbcFolder,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
  if (error) {
    std::fprintf(stderr, "no ../shared/itshfbc to copy to c:\\itshfbc\n");
    return 1;
  }
  constexpr int kRounds = 7;
  std::vector<Figures> first, again;
  for (int round = 0; round < kRounds; ++round) {
    testing::SelectionRig rig;
    Win32ModelProgram real;
    testing::TimedProgram timed(real);
    ModelOutputCache kept;
    PropagationRunner runner(timed, rig.messages, {kItshfbcFolder, 0, 5, &kept, nullptr});
    ModelPredictions model(runner, rig.data, rig.settings);
    AirmailStationGeometry airmail(rig.data);
    rig.settings.propagationModelModel = kModelVoacap;
    rig.settings.autoSelectRangeMax = 20000;  // all four stations
    rig.window.fields = [](AutoConnectSettings& s) {
      s.modeIndex = kModeMultipleStations;
      s.connectSystemIndex = 1;  // SAILMAIL
    };
    rig.clock.now = UtcNow();
    TableConfiguration configuration(rig.table, rig.settings,
                                     {{model, airmail, rig.data, rig.program, rig.colors}, rig.clock, rig.window,
                                      rig.dependents, rig.terminal, rig.modeTables, testing::TemplateWidth});
    for (auto* figures : {&first, &again}) {
      double programBefore = timed.programSeconds;
      int startsBefore = timed.starts;
      auto start = std::chrono::steady_clock::now();
      configuration.Configure();
      double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      figures->push_back({total, timed.programSeconds - programBefore, timed.starts - startsBefore,
                          rig.table.DataRows()});
    }
    for (const auto& m : rig.messages.Texts()) std::fprintf(stderr, "message: %s\n", m.c_str());
  }
  auto best = [](const std::vector<Figures>& runs) {
    return *std::min_element(runs.begin(), runs.end(), [](auto& a, auto& b) { return a.total < b.total; });
  };
  Figures f = best(first), a = best(again);
  std::printf("mode 2, SAILMAIL, 4 stations, best of %d\n", kRounds);
  std::printf("first fill:  %.1f ms total, %.1f ms in the program (%d runs), %.2f ms our own, %d rows\n",
              f.total * 1e3, f.program * 1e3, f.starts, (f.total - f.program) * 1e3, f.rows);
  std::printf("second fill: %.2f ms total, %d runs, %d rows\n", a.total * 1e3, a.starts, a.rows);
  return 0;
}
