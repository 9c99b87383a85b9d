// The options dialog's grids as the user types them: each line of the input
// a row (cells between ","), checked and saved as station offsets, radio
// data and history, and what was saved recalled.
#include "common/RecordFile.h"
#include "common/TextFileLines.h"
#include "reports/OptionsGrids.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GridRows rows;
  TextLines lines(fuzz::Text(data, size));
  while (auto line = lines.Next()) rows.push_back(SplitRecord(*line));
  fuzz::QuietMessenger messages;

  const auto offsets = fuzz::ScratchFile("offsets.txt", "");
  if (OffsetGridSave(offsets, rows, messages)) OffsetGridRecall(offsets, messages);
  const auto radio = fuzz::ScratchFile("radio.txt", "");
  if (RadioGridSave(radio, rows, messages)) RadioGridRecall(radio, messages);
  const auto history = fuzz::ScratchFile("history.txt", "");
  if (HistoryGridSave(history, rows, messages)) HistoryGridRecall(history, messages);
  return 0;
}
