// The per-buffer cost of the detector chain with "Pactor Fading" off and on,
// on a faded Pactor 3 link and on noise. Run:
// build/native/velmora-fading-bench --benchmark_repetitions=9
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/SignalAnalysis.h"
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
  const auto n = static_cast<std::int32_t>(state.range(0));
  const auto pcm = Recording(pactor);
  DetectorSettings settings;
  settings.pactorFading = state.range(1) != 0;
  if (state.range(2) != 0) {
    settings.burstEnabled = settings.peakEnabled = settings.pulseEnabled = true;
    settings.offsetFrequencyRange = 100;
  }
  SignalAnalysis analysis(settings);
  analysis.RestartContinuity();
  std::string panel;
  std::size_t start = 0;
  for (auto _ : state) {
    if (start + static_cast<std::size_t>(n) > pcm.size()) start = 0;
    analysis.Analyse({pcm.data() + start, static_cast<std::size_t>(n)}, n);
    benchmark::DoNotOptimize(analysis.Detect(panel));
    start += static_cast<std::size_t>(n);
  }
}

void BM_ChainFadedPactor3(benchmark::State& state) { Chain(state, true); }
void BM_ChainNoise(benchmark::State& state) { Chain(state, false); }

double Least(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

BENCHMARK(BM_ChainFadedPactor3)
    ->ArgsProduct({{2048, 32768}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Least);
BENCHMARK(BM_ChainNoise)
    ->ArgsProduct({{2048, 32768}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Least);

}  // namespace

BENCHMARK_MAIN();
