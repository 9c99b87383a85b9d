// The per-buffer cost of the detector chain with "Pactor Fading" off and on,
// on a faded Pactor 3 link and on noise. Run:
// build/native/velmora-fading-bench --benchmark_repetitions=9
#include <vector>

#include "bench/ChainBench.h"
#include "tools/signalgen/FadingSweep.h"

namespace {

using namespace velmora;

std::vector<std::int16_t> Recording(bool pactor) {
  signalgen::FadingChannel good;
  signalgen::NamedChannel("good", good);
  signalgen::SignalRecipe r = signalgen::FadingRecipe(5, good, 31, 24, false);
  if (!pactor) r.form = signalgen::Form::Noise;
  r.snrDb = 6;
  return signalgen::ToPcm16(signalgen::Generate(r).samples);
}

// One buffer after another: analysis, then Detect. state.range: the sample
// size, the option, every detector (offset search ±100 Hz) or the defaults.
void Chain(benchmark::State& state, bool pactor) {
  DetectorSettings settings;
  settings.pactorFading = state.range(1) != 0;
  if (state.range(2) != 0) {
    settings.burstEnabled = settings.peakEnabled = settings.pulseEnabled = true;
    settings.offsetFrequencyRange = 100;
  }
  bench::ChainRun(state, static_cast<std::int32_t>(state.range(0)), Recording(pactor), settings);
}

void BM_ChainFadedPactor3(benchmark::State& state) { Chain(state, true); }
void BM_ChainNoise(benchmark::State& state) { Chain(state, false); }

BENCHMARK(BM_ChainFadedPactor3)
    ->ArgsProduct({{2048, 32768}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", bench::Least);
BENCHMARK(BM_ChainNoise)
    ->ArgsProduct({{2048, 32768}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", bench::Least);

}  // namespace

BENCHMARK_MAIN();
