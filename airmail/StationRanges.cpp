#include "airmail/StationRanges.h"

#include <algorithm>
#include <cmath>

#include "airmail/StationEntries.h"

namespace velmora {

std::optional<std::vector<StationRange>> StationGetAll(const AirmailDataFolder& data, std::string_view system,
                                                       const std::optional<LatLon>& current) {
  if (!current) return std::nullopt;
  FileFailure failure;
  auto file = StationFile::Load(data, system, failure);
  if (!file) {
    std::string quoted = "\"" + std::string(system) + "\"";
    std::string text = failure.stage == FileStage::Open
                           ? "StationGetAll, Unable to open Airmail " + quoted + " Station data.\r" +
                                 ErrorText(failure.error) + "\r" + AirmailErrorDataMessage(data)
                           : "StationGetAll, Unable to read Airmail " + quoted + " Station data.\r" +
                                 ErrorText(failure.error);
    data.Messages().Show(text, MessageIcon::Exclamation);
    return std::nullopt;
  }
  return StationGetAll(*file, *current);
}

std::vector<StationRange> StationGetAll(const StationFile& file, const LatLon& current) {
  std::vector<StationRange> stations;
  for (const auto& entry : file.Section(kFrequencyListHeader).entries) {
    auto info = file.Value("Station Info", entry.key, false);
    if (info.find(':') == std::string::npos) continue;  // no locator
    std::string locator = StationLocatorOf(info);
    LatLon position;
    if (!GridToLatLon(locator, position, &file.Data().Messages())) continue;
    stations.push_back({entry.key, std::round(LatLonGetRange(current, position))});
  }
  std::stable_sort(stations.begin(), stations.end(),
                   [](const StationRange& a, const StationRange& b) { return a.range < b.range; });
  return stations;
}

}  // namespace velmora
