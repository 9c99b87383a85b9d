#pragma once
// AirMail's mail systems and their station files "System.<system>.ini":
// the systems found, the stations (all, or those selected in AirMail) with
// their display names and locators, each station's frequency list with its
// groups and Pactor 3 marks, and the filters that keep only the frequencies
// one transceiver serves.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/AirmailProfile.h"
#include "airmail/Locator.h"

namespace velmora {

// Entries for a selection list and the one to select.
struct SelectionList {
  std::vector<std::string> entries;
  int selected = -1;
};

// "System.<system>.ini".
std::string StationFileName(std::string_view system);

// The commercial system, whose users see station names instead of keys.
bool SystemIsSailmail(std::string_view system);
// "HAM" or "SAILMAIL": AirMail's own systems.
bool SystemIsAirmail(std::string_view system);
bool StationIsWwv(std::string_view stationKey);

// The systems of the data folder's station files, in the order the
// platform's own file system lists them (by name), so that a stored index
// keeps naming the same system. Selects entry `index` (0 when out of range).
bool SystemGetList(const AirmailDataFolder& data, SelectionList& list, int index);

struct StationEntry {
  std::string key;      // the station's key in the station file
  std::string name;     // what the user sees: the key, or for SAILMAIL the station's name
  std::string locator;  // the text before the first ":" of the entry
};

enum class StationListKind { Selected, All };

// The stations of "[Station Info]" in file order, all of them or those that
// "Selected" of "Frequency Setup" names. An unreadable file or an empty
// result is reported (with the data-folder hint) and gives false.
bool StationEntriesGet(const AirmailDataFolder& data, std::string_view system, StationListKind kind,
                       std::vector<StationEntry>& stations);

// The same, as display names in a selection list; selects entry `index`.
bool StationGetListSelected(const AirmailDataFolder& data, std::string_view system, SelectionList& list, int index);
bool StationGetListAll(const AirmailDataFolder& data, std::string_view system, SelectionList& list, int index);

// "Selected" of "Frequency Setup": the keys selected in AirMail, "," between them.
std::string StationSelectedGet(const AirmailDataFolder& data, std::string_view system);
// Empty means every station; otherwise a key counts when it occurs anywhere
// in the text (so a key that is part of a selected key counts too).
bool StationIsSelected(std::string_view selected, std::string_view key);

// Display name to key and back; the identity for systems other than SAILMAIL.
std::string StationFromStationName(const AirmailDataFolder& data, std::string_view system, std::string_view name);
std::string StationNameFromStation(const AirmailDataFolder& data, std::string_view system, std::string_view key);

// One row of the frequency table as these lists fill and filter it.
struct FrequencyRow {
  std::string station;
  std::string label;     // "14075.0" or "14080.0(p3)"
  int group = 1;         // counted from 1 by the ";" of the station's list
  bool pactor3 = false;  // the Pactor 3 column
  bool checked = false;  // the check mark AutoSelect sets

  bool operator==(const FrequencyRow&) const = default;
};

// Appends one row per frequency of the station's "[Frequency List]" entry.
// Items that are no frequency are left out (and reported); an entry that is
// missing or holds none gives false.
bool StationFrequencyListGet(const AirmailDataFolder& data, std::string_view system, std::string_view station,
                             std::vector<FrequencyRow>& rows);

// The labels of the first group of the list that holds `label`, joined
// without separators ("14075.014080.0(p3)"); empty when none does.
std::string FrequencyGroupGet(std::string_view frequencyList, std::string_view label);

// Keep, of the station's rows [first, end), only those that share a group
// of its frequency list with a row that carries the check mark; a station
// without groups keeps all. Rows are removed in place and `end` is lowered
// by one for each.
void FrequencyGroupFilter(const AirmailDataFolder& data, std::string_view system, std::string_view station,
                          std::vector<FrequencyRow>& rows, size_t first, size_t& end);

// The same by the transceivers of "StationRadioData.txt": rows on a line of
// the station with a checked row stay; when no row is on such a line, all
// stay. An unreadable file is reported and leaves the rows as they were.
void StationStationsGetFile(const std::filesystem::path& radioDataFile, Messenger& messenger,
                            std::string_view system, std::string_view station, std::vector<FrequencyRow>& rows,
                            size_t first, size_t& end);

struct StationRange {
  std::string key;
  double range = 0;  // nautical miles, whole
};

// The stations of the system's "[Frequency List]" whose locator can be
// read, with their range from the current position, nearest first.
// nullopt without a current position or a readable station file.
std::optional<std::vector<StationRange>> StationGetAll(const AirmailDataFolder& data, std::string_view system,
                                                       const std::optional<LatLon>& current);

}  // namespace velmora
