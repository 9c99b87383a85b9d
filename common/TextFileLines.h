#pragma once
// Text files read whole and cut into lines, however long the lines, with
// LF or CR LF ends, and a last line without an end kept. Opening and
// reading fail separately, because the messages tell them apart.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace velmora {

enum class FileStage { Open, Read };

struct FileFailure {
  FileStage stage = FileStage::Open;
  std::error_code error;
};

// Every text file the program reads (its own data files, AirMail's files,
// the overview) holds some thousands of lines at most; a file past this size
// is none of them and is refused whole, unread, rather than filling the
// memory. Readers that know a tighter bound give it.
inline constexpr size_t kDataFileLimit = 16 << 20;

// The system says no file of that name is there. One it cannot tell of (a
// failing drive, a link that leads nowhere it can follow) is not missing:
// written over as a new file, it would lose what it holds.
bool FileMissing(const std::filesystem::path& file);

// The file's bytes. A file of more than `limit` bytes fails at reading with
// std::errc::file_too_large, and what lies beyond is not read.
std::optional<std::string> ReadText(const std::filesystem::path& file, FileFailure& failure,
                                    size_t limit = kDataFileLimit);

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& file, FileFailure& failure,
                                                      size_t limit = kDataFileLimit);

// The lines of a text already in memory, one at a time and without copies:
// a text of many short lines costs no more than the text.
class TextLines {
 public:
  explicit TextLines(std::string_view text) : rest_(text) {}
  std::optional<std::string_view> Next();
  // What the lines not yet taken hold.
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// The lines of a text already in memory.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace velmora
