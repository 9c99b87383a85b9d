#pragma once
// AirMail's mail systems: one station file "System.<system>.ini" each in
// the data folder, and the systems and stations that are told apart by name.
#include <string>
#include <string_view>
#include <vector>

#include "airmail/AirmailProfile.h"

namespace velmora {

// Entries for a selection list and the one to select.
struct SelectionList {
  std::vector<std::string> entries;
  int selected = -1;
};

// Selects entry `index`, or the first when it is out of range.
void ClampAndSelect(SelectionList& list, int index);

// The commercial system, whose users see station names instead of keys.
bool SystemIsSailmail(std::string_view system);
// "HAM" or "SAILMAIL": AirMail's own systems.
bool SystemIsAirmail(std::string_view system);
bool StationIsWwv(std::string_view stationKey);

// The systems of the data folder's station files, in the order the
// platform's own file system lists them (by name), so that a stored index
// keeps naming the same system. Selects entry `index` (0 when out of range).
bool SystemGetList(const AirmailDataFolder& data, SelectionList& list, int index);

}  // namespace velmora
