// The per-buffer cost of "Digital Busy": the whole chain (analysis and
// Detect, default detector settings as AutoConnect runs them) with the
// option off and on, on generated channels, then on / off per channel.
// Run: build/native/digital_busy_bench --benchmark_repetitions=9
#include <cstdio>
#include <string>
#include <vector>

#include "bench/ChainBench.h"
#include "tools/signalgen/ChannelSignal.h"
#include "tools/signalgen/ShipNoise.h"

namespace {

using namespace velmora;
using namespace velmora::signalgen;

const char* const kChannels[] = {"white noise", "receiver noise", "OFDM", "PSK", "FSK", "Pactor 3", "steady birdies"};

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
    case 5:
      return ToPcm16(Generate({.form = Form::Pactor3, .variant = 2, .snrDb = 10, .seconds = seconds}).samples);
    default:  // three carriers, each fitted and taken out every buffer
      return ToPcm16(ShipChannel(ShipKind::Birdie, 20, seconds, 1));
  }
}

// Buffer after buffer of the recording: analysis, then Detect.
void BM_Chain(benchmark::State& state) {
  DetectorSettings settings;
  settings.digitalBusy = state.range(2) != 0;
  bench::ChainRun(state, static_cast<std::int32_t>(state.range(0)), Recording(static_cast<int>(state.range(1))),
                  settings);
  state.SetLabel(std::string(kChannels[state.range(1)]) + (settings.digitalBusy ? ", on" : ", off"));
}

BENCHMARK(BM_Chain)
    ->ArgsProduct({{512, 2048, 32768}, {0, 1, 2, 3, 4, 5, 6}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", bench::Least);

// Then the time with the option on as a multiple of the time without it.
class RatioReporter : public bench::TimesReporter {
  void Summary() override {
    for (int n : {512, 2048, 32768})
      for (int c = 0; c < 7; ++c) {
        const std::string args = "BM_Chain/" + std::to_string(n) + "/" + std::to_string(c) + "/";
        const double *off = Time(args + "0"), *on = Time(args + "1");
        if (!off || !on) continue;
        std::printf("%5d samples, %-15s off %8.1f us, on %8.1f us: %.2fx\n", n, kChannels[c], *off, *on, *on / *off);
      }
  }
};

}  // namespace

int main(int argc, char** argv) {
  RatioReporter reporter;
  return bench::RunBenchmarks(argc, argv, reporter);
}
