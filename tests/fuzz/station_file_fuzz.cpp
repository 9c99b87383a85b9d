// AirMail's station files "System.<system>.ini": the file read once, its
// stations (all and selected), their names, locators, ranges and frequency
// lists with the group filter, as the frequency table's fill reads them.
#include "airmail/FrequencyFilters.h"
#include "airmail/FrequencyLists.h"
#include "airmail/Locator.h"
#include "airmail/StationEntries.h"
#include "airmail/StationFile.h"
#include "airmail/StationRanges.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the system: SAILMAIL's stations have names.
  const std::string system = data[0] & 1 ? "SAILMAIL" : "HAM";
  fuzz::ScratchFile(StationFileName(system), fuzz::Text(data + 1, size - 1));
  fuzz::QuietMessenger messages;
  AirmailDataFolder folder(fuzz::ScratchFolder().string(), messages);
  FileFailure failure;
  auto file = StationFile::Load(folder, system, failure);
  if (!file) return 0;

  StationSelectedGet(*file);
  StationGetAll(*file, LatLon{41.5, -71.25});
  for (auto kind : {StationListKind::All, StationListKind::Selected}) {
    std::vector<StationEntry> stations;
    if (!StationEntriesGet(*file, kind, stations)) continue;
    for (auto& station : stations) {
      LatLon position;
      GridToLatLon(station.locator, position, nullptr);
      StationNameFromStation(*file, station.key);
      std::vector<FrequencyRow> rows;
      if (!StationFrequencyListGet(*file, station.key, rows)) continue;
      FrequencyGroupGet(FrequencyListRead(*file, station.key, false).text, rows.front().label);
      rows.front().checked = true;
      size_t end = rows.size();
      FrequencyGroupFilter(*file, station.key, rows, 0, end);
    }
  }
  return 0;
}
