// Times one prediction for every station of the fixture's SAILMAIL file
// (the fill of the multiple-stations table), the outside program's time
// apart from our own, and the same fill again with the outputs kept.
// Run by hand under Wine: build/windows/velmora-propagation-bench.exe
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "propagation/Positions.h"
#include "propagation/PropagationRunner.h"
#include "tests/propagation/TimedProgram.h"
#include "propagation/win32/Win32ModelProgram.h"
#include "tests/common/win32/TestWin32.h"

namespace fs = std::filesystem;
using namespace velmora;

namespace {

struct Station {
  const char* key;
  std::vector<float> frequencies;  // the fixture's [Frequency List]
  LatLon position;
};

struct Figures {
  double total = 0, program = 0;
  int starts = 0;
};

Figures Fill(std::vector<Station>& stations, const LatLon& ship, ModelOutputCache& cache, Messenger& messages) {
  Win32ModelProgram program;
  testing::TimedProgram timed(program);
  PropagationRunner runner(timed, messages, {kItshfbcFolder, 0, 5, &cache, nullptr});
  PropagationParameters parameters;
  parameters.sunSpotNumber = 112;
  const UtcDateTime when = UtcNow();
  auto start = std::chrono::steady_clock::now();
  runner.StationsBegin(static_cast<int>(stations.size()));
  for (auto& s : stations) {
    PredictionNow now;
    if (!runner.PropagationRunNow(kModelVoacap, when, {s.position, ship}, s.frequencies, parameters, now))
      std::fprintf(stderr, "%s failed\n", s.key);
  }
  double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return {total, timed.programSeconds, timed.starts};
}

}  // namespace

int main() {
  fs::path source = testing::HostPath(std::string(VELMORA_SOURCE_DIR) + "/../shared/itshfbc");
  std::error_code error;
  fs::copy(source, kItshfbcFolder, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
  RecordingMessenger messages;
  AirmailDataFolder data(testing::HostPath(std::string(VELMORA_SOURCE_DIR) + "/tests/airmail/fixture/data").string(),
                         messages);
  LatLon ship;
  if (error || !LatLonGetCurrent(data, ship)) {
    std::fprintf(stderr, "no c:\\itshfbc or no ship position\n");
    return 1;
  }
  std::vector<Station> stations = {{"WPE", {8146, 12454, 16695, 22391}, {}},
                                   {"WLO", {6318.5f, 8420.5f, 12680.5f}, {}},
                                   {"HP1A", {8146.5f, 12464}, {}},
                                   {"HP2B", {10313, 13894}, {}}};
  for (auto& s : stations) LatLonGetStation(data, "SAILMAIL", s.key, s.position, true);

  constexpr int kRounds = 7;
  std::vector<Figures> cold, warm;
  for (int i = 0; i < kRounds; ++i) {
    ModelOutputCache cache;
    cold.push_back(Fill(stations, ship, cache, messages));
    warm.push_back(Fill(stations, ship, cache, messages));
  }
  auto best = [](const std::vector<Figures>& runs) {
    return *std::min_element(runs.begin(), runs.end(), [](auto& a, auto& b) { return a.total < b.total; });
  };
  Figures c = best(cold), w = best(warm);
  std::printf("stations %zu, best of %d\n", stations.size(), kRounds);
  std::printf("first fill:  %.1f ms total, %.1f ms in the program (%d runs), %.2f ms our own\n", c.total * 1e3,
              c.program * 1e3, c.starts, (c.total - c.program) * 1e3);
  std::printf("second fill: %.3f ms total, %d runs\n", w.total * 1e3, w.starts);
  for (const auto& m : messages.Texts()) std::fprintf(stderr, "message: %s\n", m.c_str());
  return 0;
}
