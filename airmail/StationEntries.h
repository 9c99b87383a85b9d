#pragma once
// The stations of a mail system as "[Station Info]" of its station file
// lists them: all, or those selected in AirMail; their display names, which
// for SAILMAIL differ from their keys, and their locators.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/MailSystems.h"
#include "airmail/StationFile.h"

namespace velmora {

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
bool StationEntriesGet(const StationFile& file, StationListKind kind, std::vector<StationEntry>& stations);

// The same, as display names in a selection list; selects entry `index`.
bool StationGetListSelected(const AirmailDataFolder& data, std::string_view system, SelectionList& list, int index);
bool StationGetListAll(const AirmailDataFolder& data, std::string_view system, SelectionList& list, int index);

// "Selected" of "Frequency Setup", however long: the keys selected in
// AirMail, "," between them.
std::string StationSelectedGet(const AirmailDataFolder& data, std::string_view system);
std::string StationSelectedGet(const StationFile& file);
// Empty means every station; otherwise a key counts when it occurs anywhere
// in the text (so a key that is part of a selected key counts too).
bool StationIsSelected(std::string_view selected, std::string_view key);

// Display name to key and back; the identity for systems other than SAILMAIL.
std::string StationFromStationName(const AirmailDataFolder& data, std::string_view system, std::string_view name);
std::string StationNameFromStation(const AirmailDataFolder& data, std::string_view system, std::string_view key);
std::string StationNameFromStation(const StationFile& file, std::string_view key);

// The parts of a "[Station Info]" value: the locator before the first ":",
// and the display name after it up to the next ";" (nullopt without ":").
std::string StationLocatorOf(std::string_view value);
std::optional<std::string> StationDisplayNameOf(std::string_view value);

}  // namespace velmora
