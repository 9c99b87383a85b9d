#include "selection/StationOffsets.h"

#include <charconv>
#include <cmath>
#include <algorithm>
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

// The whole field as a number; nullopt for anything else.
std::optional<double> FieldNumber(std::string_view field) {
  field = Trim(field);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

// An empty field keeps the default; anything else must be a number.
bool OptionalNumber(const Record& fields, size_t index, double& value) {
  if (index >= fields.size() || Trim(fields[index]).empty()) return true;
  auto number = FieldNumber(fields[index]);
  if (!number) return false;
  value = *number;
  return true;
}

std::optional<StationOffsetRecord> ParseOffsetRecord(const Record& fields) {
  if (fields.size() < 4) return std::nullopt;
  auto offset = FieldNumber(fields[3]);
  if (!offset) return std::nullopt;
  double beamwidth = 360, mainbeam = 0, start = 0, stop = 2400;
  if (!OptionalNumber(fields, 4, beamwidth) || !OptionalNumber(fields, 5, mainbeam) ||
      !OptionalNumber(fields, 6, start) || !OptionalNumber(fields, 7, stop))
    return std::nullopt;
  StationOffsetRecord record;
  record.system = fields[0];
  record.station = fields[1];
  record.frequencies = std::string(Trim(fields[2]));
  record.offset = static_cast<float>(*offset);
  record.beamwidth = static_cast<float>(beamwidth);
  record.mainbeam = static_cast<float>(mainbeam);
  record.start = static_cast<int>(std::lround(start));
  record.stop = static_cast<int>(std::lround(stop));
  return record;
}

std::string Hhmm(int value) {
  std::string text = IntegerText(value);
  if (value >= 0 && text.size() < 4) text.insert(0, 4 - text.size(), '0');
  return text;
}

}  // namespace

std::optional<std::vector<StationOffsetRecord>> StationOffsetDataRead(const std::filesystem::path& file,
                                                                      OffsetDataFailure& failure) {
  FileFailure fileFailure;
  auto lines = ReadTextLines(file, fileFailure);
  if (!lines) {
    failure = {fileFailure.stage, ErrorText(fileFailure.error)};
    return std::nullopt;
  }
  std::vector<StationOffsetRecord> records;
  for (size_t i = 0; i < lines->size(); ++i) {
    const std::string& line = (*lines)[i];
    if (Trim(line).empty()) continue;
    auto record = ParseOffsetRecord(SplitRecord(line, kOffsetFields));
    if (!record) {
      if (i == 0) continue;  // the heading
      failure = {FileStage::Read, "Type mismatch in line " + IntegerText(static_cast<long long>(i + 1)) + ": \"" +
                                      line + "\""};
      return std::nullopt;
    }
    records.push_back(std::move(*record));
  }
  return records;
}

bool StationOffsetDataWrite(const std::filesystem::path& file, const std::vector<StationOffsetRecord>& records,
                            std::error_code& error) {
  std::vector<Record> lines;
  for (const auto& r : records)
    lines.push_back({r.system, r.station, r.frequencies, ShortestSingle(r.offset), ShortestSingle(r.beamwidth),
                     ShortestSingle(r.mainbeam), Hhmm(r.start), Hhmm(r.stop)});
  return WriteRecords(file, kStationOffsetHeading, lines, error);
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

std::vector<StationOffsetRecord> StationOffsetDataGet(const std::filesystem::path& file, Messenger& messenger) {
  std::error_code ignored;
  if (!std::filesystem::exists(file, ignored)) return {};
  OffsetDataFailure failure;
  auto records = StationOffsetDataRead(file, failure);
  if (records) return std::move(*records);
  messenger.Show(std::string(failure.stage == FileStage::Open ? "StationOffsetGet - Open, "
                                                              : "StationOffsetGet - Read, ") +
                 failure.description);
  return {};
}

void StationOffsetGet(FrequencyTable& table, const StationOffsetRows& rows,
                      const std::vector<StationOffsetRecord>& records, const AirmailDataFolder& data,
                      const ReasonColors& colors) {
  Messenger& messenger = data.Messages();
  bool sailmail = SystemIsSailmail(rows.system);
  std::map<std::string, std::string> keysOfNames;  // each SAILMAIL name looked up once
  for (const auto& record : records) {
    if (record.system != rows.system) continue;
    std::string station = record.station;
    if (sailmail) {
      auto known = keysOfNames.find(station);
      if (known == keysOfNames.end())
        known = keysOfNames.emplace(station, StationFromStationName(data, rows.system, station)).first;
      station = known->second;
    }
    if (station != rows.station) continue;
    auto frequencies = OffsetFrequencies(record.frequencies);
    size_t matches = 0;
    for (int row = rows.first; row <= rows.last && row < table.Rows(); ++row) {
      auto label = table.CellGet(row, rows.frequencyColumn);
      // Whole texts: an offset for 7102.0 is not one for 17102.0.
      if (std::find(frequencies.begin(), frequencies.end(), label) == frequencies.end()) continue;
      ++matches;
      if (!OffsetWindowHolds(record.start, record.stop, rows.hhmm)) continue;
      double loss = BeamLoss(record.beamwidth, record.mainbeam, rows.azimuth);
      double snr = table.CellValue(row, rows.snrColumn) + record.offset - loss;
      table.CellSet(row, rows.snrColumn, FormatNumber(snr, "0.0"), CellAlign::Right, !rows.colour);
      if (rows.colour) table.CellColorSet(row, rows.snrColumn, colors[kReasonStationCorrection]);
      table.CellSet(row, rows.offsetColumn, FormatNumber(record.offset - loss, "0.0"), CellAlign::Right);
    }
    if (rows.reportUnmatched && matches != frequencies.size() && rows.mode != kModeReferenceData)
      messenger.Show("Station's Offset Frequency " + record.frequencies + " not found in " + std::string(rows.system) +
                         " " + std::string(rows.station) + " frequency list.\r\rPlease check Options Station Offset.",
                     MessageIcon::Information);
  }
}

}  // namespace velmora
