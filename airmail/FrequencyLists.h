#pragma once
// A station's frequency list, "[Frequency List]" of its station file:
// items separated by "," within a group and by ";" between groups, "#"
// after an item marking Pactor 3. Each frequency becomes one row of the
// frequency table.
#include <string>
#include <string_view>
#include <vector>

#include "airmail/StationFile.h"

namespace velmora {

// One row of the frequency table as these lists fill and filter it.
struct FrequencyRow {
  std::string station;
  std::string label;     // "14075.0" or "14080.0(p3)"
  int group = 1;         // counted from 1 by the ";" of the station's list
  bool pactor3 = false;  // the Pactor 3 column
  bool checked = false;  // the check mark AutoSelect sets

  bool operator==(const FrequencyRow&) const = default;
};

struct ParsedFrequencyList {
  std::vector<std::vector<std::string>> groups;  // labels per group
  std::vector<std::string> refused;              // items that are no frequency
};

// Empty items (",,", a trailing ",") are nothing; other items that are no
// frequency are refused.
ParsedFrequencyList ParseFrequencyList(std::string_view value);

// The station's list as AirMail's buffer gives it. A list too long for the
// buffer arrives cut, and its last item may be cut short ("7205" read as
// "720"): that item is dropped and named in `cutItem`.
struct FrequencyListValue {
  std::string text;
  bool cut = false;
  std::string cutItem;
};
FrequencyListValue FrequencyListRead(const StationFile& file, std::string_view station, bool reportMissing);

// Appends one row per frequency of the station's "[Frequency List]" entry.
// Items that are no frequency, and the end of a list too long to read
// whole, are left out (and reported); an entry that is missing or holds
// none gives false.
bool StationFrequencyListGet(const AirmailDataFolder& data, std::string_view system, std::string_view station,
                             std::vector<FrequencyRow>& rows);
bool StationFrequencyListGet(const StationFile& file, std::string_view station, std::vector<FrequencyRow>& rows);

}  // namespace velmora
