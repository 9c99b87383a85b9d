#pragma once
// "StationRadioData.txt": which frequencies of a station one of its
// transceivers serves. One line per system, station and transceiver, after
// a header line: system, station key, transceiver number, then the
// frequency labels separated by single blanks.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/TextFileLines.h"

namespace velmora {

inline constexpr const char* kStationRadioDataFile = "StationRadioData.txt";

struct StationRadioRecord {
  std::string system;
  std::string station;
  std::string transceiver;
  std::vector<std::string> labels;

  bool operator==(const StationRadioRecord&) const = default;
};

// Whether the file's first line is a record rather than the header (a file
// written by hand may start with its records): it has the four fields and
// a whole transceiver number, which the header's "Tx Rc" is not.
bool StationRadioFirstLineIsRecord(std::string_view line);

// The records after the header; blank lines are skipped.
std::optional<std::vector<StationRadioRecord>> StationRadioDataRead(const std::filesystem::path& file,
                                                                    FileFailure& failure);

// One line's record; nullopt for a line of fewer than its four fields.
std::optional<StationRadioRecord> StationRadioLineRead(std::string_view line);

// The file's text: the header and the records (CR LF lines). A "," or line
// break inside the first three fields would shift the fields when read
// back, so it is written as a blank.
std::string StationRadioDataText(const std::vector<StationRadioRecord>& records);

}  // namespace velmora
