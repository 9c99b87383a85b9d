// The options dialog's grids as the user types them: each line of the input
// a row (cells between ","), checked and made into each grid's file. A file
// a grid agrees to write must read back to the rows typed, whole.
#include "common/RecordFile.h"
#include "common/TextFileLines.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/reports/GridContract.h"

using namespace velmora;
using testing::GridKind;

namespace {

template <typename Text, typename Recall>
void Contract(GridKind kind, const GridRows& rows, const char* name, Text text, Recall recall) {
  fuzz::QuietMessenger messages;
  auto written = text(rows, messages);
  if (!written) return;
  const auto file = fuzz::ScratchFile(name, *written);
  auto back = recall(file, messages);
  if (!back.dropped.empty() || !testing::GridReadsBack(kind, rows, back.rows)) __builtin_trap();
  if (kind == GridKind::History && !testing::HistoryFillAgrees(*written, back.rows)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GridRows rows;
  TextLines lines(fuzz::Text(data, size));
  while (auto line = lines.Next()) rows.push_back(SplitRecord(*line));
  Contract(GridKind::Offset, rows, "offsets.txt", OffsetGridText, OffsetGridRecall);
  Contract(GridKind::Radio, rows, "radio.txt", RadioGridText, RadioGridRecall);
  Contract(GridKind::History, rows, "history.txt", HistoryGridText, HistoryGridRecall);
  return 0;
}
