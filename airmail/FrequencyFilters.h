#pragma once
// Keeping, of a station's rows in the frequency table, only the frequencies
// one transceiver serves: by the groups of AirMail's frequency list, or by
// the program's own "StationRadioData.txt".
#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

#include "airmail/FrequencyLists.h"
#include "common/Messages.h"

namespace velmora {

// Keep, of the station's rows [first, end), only those that share a group
// of its frequency list with a row that carries the check mark; a station
// without groups keeps all. Rows are removed in place and `end` is lowered
// by one for each.
void FrequencyGroupFilter(const AirmailDataFolder& data, std::string_view system, std::string_view station,
                          std::vector<FrequencyRow>& rows, size_t first, size_t& end);
void FrequencyGroupFilter(const StationFile& file, std::string_view station, std::vector<FrequencyRow>& rows,
                          size_t first, size_t& end);

// The same by the transceivers of "StationRadioData.txt": rows on a line of
// the station with a checked row stay; when no row is on such a line, all
// stay. An unreadable file is reported and leaves the rows as they were.
void StationStationsGetFile(const std::filesystem::path& radioDataFile, Messenger& messenger,
                            std::string_view system, std::string_view station, std::vector<FrequencyRow>& rows,
                            size_t first, size_t& end);

}  // namespace velmora
