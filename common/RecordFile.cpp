#include "common/RecordFile.h"

#include "common/AtomicFile.h"
#include "common/DiskFile.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

Record SplitRecord(std::string_view line, size_t fieldLimit) {
  Record fields;
  while (true) {
    size_t comma = line.find(',');
    if (comma == std::string_view::npos || (fieldLimit && fields.size() + 1 == fieldLimit)) {
      fields.emplace_back(line);
      return fields;
    }
    fields.emplace_back(line.substr(0, comma));
    line.remove_prefix(comma + 1);
  }
}

std::string RecordField(std::string_view text) {
  std::string field(text);
  for (char& c : field)
    if (c == ',' || c == '\r' || c == '\n') c = ' ';
  return field;
}

std::string JoinRecord(std::span<const std::string> fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) line += ',';
    line += RecordField(fields[i]);
  }
  return line;
}

std::optional<std::vector<Record>> ReadRecords(const std::filesystem::path& file, FileFailure& failure,
                                               size_t fieldLimit) {
  auto lines = ReadTextLines(file, failure);
  if (!lines) return std::nullopt;
  std::vector<Record> records;
  for (const auto& line : *lines)
    if (!Trim(line).empty()) records.push_back(SplitRecord(line, fieldLimit));
  return records;
}

bool WriteRecords(const std::filesystem::path& file, std::string_view heading, std::span<const Record> records,
                  std::error_code& error) {
  std::string content;
  if (!heading.empty()) (content += heading) += kLineEnd;
  for (const auto& record : records) (content += JoinRecord(record)) += kLineEnd;
  return WriteFileAtomically(file, content, error);
}

bool AppendRecord(const std::filesystem::path& file, std::string_view heading, std::span<const std::string> record,
                  std::error_code& error) {
  std::string headingLine = heading.empty() ? std::string() : std::string(heading) + std::string(kLineEnd);
  return AppendFileOnDisk(file, headingLine, JoinRecord(record) + std::string(kLineEnd), error);
}

}  // namespace velmora
