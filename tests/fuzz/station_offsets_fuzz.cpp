// "StationOffsetData.txt": the records read for a table fill (SAILMAIL
// names turned into call signs), and the options dialog's grid recalled,
// checked and, when it agrees to, written: the rows read back as shown,
// and a file read whole keeps every record.
#include "airmail/AirmailProfile.h"
#include "reports/OptionsGrids.h"
#include "selection/StationOffsets.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzz::ScratchFile(kStationOffsetDataFile, fuzz::Text(data, size));
  fuzz::QuietMessenger messages;
  AirmailDataFolder folder(fuzz::ScratchFolder().string(), messages);

  OffsetDataFailure failure;
  auto records = StationOffsetDataRead(file, failure);
  if (records)
    for (const auto& record : *records) OffsetFrequencies(record.frequencies);
  for (const char* system : {"HAM", "SAILMAIL"}) StationOffsetDataGet(file, system, folder);

  auto shown = OffsetGridRecall(file, messages);
  OffsetGridCheck(shown.rows, folder, messages);
  fuzz::Require(!records || shown.dropped.empty());  // read whole, nothing left out
  fuzz::RequireReadsBack(testing::GridKind::Offset, shown.rows, OffsetGridText, OffsetGridRecall);
  return 0;
}
