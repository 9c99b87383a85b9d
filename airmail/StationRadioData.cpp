#include "airmail/StationRadioData.h"

#include <cmath>

#include "common/RecordFile.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr const char* kHeader = "System,Station,Tx Rc,Frequency";

std::vector<std::string> SplitBlanks(std::string_view text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t blank = text.find(' ', start);
    if (blank == std::string_view::npos) blank = text.size();
    if (blank > start) parts.emplace_back(text.substr(start, blank - start));
    start = blank + 1;
  }
  return parts;
}

StationRadioRecord ParseRecord(const Record& fields) {
  StationRadioRecord record;
  std::string* targets[] = {&record.system, &record.station, &record.transceiver};
  for (size_t i = 0; i < 3 && i < fields.size(); ++i) *targets[i] = fields[i];
  if (fields.size() == 4) record.labels = SplitBlanks(fields[3]);
  return record;
}

}  // namespace

bool StationRadioFirstLineIsRecord(std::string_view line) {
  auto record = StationRadioLineRead(line);
  auto transceiver = record ? FieldNumber(record->transceiver) : std::nullopt;
  return transceiver && *transceiver >= 1 && *transceiver == std::floor(*transceiver);
}

std::optional<std::vector<StationRadioRecord>> StationRadioDataRead(const std::filesystem::path& file,
                                                                    FileFailure& failure) {
  auto lines = ReadTextLines(file, failure);
  if (!lines) return std::nullopt;
  std::vector<StationRadioRecord> records;
  size_t first = !lines->empty() && StationRadioFirstLineIsRecord(lines->front()) ? 0 : 1;
  for (size_t i = first; i < lines->size(); ++i)
    if (!Trim((*lines)[i]).empty()) records.push_back(ParseRecord(SplitRecord((*lines)[i], 4)));
  return records;
}

std::optional<StationRadioRecord> StationRadioLineRead(std::string_view line) {
  Record fields = SplitRecord(line, 4);
  if (fields.size() < 4) return std::nullopt;
  return ParseRecord(fields);
}

std::string StationRadioDataText(const std::vector<StationRadioRecord>& records) {
  std::vector<Record> lines;
  for (const auto& r : records) {
    std::string labels;
    for (size_t i = 0; i < r.labels.size(); ++i) labels += (i ? " " : "") + r.labels[i];
    lines.push_back({r.system, r.station, r.transceiver, labels});
  }
  return RecordsText(kHeader, lines);
}

}  // namespace velmora
