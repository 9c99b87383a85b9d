#include "reports/LogLineReader.h"

#include <algorithm>
#include <string>
#include <vector>

#include "airmail/SharedReadFile.h"

namespace velmora {
namespace {

constexpr size_t kChunk = 256 * 1024;

// Joins the pieces of a line that runs across chunks, up to the longest line.
class LineJoiner {
 public:
  explicit LineJoiner(const std::function<void(std::string_view)>& line) : line_(line) {}

  void Take(std::string_view bytes) {
    while (!bytes.empty()) {
      if (afterCr_ && bytes.front() == '\n') bytes.remove_prefix(1);  // the LF of a CR LF cut apart
      afterCr_ = false;
      size_t end = bytes.find_first_of("\r\n");
      if (end == std::string_view::npos) {
        Keep(bytes);
        return;
      }
      if (partial_.empty()) {
        line_(bytes.substr(0, std::min(end, kLongestLogLine)));
      } else {
        Keep(bytes.substr(0, end));
        line_(partial_);
        partial_.clear();
      }
      if (bytes[end] == '\r') {
        if (end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
        else if (end + 1 == bytes.size()) afterCr_ = true;
      }
      bytes.remove_prefix(end + 1);
      open_ = false;
    }
  }

  void Finish() {
    if (open_ || !partial_.empty()) line_(partial_);
    partial_.clear();
  }

 private:
  void Keep(std::string_view piece) {
    open_ = true;
    partial_.append(piece.substr(0, kLongestLogLine - std::min(kLongestLogLine, partial_.size())));
  }

  const std::function<void(std::string_view)>& line_;
  std::string partial_;
  bool open_ = false;  // a line has begun and not yet ended
  bool afterCr_ = false;
};

}  // namespace

LogReadResult ReadLogLines(const std::filesystem::path& file, const std::function<void(std::string_view)>& line,
                           std::error_code& error) {
  SharedReadFile log;
  if (!log.Open(file, error)) {
    // Not written yet, in a folder that is there: a fresh installation.
    std::error_code ignored;
    auto folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    bool missing = !std::filesystem::exists(file, ignored) && std::filesystem::is_directory(folder, ignored);
    return missing ? LogReadResult::Missing : LogReadResult::OpenFailed;
  }
  std::vector<char> buffer(kChunk);
  LineJoiner lines(line);
  for (std::uint64_t offset = 0;;) {
    auto got = log.ReadAt(offset, buffer, error);
    if (!got) return LogReadResult::ReadFailed;
    if (*got == 0) break;
    offset += *got;
    // A power cut can leave zeros where the last lines were not yet on the
    // disk; the lines written after them are read as written.
    auto end = std::remove(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(*got), '\0');
    lines.Take(std::string_view(buffer.data(), static_cast<size_t>(end - buffer.begin())));
  }
  lines.Finish();
  return LogReadResult::Done;
}

HistorySummary HistoryOf(LogReadResult result, HistorySummary summary, std::string failure) {
  switch (result) {
    case LogReadResult::Done:
    case LogReadResult::Missing: break;
    case LogReadResult::OpenFailed: summary = {}; [[fallthrough]];
    case LogReadResult::ReadFailed: summary.failure = std::move(failure); break;
  }
  return summary;
}

}  // namespace velmora
