#pragma once
// The program's own data files: text lines ended by CR LF, fields separated
// by ",", mostly after one heading line. A file whose fields may hold ","
// (names the user typed) allows a field in double quotes; the others have
// no quoting. Whole files are replaced atomically; a log grows by one whole
// line per write.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "common/TextFileLines.h"

namespace velmora {

using Record = std::vector<std::string>;

// Allowed: a field starting with a double quote (after blanks) runs to the
// closing one and may hold ","; a quote inside it is written twice. A line
// without quotes splits the same either way.
enum class FieldQuotes { None, Allowed };

// The fields of one line. With a field limit the last field keeps the rest
// of the line as it stands, commas and quotes included.
Record SplitRecord(std::string_view line, size_t fieldLimit = 0, FieldQuotes quotes = FieldQuotes::None);

// A field as it can be stored: "," and line breaks would shift the fields
// that follow, so they are written as blanks.
std::string RecordField(std::string_view text);

// The fields joined by "," (each made storable), without the line end. With
// quotes allowed, a field holding "," (or starting with a quote) is quoted.
std::string JoinRecord(std::span<const std::string> fields, FieldQuotes quotes = FieldQuotes::None);

// The first field (record, field) holding a line break, which no file of
// lines can keep; nullopt when every field can be written as it is.
std::optional<std::pair<size_t, size_t>> FirstLineBreak(std::span<const Record> records);

// The text of a whole file: the heading line (when not empty), then the
// records, each line ended by CR LF.
std::string RecordsText(std::string_view heading, std::span<const Record> records,
                        FieldQuotes quotes = FieldQuotes::None);

// Replaces the file whole with RecordsText. Content past kDataFileLimit, which
// no reader would take back, is refused with std::errc::file_too_large and
// the file left as it was.
bool WriteRecords(const std::filesystem::path& file, std::string_view heading, std::span<const Record> records,
                  std::error_code& error, FieldQuotes quotes = FieldQuotes::None);

// Adds one record at the end in a single write, on a line of its own (the
// heading first when the file is new or empty), so a reader never meets
// half a line; true once the record is on the disk, and a failed append
// leaves nothing behind.
bool AppendRecord(const std::filesystem::path& file, std::string_view heading, std::span<const std::string> record,
                  std::error_code& error);
// The same for several records, in one write.
bool AppendRecords(const std::filesystem::path& file, std::string_view heading, std::span<const Record> records,
                   std::error_code& error);

}  // namespace velmora
