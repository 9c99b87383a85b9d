// The options dialog's grids as the user types them: each line of the input
// a row (cells between ","), checked and made into each grid's file. A file
// a grid agrees to write must read back to the rows typed, whole. The same
// lines as the program's record files: read with a field limit, and split
// where quotes may hold commas, joined and split again they join alike.
#include "common/RecordFile.h"
#include "common/TextFileLines.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;
using testing::GridKind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  FileFailure failure;
  ReadRecords(fuzz::ScratchFile("records.txt", text), failure, 4);

  GridRows rows;
  TextLines lines(text);
  while (auto line = lines.Next()) {
    rows.push_back(SplitRecord(*line));
    const auto joined = JoinRecord(SplitRecord(*line, 0, FieldQuotes::Allowed), FieldQuotes::Allowed);
    fuzz::Require(JoinRecord(SplitRecord(joined, 0, FieldQuotes::Allowed), FieldQuotes::Allowed) == joined);
  }
  fuzz::RequireReadsBack(GridKind::Offset, rows, OffsetGridText, OffsetGridRecall);
  fuzz::RequireReadsBack(GridKind::Radio, rows, RadioGridText, RadioGridRecall);
  fuzz::RequireReadsBack(GridKind::History, rows, HistoryGridText, HistoryGridRecall);
  return 0;
}
