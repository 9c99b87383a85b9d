// One check of a 100 MB debug log after 1 KB was appended, beside a check
// that reads the whole log: a check costs what was appended.
#include <benchmark/benchmark.h>

#include <fstream>

#include "airmail/DebugLogMonitor.h"
#include "tests/airmail/FakeSeams.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

constexpr size_t kLogSize = 100u << 20;

std::string Lines(size_t bytes) {
  std::string text;
  for (int i = 0; text.size() < bytes; ++i)
    text += "2026-01-01 10:00:00 Sending block " + std::to_string(i) + " to W1AW, 512 bytes\r\n";
  text.resize(bytes - 2);
  return text + "\r\n";
}

class BigLog {
 public:
  BigLog() {
    std::filesystem::create_directories(folder_.path() / "Logfiles");
    std::ofstream out(Path(), std::ios::binary);
    std::string block = Lines(1u << 20);
    for (size_t written = 0; written < kLogSize; written += block.size()) out << block;
  }
  std::filesystem::path Path() const { return folder_.path() / "Logfiles" / "Debug.log"; }
  std::string Data() const { return folder_.path().string(); }

 private:
  testing::TempFolder folder_;  // removed with the log
};

void BM_CheckAfterOneKilobyteAppended(benchmark::State& state) {
  BigLog log;
  RecordingMessenger messenger;
  testing::CountingActivator activator;
  DebugLogMonitor monitor(messenger, activator);
  monitor.TerminalConnectCheckFileInitialize(log.Data());
  const std::string appended = Lines(1000) + "2026-01-01 10:30:00 Connected to W1AW\r\n";
  std::ofstream out(log.Path(), std::ios::binary | std::ios::app);
  for (auto _ : state) {
    state.PauseTiming();
    out << appended << std::flush;
    state.ResumeTiming();
    benchmark::DoNotOptimize(monitor.TerminalConnectCheckFile(log.Data()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * appended.size()));
}
BENCHMARK(BM_CheckAfterOneKilobyteAppended)->Unit(benchmark::kMicrosecond);

// The same check when nothing of the log had been read yet: every line.
void BM_CheckOfTheWholeLog(benchmark::State& state) {
  BigLog log;
  RecordingMessenger messenger;
  testing::CountingActivator activator;
  for (auto _ : state) {
    DebugLogMonitor monitor(messenger, activator);
    benchmark::DoNotOptimize(monitor.TerminalConnectCheckFile(log.Data()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kLogSize));
}
BENCHMARK(BM_CheckOfTheWholeLog)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
