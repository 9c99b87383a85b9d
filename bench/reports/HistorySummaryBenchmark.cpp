// Each history summary over a 100 MB log: the whole file in one pass.
#include <benchmark/benchmark.h>

#include <fstream>

#include "reports/AirmailSummary.h"
#include "reports/LogFileSummary.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

constexpr size_t kLogSize = 100u << 20;

// A day of AirMail's debug log: a dated line, traffic, calls and links.
std::string DebugLogDay(int day) {
  std::string text = "01/" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "/2026 00:00:01 Log opened\r\n";
  for (int minute = 0; minute < 1440; ++minute) {
    std::string time = (minute / 60 < 10 ? "0" : "") + std::to_string(minute / 60) + ":" +
                       (minute % 60 < 10 ? "0" : "") + std::to_string(minute % 60);
    if (minute % 30 == 0) text += time + ":05.120 Connected to WLO-" + std::to_string(minute % 7) + "\r\n";
    text += time + ":10 Sending block " + std::to_string(minute) + " to WLO, 512 bytes\r\n";
    if (minute % 30 == 20) text += time + ":40 Disconnected from WLO\r\n";
    if (minute % 30 == 25) text += time + ":45 No answer from KPH\r\n";
  }
  return text;
}

std::string AutoConnectLogRecords() {
  std::string text;
  for (int i = 0; i < 10000; ++i)
    text += "01/" + std::string(i % 28 < 9 ? "0" : "") + std::to_string(i % 28 + 1) +
            "/26 12:30:00,2,5,12,3,40,25,600,3," + (i % 3 ? "Done " : "Did not Connect ") + ",2," +
            (i % 3 ? "WLO" : "") + ",12.5,-61.25,14.5,120,2400.5,50000,4,31\r\n";
  return text;
}

class BigLog {
 public:
  explicit BigLog(const std::string& heading, const std::string& block) {
    std::ofstream out(Path(), std::ios::binary);
    out << heading;
    for (size_t written = heading.size(); written < kLogSize; written += block.size()) out << block;
  }
  std::filesystem::path Path() const { return folder_.path() / "log.txt"; }

 private:
  testing::TempFolder folder_;
};

void BM_AirmailSummary(benchmark::State& state) {
  std::string month;
  for (int day = 1; day <= 28; ++day) month += DebugLogDay(day);
  BigLog log("", month);
  for (auto _ : state) benchmark::DoNotOptimize(AirmailSummary(log.Path(), std::nullopt));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(log.Path())));
}
BENCHMARK(BM_AirmailSummary)->Unit(benchmark::kMillisecond);

void BM_LogFileSummary(benchmark::State& state) {
  BigLog log("Time,Stations,Frequencies\r\n", AutoConnectLogRecords());
  for (auto _ : state) benchmark::DoNotOptimize(LogFileSummary(log.Path(), std::nullopt));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(log.Path())));
}
BENCHMARK(BM_LogFileSummary)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
