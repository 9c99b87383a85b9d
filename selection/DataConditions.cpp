#include "selection/DataConditions.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/Format.h"
#include "common/TextParse.h"
#include "propagation/DateTimeText.h"

namespace velmora {
namespace {

constexpr size_t kHeadLines = 3;

// The shortest text that reads back to the same number, always with ".";
// empty for a number that is not known.
std::string NumberText(double value) {
  if (!std::isfinite(value)) return {};
  char buffer[32];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : std::string();
}

// A number of line 2: empty is unknown.
std::optional<double> ConditionNumber(std::string_view field) {
  if (Trim(field).empty()) return std::numeric_limits<double>::quiet_NaN();
  return FieldNumber(field);
}

// Four digits at least, as the date-time conversion reads a year first.
std::string YearText(int year) {
  std::string text = IntegerText(year);
  return text.size() < 4 ? std::string(4 - text.size(), '0') + text : text;
}

}  // namespace

bool ShipKnown(const DataConditions& c) { return std::isfinite(c.ship.latitude) && std::isfinite(c.ship.longitude); }

std::filesystem::path DataFileName(const std::filesystem::path& programFolder, const UtcDateTime& time,
                                   std::string_view extension) {
  std::string name = YearText(time.year) + "-" + TwoDigits(time.month) + "-" + TwoDigits(time.day) + " " +
                     TwoDigits(time.hour) + TwoDigits(time.minute) + TwoDigits(time.second);
  return programFolder / "Data" / (name + std::string(extension));
}

std::filesystem::path DataFileFollow(std::string_view stored, const std::filesystem::path& programFolder) {
  const size_t cut = stored.find_last_of("\\/");
  const std::string_view name = cut == std::string_view::npos ? stored : stored.substr(cut + 1);
  std::filesystem::path path(std::string{stored});
  std::error_code ignored;
  if (name.empty() || std::filesystem::is_regular_file(path, ignored)) return path;
  std::filesystem::path own = programFolder / "Data" / std::string(name);
  return std::filesystem::is_regular_file(own, ignored) ? own : path;
}

std::string DataTimeText(const UtcDateTime& time) {
  return YearText(time.year) + "-" + TwoDigits(time.month) + "-" + TwoDigits(time.day) + " " +
         TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second);
}

std::optional<UtcDateTime> DataTimeRead(std::string_view text) {
  // Only a year the writer writes back as it was.
  auto time = DateTimeFromText(Trim(text));
  if (!time || time->year < 1 || time->year > 9999) return std::nullopt;
  return time;
}

Record ConditionsRecord(const DataConditions& c) {
  return {c.system, NumberText(c.ship.latitude), NumberText(c.ship.longitude),
          std::isfinite(c.sunSpotNumber) ? ShortestSingle(c.sunSpotNumber) : std::string()};
}

bool ConditionsRead(const Record& fields, DataConditions& c) {
  if (fields.size() < 4) return false;
  auto latitude = ConditionNumber(fields[1]);
  auto longitude = ConditionNumber(fields[2]);
  auto sunSpots = ConditionNumber(fields[3]);
  if (!latitude || !longitude || !sunSpots) return false;
  // A garbled position would be predicted for without a word: the ITS HF
  // programs take a latitude of 95 as readily as any other.
  if (std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180) return false;
  // The sunspot number is kept as a single: one beyond its range has no
  // value there (an unknown one, empty, stays unknown).
  if (!std::isnan(*sunSpots) && !SingleHolds(*sunSpots)) return false;
  c.system = std::string(Trim(fields[0]));
  c.ship = {*latitude, *longitude};
  c.sunSpotNumber = static_cast<float>(*sunSpots);
  return true;
}

std::string TypeMismatch(size_t lineNumber, std::string_view line) {
  return "Type mismatch in line " + IntegerText(static_cast<long long>(lineNumber)) + ": \"" + std::string(line) +
         "\"";
}

DataFileLines::DataFileLines(std::string_view text) {
  TextLines lines(text);
  time_ = lines.Next();
  conditions_ = lines.Next();
  lines.Next();
  rows_ = lines.Rest();
  Rewind();
}

std::optional<DataFileLines::Row> DataFileLines::Next() {
  while (auto line = rest_.Next()) {
    ++number_;
    if (!Trim(*line).empty()) return Row{number_, *line};
  }
  return std::nullopt;
}

void DataFileLines::Rewind() {
  rest_ = TextLines(rows_);
  number_ = kHeadLines;
}

}  // namespace velmora
