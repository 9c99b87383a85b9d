// The program's record files: lines read and split into fields, with and
// without quotes and with a field limit; a record joined and split again
// must join to the same line.
#include <cstdlib>

#include "common/RecordFile.h"
#include "common/TextFileLines.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  FileFailure failure;
  ReadRecords(fuzz::ScratchFile("records.txt", text), failure, 4);

  TextLines lines(text);
  while (auto line = lines.Next()) {
    SplitRecord(*line, 3);
    const auto joined = JoinRecord(SplitRecord(*line, 0, FieldQuotes::Allowed), FieldQuotes::Allowed);
    if (JoinRecord(SplitRecord(joined, 0, FieldQuotes::Allowed), FieldQuotes::Allowed) != joined) std::abort();
  }
  return 0;
}
