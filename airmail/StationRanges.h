#pragma once
// The stations of a mail system nearest first: the stations of
// "[Frequency List]" whose locator can be read, with their range from the
// ship's position.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/Locator.h"
#include "airmail/StationFile.h"

namespace velmora {

struct StationRange {
  std::string key;
  double range = 0;  // nautical miles, whole
};

// nullopt without a current position or a readable station file (which is
// reported).
std::optional<std::vector<StationRange>> StationGetAll(const AirmailDataFolder& data, std::string_view system,
                                                       const std::optional<LatLon>& current);
std::vector<StationRange> StationGetAll(const StationFile& file, const LatLon& current);

}  // namespace velmora
