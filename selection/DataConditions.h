#pragma once
// What the reference and no-connect data files keep besides the table: the
// moment of the data, and the system, ship position and sunspot number the
// predictions were made for, so that they can be made again alike. Both
// files live in the program's "Data" folder, named by that moment, and read
// back whatever they were written with: a field holding "," or starting
// with a quote is quoted, and an unknown number is written empty.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "airmail/Locator.h"
#include "common/RecordFile.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"

namespace velmora {

inline constexpr FieldQuotes kDataFileQuotes = FieldQuotes::Allowed;

struct DataConditions {
  UtcDateTime time;
  std::string system;
  LatLon ship;  // NaN where the file did not know it
  float sunSpotNumber = 0;  // NaN where the file did not know it
};

// Whether predictions can be made again for the ship: its position known.
bool ShipKnown(const DataConditions& conditions);

// "Data\yyyy-mm-dd hhmmss" + extension under the program's folder.
std::filesystem::path DataFileName(const std::filesystem::path& programFolder, const UtcDateTime& time,
                                   std::string_view extension);

// A data file the settings select by its full path: that path while a file
// is there, else the file of its name in the program's own "Data" folder
// when that holds one. A program folder copied to another computer, drive
// or stick keeps the old folder's paths in its settings.
std::filesystem::path DataFileFollow(std::string_view stored, const std::filesystem::path& programFolder);

// The time as line 1 holds it, "yyyy-mm-dd hh:mm:ss", which the general
// date-time conversion reads back.
std::string DataTimeText(const UtcDateTime& time);
std::optional<UtcDateTime> DataTimeRead(std::string_view text);

// Line 2: system, latitude, longitude, sunspot number; a number that is
// not finite is unknown and written empty.
Record ConditionsRecord(const DataConditions& conditions);
// Fills all but the time; false when a number is malformed or missing, or the
// position is no place on earth. An empty number reads as unknown (NaN).
bool ConditionsRead(const Record& fields, DataConditions& conditions);

// The reader's description of a line it refuses.
std::string TypeMismatch(size_t lineNumber, std::string_view line);

// The lines of a data file's text: line 1 (the time), line 2 (the
// conditions), line 3 (the heading, not read), then the rows, each with its
// line number, blank lines passed over. Nothing is copied.
class DataFileLines {
 public:
  explicit DataFileLines(std::string_view text);
  std::optional<std::string_view> TimeLine() const { return time_; }
  std::optional<std::string_view> ConditionsLine() const { return conditions_; }

  struct Row {
    size_t number = 0;
    std::string_view text;
  };
  std::optional<Row> Next();
  // Back to the first row, for a second pass.
  void Rewind();

 private:
  std::string_view rows_;
  std::optional<std::string_view> time_, conditions_;
  TextLines rest_{{}};
  size_t number_ = 0;
};

}  // namespace velmora
