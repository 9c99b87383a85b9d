#pragma once
// What the reference and no-connect data files keep besides the table: the
// moment of the data, and the system, ship position and sunspot number the
// predictions were made for, so that they can be made again alike. Both
// files live in the program's "Data" folder, named by that moment.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "airmail/Locator.h"
#include "common/RecordFile.h"
#include "common/SystemLib.h"

namespace velmora {

struct DataConditions {
  UtcDateTime time;
  std::string system;
  LatLon ship;
  float sunSpotNumber = 0;
};

// "Data\yyyy-mm-dd hhmmss" + extension under the program's folder.
std::filesystem::path DataFileName(const std::filesystem::path& programFolder, const UtcDateTime& time,
                                   std::string_view extension);

// The time as line 1 holds it, "yyyy-mm-dd hh:mm:ss", which the general
// date-time conversion reads back.
std::string DataTimeText(const UtcDateTime& time);
std::optional<UtcDateTime> DataTimeRead(std::string_view text);

// Line 2: system, latitude, longitude, sunspot number.
Record ConditionsRecord(const DataConditions& conditions);
// Fills all but the time; false when a number is malformed or missing.
bool ConditionsRead(const Record& fields, DataConditions& conditions);

// The whole field as a number, nothing before or after it; nullopt else.
std::optional<double> FieldNumber(std::string_view field);

// The reader's description of a line it refuses.
std::string TypeMismatch(size_t lineNumber, std::string_view line);

}  // namespace velmora
