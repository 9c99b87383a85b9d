#include "selection/StationOffsets.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

#include "airmail/AutoConnectSettings.h"
#include "airmail/StationLists.h"
#include "common/Format.h"
#include "common/RecordFile.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr size_t kOffsetFields = 8;

// A number a single holds; beyond its range it would turn into infinity.
std::optional<float> SingleOf(std::optional<double> number) {
  if (!number || !SingleHolds(*number)) return std::nullopt;
  return static_cast<float>(*number);
}

// A number rounded to a whole one that an int holds, rather than wrapped.
std::optional<int> WholeOf(std::optional<double> number) {
  if (!number) return std::nullopt;
  double rounded = std::round(*number);
  if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(rounded);
}

bool FieldEmpty(const Record& fields, size_t index) { return index >= fields.size() || Trim(fields[index]).empty(); }

// An empty field keeps the default; anything else must be a number of the type.
bool SingleRead(const Record& fields, size_t index, float& value) {
  if (FieldEmpty(fields, index)) return true;
  auto number = SingleOf(FieldNumber(fields[index]));
  if (number) value = *number;
  return number.has_value();
}

// The stop time is the rest of the line: its leading number counts.
bool WholeRead(const Record& fields, size_t index, int& value) {
  if (FieldEmpty(fields, index)) return true;
  const std::string& text = fields[index];
  auto number = WholeOf(index + 1 == kOffsetFields ? ParseLeadingNumber(text) : FieldNumber(text));
  if (number) value = *number;
  return number.has_value();
}

std::optional<StationOffsetRecord> ParseOffsetRecord(const Record& fields) {
  if (fields.size() < 4) return std::nullopt;
  auto offset = SingleOf(FieldNumber(fields[3]));
  if (!offset) return std::nullopt;
  StationOffsetRecord record;
  record.system = fields[0];
  record.station = fields[1];
  record.frequencies = std::string(Trim(fields[2]));
  record.offset = *offset;
  if (!SingleRead(fields, 4, record.beamwidth) || !SingleRead(fields, 5, record.mainbeam) ||
      !WholeRead(fields, 6, record.start) || !WholeRead(fields, 7, record.stop))
    return std::nullopt;
  return record;
}

// The call signs of SAILMAIL stations as offset records name them: by the
// name the user sees or by the call sign itself. Each name is looked up
// once; one that no station has is reported by the lookup and gives "".
class SailmailCallSigns {
 public:
  SailmailCallSigns(const AirmailDataFolder& data, std::string_view system) : data_(data), system_(system) {
    FileFailure failure;  // an unreadable file is told by the name lookup
    if (auto file = StationFile::Load(data, system, failure))
      for (const auto& entry : file->Section(kStationInfoHeader).entries) keys_.push_back(entry.key);
  }

  const std::string& Of(const std::string& station) {
    auto known = callSigns_.find(station);
    if (known != callSigns_.end()) return known->second;
    auto key = std::find_if(keys_.begin(), keys_.end(), [&](const auto& k) { return EqualsNoCase(k, Trim(station)); });
    std::string callSign = key != keys_.end() ? *key : StationFromStationName(data_, system_, station);
    return callSigns_.emplace(station, std::move(callSign)).first->second;
  }

 private:
  const AirmailDataFolder& data_;
  std::string system_;
  std::vector<std::string> keys_;
  std::map<std::string, std::string> callSigns_;
};

std::string Hhmm(int value) {
  std::string text = IntegerText(value);
  if (value >= 0 && text.size() < 4) text.insert(0, 4 - text.size(), '0');
  return text;
}

}  // namespace

StationOffsetLines StationOffsetLinesRead(std::span<const std::string> lines) {
  StationOffsetLines read;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (Trim(line).empty()) continue;
    auto record = ParseOffsetRecord(SplitRecord(line, kOffsetFields, FieldQuotes::Allowed));
    if (!record) {
      if (i == 0) continue;  // the heading
      read.bad = i;
      break;
    }
    read.records.push_back(std::move(*record));
  }
  return read;
}

std::optional<std::vector<StationOffsetRecord>> StationOffsetDataRead(const std::filesystem::path& file,
                                                                      OffsetDataFailure& failure) {
  FileFailure fileFailure;
  auto lines = ReadTextLines(file, fileFailure);
  if (!lines) {
    // Named: held shut by another program, it is the one to close there.
    failure = {fileFailure.stage, ErrorText(fileFailure.error) + "\r" + NotReadText(file) + "."};
    return std::nullopt;
  }
  auto read = StationOffsetLinesRead(*lines);
  if (read.bad) {
    failure = {FileStage::Read, "Type mismatch in line " + IntegerText(static_cast<long long>(*read.bad + 1)) +
                                    ": \"" + (*lines)[*read.bad] + "\""};
    return std::nullopt;
  }
  return std::move(read.records);
}

