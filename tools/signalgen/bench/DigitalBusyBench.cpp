// The per-buffer cost of "Digital Busy": the whole chain (analysis and
// Detect, default detector settings as AutoConnect runs them) with the
// option off and on, on generated channels, then on / off per channel.
// Run: build/native/digital_busy_bench --benchmark_repetitions=9
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "analysis/SignalAnalysis.h"
#include "tools/signalgen/ChannelSignal.h"

namespace {

using namespace velmora;
using namespace velmora::signalgen;

const char* const kChannels[] = {"white noise", "receiver noise", "OFDM", "PSK", "FSK", "Pactor 3"};

std::vector<std::int16_t> Recording(int channel) {
  constexpr double seconds = 24;
  switch (channel) {
    case 0:
      return ToPcm16(GenerateChannel({.seconds = seconds}).samples);
    case 1:
      return ToPcm16(GenerateChannel({.channel = FindChannel("agc-slow-s"), .seconds = seconds}).samples);
    case 2:
      return ToPcm16(GenerateChannel({.modem = FindModem("ofdm-s3"), .seconds = seconds}).samples);
    case 3:
      return ToPcm16(GenerateChannel({.modem = FindModem("psk-s2"), .seconds = seconds}).samples);
    case 4:
      return ToPcm16(GenerateChannel({.modem = FindModem("fsk-s2"), .seconds = seconds}).samples);
    default:
      return ToPcm16(Generate({.form = Form::Pactor3, .variant = 2, .snrDb = 10, .seconds = seconds}).samples);
  }
}

// Buffer after buffer of the recording: analysis, then Detect.
void BM_Chain(benchmark::State& state) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  const auto pcm = Recording(static_cast<int>(state.range(1)));
  DetectorSettings settings;
  settings.digitalBusy = state.range(2) != 0;
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
  state.SetLabel(std::string(kChannels[state.range(1)]) + (settings.digitalBusy ? ", on" : ", off"));
}

// The least of the repetitions: the figure least disturbed by other work
// on a shared machine.
double Least(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

BENCHMARK(BM_Chain)
    ->ArgsProduct({{2048, 32768}, {0, 1, 2, 3, 4, 5}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Least);

// The console report, then the time with the option on as a multiple of
// the time without it.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration || r.aggregate_name == "min")
        times_[r.run_name.args] = r.GetAdjustedCPUTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (int n : {2048, 32768})
      for (int c = 0; c < 6; ++c) {
        const std::string args = std::to_string(n) + "/" + std::to_string(c) + "/";
        const auto off = times_.find(args + "0"), on = times_.find(args + "1");
        if (off == times_.end() || on == times_.end()) continue;
        std::printf("%5d samples, %-15s off %8.1f us, on %8.1f us: %.2fx\n", n, kChannels[c], off->second, on->second,
                    on->second / off->second);
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
