// Speed of the transform beside FFTW, and of the whole per-buffer chain.
// Run: build/native/bench/analysis/analysis_bench --benchmark_repetitions=9
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "analysis/FftPlan.h"
#include "analysis/MathLib.h"
#include "bench/ChainBench.h"
#include "tools/signalgen/SignalGen.h"
#include "common/SampleFormat.h"

namespace {

using namespace velmora;

std::vector<Complex> Input(std::size_t n) {
  signalgen::Random random(7);
  std::vector<Complex> data(n);
  for (auto& c : data) c = {static_cast<float>(random.Gaussian() * 1000), 0.0f};
  return data;
}

// The plan's transform of log2n points, warmed once.
void TransformTimed(benchmark::State& state, FftPlan plan) {
  const int log2n = static_cast<int>(state.range(0));
  const auto input = Input(std::size_t{1} << log2n);
  auto data = input;
  plan.Transform(1, data, log2n);
  for (auto _ : state) {
    data = input;
    plan.Transform(1, data, log2n);
    benchmark::DoNotOptimize(data.data());
  }
}

void BM_Fft(benchmark::State& state) { TransformTimed(state, FftPlan()); }

// The same transform on each of the paths this processor has.
void BM_FftPath(benchmark::State& state) {
  const auto path = static_cast<FftPath>(state.range(1));
  if (!FftPlan::Supported(path)) return state.SkipWithError("path not supported here");
  TransformTimed(state, FftPlan(path));
}

void BM_FftPlain(benchmark::State& state) {
  const int log2n = static_cast<int>(state.range(0));
  const auto input = Input(std::size_t{1} << log2n);
  auto data = input;
  for (auto _ : state) {
    data = input;
    Fft(1, data, log2n);
    benchmark::DoNotOptimize(data.data());
  }
}

void BM_Fftw(benchmark::State& state) {
  const int log2n = static_cast<int>(state.range(0));
  const int n = 1 << log2n;
  const auto input = Input(static_cast<std::size_t>(n));
  auto* data = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * n));
  fftwf_plan plan = fftwf_plan_dft_1d(n, data, data, FFTW_FORWARD, FFTW_MEASURE);
  for (auto _ : state) {
    for (int i = 0; i < n; ++i) {
      data[i][0] = input[static_cast<std::size_t>(i)].re;
      data[i][1] = input[static_cast<std::size_t>(i)].im;
    }
    fftwf_execute(plan);
    benchmark::DoNotOptimize(data);
  }
  fftwf_destroy_plan(plan);
  fftwf_free(data);
}

using bench::Least;

BENCHMARK(BM_Fft)->Arg(8)->Arg(11)->Arg(15)->ComputeStatistics("min", Least);
BENCHMARK(BM_FftPath)->ArgsProduct({{8, 11, 15}, {0, 1, 2}})->ComputeStatistics("min", Least);
BENCHMARK(BM_FftPlain)->Arg(8)->Arg(11)->Arg(15)->ComputeStatistics("min", Least);
BENCHMARK(BM_Fftw)->Arg(8)->Arg(11)->Arg(15)->ComputeStatistics("min", Least);

// Every detector of the normal chain on, offset search ±100 Hz in 20 Hz steps.
DetectorSettings EveryDetector() {
  DetectorSettings s;
  s.powerEnabled = s.pactor2Enabled = s.pactor3Enabled = true;
  s.burstEnabled = s.peakEnabled = s.pulseEnabled = true;
  s.offsetFrequencyRange = 100;
  s.offsetFrequencyStep = 20;
  return s;
}

std::vector<std::int16_t> Recording(signalgen::Form form) {
  signalgen::SignalRecipe recipe;
  recipe.form = form;
  recipe.variant = 2;
  recipe.snrDb = 10;
  recipe.seconds = 24;
  return signalgen::ToPcm16(signalgen::Generate(recipe).samples);
}

// The whole chain, every detector on ("Digital Busy" and "Pactor Fading"
// are measured by bench/signalgen).
void Chain(benchmark::State& state, signalgen::Form form) {
  bench::ChainRun(state, static_cast<std::int32_t>(state.range(0)), Recording(form), EveryDetector());
}

void BM_ChainNoise(benchmark::State& state) { Chain(state, signalgen::Form::Noise); }
void BM_ChainPactor3(benchmark::State& state) { Chain(state, signalgen::Form::Pactor3); }
BENCHMARK(BM_ChainNoise)->Arg(2048)->Arg(32768)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_ChainPactor3)->Arg(2048)->Arg(32768)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Least);

// Then our transform's time as a multiple of FFTW's.
class RatioReporter : public bench::TimesReporter {
  void Summary() override {
    for (int log2n : {8, 11, 15}) {
      const std::string arg = "/" + std::to_string(log2n);
      const double *ours = Time("BM_Fft" + arg), *fftw = Time("BM_Fftw" + arg), *plain = Time("BM_FftPlain" + arg);
      if (!ours || !fftw) continue;
      std::printf("Fft %5d points: %.2fx FFTW's time", 1 << log2n, *ours / *fftw);
      if (plain) std::printf(" (plain recurrence form %.2fx)", *plain / *fftw);
      std::printf("\n");
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  RatioReporter reporter;
  return bench::RunBenchmarks(argc, argv, reporter);
}
