#include "common/RecordFile.h"

#include "common/AtomicFile.h"
#include "common/DiskFile.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kQuote = '"';

// Where the opening quote of a quoted field at the start of `line` stands
// (blanks may come before it); npos when the field is not quoted.
size_t OpeningQuoteOf(std::string_view line) {
  size_t first = line.find_first_not_of(" \t");
  return first != std::string_view::npos && line[first] == kQuote ? first : std::string_view::npos;
}

// Takes the quoted field whose opening quote is at `quote` off the front of
// the line, with the "," after it; false when no "," followed. Blanks after
// the closing quote are dropped; other text up to the "," is kept.
bool QuotedFieldTake(std::string_view& line, size_t quote, std::string& field) {
  size_t i = quote + 1;
  for (; i < line.size(); ++i) {
    if (line[i] != kQuote) {
      field += line[i];
    } else if (i + 1 < line.size() && line[i + 1] == kQuote) {
      field += kQuote;
      ++i;
    } else {
      ++i;
      break;
    }
  }
  size_t comma = line.find(',', i);
  field += Trim(line.substr(i, comma - i));
  line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
  return comma != std::string_view::npos;
}

// A field for a file that allows quotes: line breaks as blanks, and quoted
// when it holds "," or would otherwise read as a quoted field.
std::string QuotedRecordField(std::string_view text) {
  std::string field(text);
  for (char& c : field)
    if (c == '\r' || c == '\n') c = ' ';
  if (field.find(',') == std::string::npos && OpeningQuoteOf(field) == std::string::npos) return field;
  std::string quoted(1, kQuote);
  for (char c : field) {
    if (c == kQuote) quoted += kQuote;
    quoted += c;
  }
  return quoted += kQuote;
}

}  // namespace

Record SplitRecord(std::string_view line, size_t fieldLimit, FieldQuotes quotes) {
  Record fields;
  while (true) {
    bool last = fieldLimit && fields.size() + 1 == fieldLimit;
    size_t quote = quotes == FieldQuotes::Allowed && !last ? OpeningQuoteOf(line) : std::string_view::npos;
    if (quote != std::string_view::npos) {
      bool more = QuotedFieldTake(line, quote, fields.emplace_back());
      if (!more) return fields;
      continue;
    }
    size_t comma = line.find(',');
    if (comma == std::string_view::npos || last) {
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

std::string JoinRecord(std::span<const std::string> fields, FieldQuotes quotes) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) line += ',';
    line += quotes == FieldQuotes::Allowed ? QuotedRecordField(fields[i]) : RecordField(fields[i]);
  }
  return line;
}

std::string RecordsText(std::string_view heading, std::span<const Record> records, FieldQuotes quotes) {
  std::string content;
  if (!heading.empty()) (content += heading) += kLineEnd;
  for (const auto& record : records) (content += JoinRecord(record, quotes)) += kLineEnd;
  return content;
}

bool WriteRecords(const std::filesystem::path& file, std::string_view heading, std::span<const Record> records,
                  std::error_code& error, FieldQuotes quotes) {
  std::string content = RecordsText(heading, records, quotes);
  if (content.size() > kDataFileLimit) {
    error = std::make_error_code(std::errc::file_too_large);
    return false;
  }
  return WriteFileAtomically(file, content, error);
}

std::optional<std::pair<size_t, size_t>> FirstLineBreak(std::span<const Record> records) {
  for (size_t r = 0; r < records.size(); ++r)
    for (size_t f = 0; f < records[r].size(); ++f)
      if (records[r][f].find_first_of("\r\n") != std::string::npos) return std::pair(r, f);
  return std::nullopt;
}

bool AppendRecord(const std::filesystem::path& file, std::string_view heading, std::span<const std::string> record,
                  std::error_code& error) {
  const Record one(record.begin(), record.end());
  return AppendRecords(file, heading, std::span(&one, 1), error);
}

bool AppendRecords(const std::filesystem::path& file, std::string_view heading, std::span<const Record> records,
                   std::error_code& error) {
  std::string headingLine = heading.empty() ? std::string() : std::string(heading) + std::string(kLineEnd);
  return AppendFileOnDisk(file, headingLine, RecordsText("", records), error);
}

}  // namespace velmora
