// Speed of the transform beside FFTW, and of the whole per-buffer chain.
// Run: build/native/tests/bench/analysis/analysis_bench --benchmark_repetitions=9
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
#include "analysis/SignalAnalysis.h"
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

void BM_Fft(benchmark::State& state) {
  const int log2n = static_cast<int>(state.range(0));
  const auto input = Input(std::size_t{1} << log2n);
  auto data = input;
  FftPlan plan;
  plan.Transform(1, data, log2n);
  for (auto _ : state) {
    data = input;
    plan.Transform(1, data, log2n);
    benchmark::DoNotOptimize(data.data());
  }
}

// The same transform on each of the paths this processor has.
void BM_FftPath(benchmark::State& state) {
  const int log2n = static_cast<int>(state.range(0));
  const auto path = static_cast<FftPath>(state.range(1));
  if (!FftPlan::Supported(path)) {
    state.SkipWithError("path not supported here");
    return;
  }
  const auto input = Input(std::size_t{1} << log2n);
  auto data = input;
  FftPlan plan(path);
  plan.Transform(1, data, log2n);
  for (auto _ : state) {
    data = input;
    plan.Transform(1, data, log2n);
    benchmark::DoNotOptimize(data.data());
  }
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

// The least of the repetitions is the figure least disturbed by other work on
// a shared machine: run with --benchmark_repetitions=9.
double Least(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

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

// One buffer after another of a recording: analysis, then Detect ("Digital
// Busy" is measured by tools/signalgen/DigitalBusyBench.cpp).
void Chain(benchmark::State& state, signalgen::Form form) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  const auto pcm = Recording(form);
  DetectorSettings settings = EveryDetector();
  SignalAnalysis analysis(settings);
  analysis.RestartContinuity();
  std::string panel;
  std::size_t start = 0, buffers = 0;
  for (auto _ : state) {
    if (start + static_cast<std::size_t>(n) > pcm.size()) start = 0;
    analysis.Analyse({pcm.data() + start, static_cast<std::size_t>(n)}, n);
    benchmark::DoNotOptimize(analysis.Detect(panel));
    start += static_cast<std::size_t>(n);
    ++buffers;
  }
  state.counters["x_real_time"] =
      benchmark::Counter(static_cast<double>(buffers) * n / kSampleRate, benchmark::Counter::kIsRate);
}

void BM_ChainNoise(benchmark::State& state) { Chain(state, signalgen::Form::Noise); }
void BM_ChainPactor3(benchmark::State& state) { Chain(state, signalgen::Form::Pactor3); }
BENCHMARK(BM_ChainNoise)->Arg(2048)->Arg(32768)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_ChainPactor3)->Arg(2048)->Arg(32768)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Least);

// The console report, then our transform's time as a multiple of FFTW's.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) times_[r.benchmark_name()] = r.GetAdjustedCPUTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    // With repetitions the least of them, else the single run.
    const std::string suffix = times_.count("BM_Fft/8_min") ? "_min" : "";
    for (int log2n : {8, 11, 15}) {
      const std::string arg = "/" + std::to_string(log2n) + suffix;
      const auto ours = times_.find("BM_Fft" + arg), fftw = times_.find("BM_Fftw" + arg);
      const auto plain = times_.find("BM_FftPlain" + arg);
      if (ours == times_.end() || fftw == times_.end()) continue;
      std::printf("Fft %5d points: %.2fx FFTW's time", 1 << log2n, ours->second / fftw->second);
      if (plain != times_.end()) std::printf(" (plain recurrence form %.2fx)", plain->second / fftw->second);
      std::printf("\n");
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
