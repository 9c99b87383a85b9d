// The stations' transceivers read from a "FreqList.rtf" of 360 KB in short
// coloured runs: each entry is searched no further than its own end.
#include <benchmark/benchmark.h>

#include "reports/FreqListDocument.h"

namespace velmora {
namespace {

constexpr size_t kDocumentSize = 360u << 10;

void Run(ColouredText& d, std::string_view text, ColourValue colour) {
  d.text += text;
  d.colours.insert(d.colours.end(), text.size(), colour);
}

// Entries of a red name, a heading and two blue frequencies, ~40 characters each.
ColouredText ShortEntries() {
  ColouredText d;
  for (int n = 0; d.text.size() < kDocumentSize; ++n) {
    Run(d, "K" + std::to_string(n), kRed);
    Run(d, ". Station 1: ", 0);
    Run(d, "14080#", kBlue);
    Run(d, " ", 0);
    Run(d, "7102", kBlue);
    Run(d, "\r", 0);
  }
  return d;
}

void BM_FreqListTransceivers(benchmark::State& state) {
  const FreqListDocument document(ShortEntries());
  for (auto _ : state) benchmark::DoNotOptimize(FreqListTransceivers(document));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kDocumentSize));
}
BENCHMARK(BM_FreqListTransceivers)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
