#include "airmail/StationRadioData.h"

#include "common/AtomicFile.h"
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

StationRadioRecord ParseRecord(std::string_view line) {
  StationRadioRecord record;
  std::string* fields[] = {&record.system, &record.station, &record.transceiver};
  for (std::string* field : fields) {
    auto comma = line.find(',');
    *field = std::string(line.substr(0, comma));
    line = comma == std::string_view::npos ? std::string_view{} : line.substr(comma + 1);
  }
  record.labels = SplitBlanks(line);
  return record;
}

std::string FieldText(std::string_view field) {
  std::string out(field);
  for (char& c : out)
    if (c == ',' || c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace

std::optional<std::vector<StationRadioRecord>> StationRadioDataRead(const std::filesystem::path& file,
                                                                    FileFailure& failure) {
  auto lines = ReadTextLines(file, failure);
  if (!lines) return std::nullopt;
  std::vector<StationRadioRecord> records;
  for (size_t i = 1; i < lines->size(); ++i)
    if (!Trim((*lines)[i]).empty()) records.push_back(ParseRecord((*lines)[i]));
  return records;
}

bool StationRadioDataWrite(const std::filesystem::path& file, const std::vector<StationRadioRecord>& records,
                           std::error_code& error) {
  std::string content = std::string(kHeader) + "\r\n";
  for (const auto& r : records) {
    content += FieldText(r.system) + "," + FieldText(r.station) + "," + FieldText(r.transceiver) + ",";
    for (size_t i = 0; i < r.labels.size(); ++i) content += (i ? " " : "") + FieldText(r.labels[i]);
    content += "\r\n";
  }
  return WriteFileAtomically(file, content, error);
}

}  // namespace velmora
