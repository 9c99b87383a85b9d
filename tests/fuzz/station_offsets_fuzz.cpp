// "StationOffsetData.txt": the records read for a table fill (SAILMAIL
// names turned into call signs), and the options dialog's grid recalled,
// checked, saved and recalled again.
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
  if (auto records = StationOffsetDataRead(file, failure))
    for (const auto& record : *records) OffsetFrequencies(record.frequencies);
  for (const char* system : {"HAM", "SAILMAIL"}) StationOffsetDataGet(file, system, folder);

  auto rows = OffsetGridRecall(file, messages);
  OffsetGridCheck(rows, folder, messages);
  return 0;
}
