// The reference and no-connect files recalled whole, and the reference
// look-up read, from files of about 3 MB: rows as the program writes them,
// the shortest rows the readers take (every cell empty), and lines that are
// no row (refused). Run one at a time under /usr/bin/time -v for the
// memory each takes beside its file, e.g.
//   /usr/bin/time -v selection_benchmark --benchmark_filter='BM_ReferenceRecall/0$'
#include <benchmark/benchmark.h>

#include "common/TextFileLines.h"
#include "selection/NoConnectData.h"
#include "selection/ReferenceData.h"
#include "selection/ReferenceLookup.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

constexpr size_t kFileSize = 3u << 20;
enum Rows { kWritten, kEmptyCells, kNoRows };

// One row of a measured table, as a save writes it.
FrequencyTable MeasuredRow(int mode) {
  FrequencyTable table;
  ColumnsBuild(table, mode, AutoConnectSettings{}, testing::TemplateWidth);
  int row = table.RowAdd();
  const std::pair<int, const char*> cells[] = {
      {kColumnStation, "W1AW"}, {kColumnRange, "812"},     {kColumnAzimuth, "45"},  {kColumnFrequency, "14105.5(p3)"},
      {kColumnRxPwr, "-80"},    {kColumnRxSnr, "14"},      {kColumnLufMuf, "3.0 - 15.0"}, {kColumnLayer, "2F2"},
      {kColumnTAng, "7.5"},     {kColumnSDbw, "-110"},     {kColumnNDbw, "-150"},   {kColumnSnr, "40.0"},
      {kColumnRef, "14"}};
  for (auto [column, text] : cells) table.CellSet(row, column, text);
  return table;
}

// The file's head and one row line of each kind, repeated to the size.
std::filesystem::path WriteFile(const std::filesystem::path& folder, std::string_view extension, Rows rows) {
  const bool reference = extension == kReferenceExtension;
  const auto sample = folder / ("sample" + std::string(extension));
  const DataConditions conditions{{2005, 3, 14, 18, 30, 0, 0}, "HAM", {41.5, -71.25}, 112.5f};
  auto table = MeasuredRow(reference ? kModeReferenceStations : kModeNoConnectData);
  if (reference) ReferenceDataWrite(table, sample, conditions);
  else NoConnectDataWrite(table, sample, conditions, kModeMultipleStations);
  auto lines = SplitLines(testing::ReadBytes(sample));
  std::string head = lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n";
  std::string row = rows == kWritten ? lines[3] + "\r\n"
                    : rows == kNoRows ? std::string("x\r\n")
                    : reference       ? std::string(kColumnCount - 1, ',') + "\r\n"
                                      : [] {
                                          std::string empty;
                                          for (int c = 0; c < kColumnCount; ++c)
                                            empty += (c ? "," : "") + std::string(",1,FFFFFF,0");
                                          return empty + "\r\n";
                                        }();
  std::string text = head;
  while (text.size() < kFileSize) text += row;
  auto file = folder / ("big" + std::string(extension));
  testing::WriteBytes(file, text);
  return file;
}

class Quiet final : public Messenger {
 public:
  void Show(std::string_view, MessageIcon, std::string_view) override {}
  bool AskYesNo(std::string_view, MessageIcon, std::string_view) override { return false; }
};

void BM_ReferenceRecall(benchmark::State& state) {
  testing::TempFolder folder;
  auto file = WriteFile(folder.path(), kReferenceExtension, static_cast<Rows>(state.range(0)));
  Quiet quiet;
  FrequencyTable table;
  ColumnsBuild(table, kModeReferenceData, AutoConnectSettings{}, testing::TemplateWidth);
  for (auto _ : state) benchmark::DoNotOptimize(ReferenceDataRecall(table, file, 0, quiet));
  state.counters["rows"] = table.DataRows();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(file)));
}
BENCHMARK(BM_ReferenceRecall)->Arg(kWritten)->Arg(kEmptyCells)->Arg(kNoRows)->Unit(benchmark::kMillisecond);

void BM_NoConnectRecall(benchmark::State& state) {
  testing::TempFolder folder;
  auto file = WriteFile(folder.path(), kNoConnectExtension, static_cast<Rows>(state.range(0)));
  Quiet quiet;
  FrequencyTable table;
  ColumnsBuild(table, kModeNoConnectData, AutoConnectSettings{}, testing::TemplateWidth);
  for (auto _ : state) benchmark::DoNotOptimize(NoConnectDataRecall(table, file, quiet));
  state.counters["rows"] = table.DataRows();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(file)));
}
BENCHMARK(BM_NoConnectRecall)->Arg(kWritten)->Arg(kEmptyCells)->Arg(kNoRows)->Unit(benchmark::kMillisecond);

void BM_ReferenceLookupLoad(benchmark::State& state) {
  testing::TempFolder folder;
  auto file = WriteFile(folder.path(), kReferenceExtension, static_cast<Rows>(state.range(0)));
  Quiet quiet;
  for (auto _ : state) benchmark::DoNotOptimize(ReferenceLookup::Load(file, quiet));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(file)));
}
BENCHMARK(BM_ReferenceLookupLoad)->Arg(kWritten)->Arg(kEmptyCells)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