std::string StationOffsetDataText(const std::vector<StationOffsetRecord>& records) {
  std::vector<Record> lines;
  for (const auto& r : records)
    lines.push_back({r.system, r.station, r.frequencies, ShortestSingle(r.offset), ShortestSingle(r.beamwidth),
                     ShortestSingle(r.mainbeam), Hhmm(r.start), Hhmm(r.stop)});
  return RecordsText(kStationOffsetHeading, lines, FieldQuotes::Allowed);
}

std::vector<std::string> OffsetFrequencies(std::string_view field) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= field.size()) {
    size_t end = field.find(' ', start);
    if (end == std::string_view::npos) end = field.size();
    if (end > start) items.emplace_back(field.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

bool OffsetWindowHolds(int start, int stop, int hhmm) {
  if (start < stop) return start <= hhmm && hhmm <= stop;
  if (start > stop) return hhmm >= start || hhmm <= stop;
  return false;
}

double BeamLoss(double beamwidth, double mainbeam, double azimuth) {
  if (beamwidth == 360) return 0;
  double d = std::fabs(std::fmod(azimuth - mainbeam, 360.0));
  if (d > 180) d = std::fabs(d - 360);
  double h = beamwidth / 2;
  // A beam of no width: only the station on its axis hears it without loss.
  if (h == 0) return d == 0 ? 0 : 3 + 17 * d / 180;
  if (d <= h) return 3 * d / h;
  return 3 + 17 * (d - h) / (180 - h);
}

std::vector<StationOffsetRecord> StationOffsetDataGet(const std::filesystem::path& file, std::string_view system,
                                                      const AirmailDataFolder& data) {
  std::error_code ignored;
  if (!std::filesystem::exists(file, ignored)) return {};
  OffsetDataFailure failure;
  auto records = StationOffsetDataRead(file, failure);
  if (!records) {
    data.Messages().Show(std::string(failure.stage == FileStage::Open ? "StationOffsetGet - Open, "
                                                                      : "StationOffsetGet - Read, ") +
                         failure.description);
    return {};
  }
  std::erase_if(*records, [&](const StationOffsetRecord& r) { return r.system != system; });
  if (!SystemIsSailmail(system) || records->empty()) return std::move(*records);
  SailmailCallSigns callSigns(data, system);
  for (auto& record : *records) record.station = callSigns.Of(record.station);
  std::erase_if(*records, [](const StationOffsetRecord& r) { return r.station.empty(); });
  return std::move(*records);
}

void StationOffsetGet(FrequencyTable& table, const StationOffsetRows& rows,
                      const std::vector<StationOffsetRecord>& records, Messenger& messenger,
                      const ReasonColors& colors) {
  for (const auto& record : records) {
    if (record.system != rows.system || record.station != rows.station) continue;
    auto frequencies = OffsetFrequencies(record.frequencies);
    // The record's frequencies some row has: a station may list one twice.
    std::vector<bool> found(frequencies.size(), false);
    for (int row = rows.first; row <= rows.last && row < table.Rows(); ++row) {
      auto label = table.CellGet(row, rows.frequencyColumn);
      // Whole texts: an offset for 7102.0 is not one for 17102.0.
      auto frequency = std::find(frequencies.begin(), frequencies.end(), label);
      if (frequency == frequencies.end()) continue;
      found[static_cast<size_t>(frequency - frequencies.begin())] = true;
      if (!OffsetWindowHolds(record.start, record.stop, rows.hhmm)) continue;
      double loss = BeamLoss(record.beamwidth, record.mainbeam, rows.azimuth);
      double snr = table.CellValue(row, rows.snrColumn) + record.offset - loss;
      table.CellSet(row, rows.snrColumn, FormatNumber(snr, "0.0"), CellAlign::Right, !rows.colour);
      if (rows.colour) table.CellColorSet(row, rows.snrColumn, colors[kReasonStationCorrection]);
      table.CellSet(row, rows.offsetColumn, FormatNumber(record.offset - loss, "0.0"), CellAlign::Right);
    }
    bool unmatched = std::find(found.begin(), found.end(), false) != found.end();
    if (rows.reportUnmatched && unmatched && rows.mode != kModeReferenceData)
      messenger.Show("Station's Offset Frequency " + record.frequencies + " not found in " + std::string(rows.system) +
                         " " + std::string(rows.station) + " frequency list.\r\rPlease check Options Station Offset.",
                     MessageIcon::Information);
  }
}

}  // namespace velmora
