#pragma once
// What the benchmarks of the detector chain share: the chain run buffer
// after buffer over a recording, the least of the repetitions, and a main
// that reports through a reporter of the benchmark's own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "analysis/SignalAnalysis.h"
#include "common/SampleFormat.h"

namespace velmora::bench {

// Analysis, then Detect, on one buffer of `samples` after another, from the
// recording's start again at its end; counts how much faster than real time.
inline void ChainRun(benchmark::State& state, std::int32_t samples, std::span<const std::int16_t> pcm,
                     DetectorSettings settings) {
  SignalAnalysis analysis(settings);
  analysis.RestartContinuity();
  std::string panel;
  const auto n = static_cast<std::size_t>(samples);
  std::size_t start = 0, buffers = 0;
  for (auto _ : state) {
    if (start + n > pcm.size()) start = 0;
    analysis.Analyse({pcm.data() + start, n}, samples);
    benchmark::DoNotOptimize(analysis.Detect(panel));
    start += n;
    ++buffers;
  }
  state.counters["x_real_time"] =
      benchmark::Counter(static_cast<double>(buffers) * samples / kSampleRate, benchmark::Counter::kIsRate);
}

// The least of the repetitions is the figure least disturbed by other work on
// a shared machine: run with --benchmark_repetitions=9.
inline double Least(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// Each run's processor time per iteration by its name, kept for a summary
// printed after the console report.
class TimesReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) times_[r.benchmark_name()] = r.GetAdjustedCPUTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    Summary();
  }

 protected:
  virtual void Summary() = 0;
  // The least of the repetitions when there were some, else the single run.
  const double* Time(const std::string& name) const {
    auto least = times_.find(name + "_min");
    if (least == times_.end()) least = times_.find(name);
    return least == times_.end() ? nullptr : &least->second;
  }

 private:
  std::map<std::string, double> times_;
};

inline int RunBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter& reporter) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace velmora::bench
