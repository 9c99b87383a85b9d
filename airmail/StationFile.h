#pragma once
// One of AirMail's station files "System.<system>.ini", read once: its
// sections as AirMail's lists are read (line by line from the header line
// to the first line without "="), and single values by the INI rules of
// `AirMailGetProfileString`. A listing of many stations reads the file once
// and looks each station up without scanning the file again.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/AirmailProfile.h"
#include "common/ProfileFile.h"
#include "common/TextFileLines.h"

namespace velmora {

inline constexpr std::string_view kStationInfoHeader = "[Station Info]";
inline constexpr std::string_view kFrequencyListHeader = "[Frequency List]";

// "System.<system>.ini".
std::string StationFileName(std::string_view system);

// One "key=value" line of a section read line by line.
struct SectionEntry {
  std::string key;    // trimmed
  std::string value;  // trimmed
  std::string line;   // the whole line
};

struct SectionLines {
  std::vector<SectionEntry> entries;
  bool endedByLine = false;  // a line without "=" ended it, not the end of the file
};

class StationFile {
 public:
  // The file of the system in the data folder; nullopt when it cannot be
  // opened or read, or is larger than any station file (kProfileFileLimit),
  // with the stage and the error (nothing is reported).
  static std::optional<StationFile> Load(const AirmailDataFolder& data, std::string_view system,
                                         FileFailure& failure);

  const AirmailDataFolder& Data() const { return data_; }
  const std::string& System() const { return system_; }
  std::string FileName() const { return StationFileName(system_); }

  // The entries after the line that is exactly the header, up to the first
  // line without "=" (empty when the header is missing).
  SectionLines Section(std::string_view header) const;

  // One value as `AirMailGetProfileString` reads it through its buffer of
  // 1024 characters: empty when missing, which is reported when asked.
  std::string Value(std::string_view section, std::string_view key, bool reportMissing) const;

  // The same value whole, however long; nullopt when missing.
  std::optional<std::string> WholeValue(std::string_view section, std::string_view key) const;

 private:
  StationFile(const AirmailDataFolder& data, std::string_view system, std::string text);

  AirmailDataFolder data_;
  std::string system_;
  std::string text_;
  ProfileDocument profile_;  // its keys found through its index
};

// A system's station file kept as read while it stays as it was (the same
// size and time written): a look-up for each station of a list of
// thousands would read the whole file again for each, seconds in all.
// Read again when AirMail has written it since.
class StationFileCache {
 public:
  // nullptr when the file cannot be read (nothing is reported).
  const StationFile* Of(const AirmailDataFolder& data, std::string_view system);

 private:
  struct Read {
    StationFile file;
    std::filesystem::path path;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written;
  };
  std::optional<Read> read_;
};

}  // namespace velmora
