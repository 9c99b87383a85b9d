#include "selection/DataConditions.h"

#include <charconv>
#include <cmath>

#include "common/Format.h"
#include "common/TextParse.h"
#include "propagation/DateTimeText.h"

namespace velmora {
namespace {

// The shortest text that reads back to the same number, always with ".".
std::string NumberText(double value) {
  char buffer[32];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : "0";
}

}  // namespace

std::filesystem::path DataFileName(const std::filesystem::path& programFolder, const UtcDateTime& time,
                                   std::string_view extension) {
  std::string name = IntegerText(time.year) + "-" + TwoDigits(time.month) + "-" + TwoDigits(time.day) + " " +
                     TwoDigits(time.hour) + TwoDigits(time.minute) + TwoDigits(time.second);
  return programFolder / "Data" / (name + std::string(extension));
}

std::string DataTimeText(const UtcDateTime& time) {
  return IntegerText(time.year) + "-" + TwoDigits(time.month) + "-" + TwoDigits(time.day) + " " +
         TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second);
}

std::optional<UtcDateTime> DataTimeRead(std::string_view text) { return DateTimeFromText(Trim(text)); }

Record ConditionsRecord(const DataConditions& c) {
  return {c.system, NumberText(c.ship.latitude), NumberText(c.ship.longitude), ShortestSingle(c.sunSpotNumber)};
}

bool ConditionsRead(const Record& fields, DataConditions& c) {
  if (fields.size() < 4) return false;
  auto latitude = FieldNumber(fields[1]);
  auto longitude = FieldNumber(fields[2]);
  auto sunSpots = FieldNumber(fields[3]);
  if (!latitude || !longitude || !sunSpots) return false;
  c.system = std::string(Trim(fields[0]));
  c.ship = {*latitude, *longitude};
  c.sunSpotNumber = static_cast<float>(*sunSpots);
  return true;
}

std::optional<double> FieldNumber(std::string_view field) {
  field = Trim(field);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::string TypeMismatch(size_t lineNumber, std::string_view line) {
  return "Type mismatch in line " + IntegerText(static_cast<long long>(lineNumber)) + ": \"" + std::string(line) +
         "\"";
}

}  // namespace velmora
