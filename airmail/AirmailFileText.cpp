#include "airmail/AirmailFileText.h"

#include <algorithm>
#include <chrono>
#include <string_view>
#include <system_error>
#include <thread>

#include "common/FileWriteStamp.h"

namespace velmora {
namespace {

constexpr auto kAirmailFilePause = std::chrono::milliseconds(10);
// A text without its last line end is taken as the file once it has stood
// unchanged for this many reads (a tenth of a second): a rewrite held up
// for a moment on a busy computer can look the same over two or three.
constexpr int kAirmailFileStillReads = 10;

// Ended by a line end, in one byte or two (UTF-16).
bool LooksWhole(std::string_view text) {
  if (text.ends_with('\0')) text.remove_suffix(1);
  return text.ends_with('\n') || text.ends_with('\r');
}

}  // namespace

std::optional<std::string> AirmailFileText(const std::filesystem::path& file, FileFailure& failure, size_t limit,
                                           std::chrono::milliseconds patience) {
  const auto attempts = std::max<long long>(1, patience / kAirmailFilePause);
  std::optional<std::string> text, before;
  std::optional<FileWriteStamp> beforeStamp;
  int stillReads = 0;
  for (int attempt = 1;; ++attempt) {
    auto stamp = FileWriteStampOf(file);
    text = ReadText(file, failure, limit);
    if (!text && (FileMissing(file) || failure.error == std::errc::file_too_large ||
                  failure.error == std::errc::is_a_directory))
      return text;
    const bool settled = stamp && stamp == FileWriteStampOf(file);
    if (text && settled && LooksWhole(*text)) return text;
    // Short, but unchanged for a while with nothing written since: that is
    // the file. Not when empty: AirMail's files always hold something.
    const bool still = text && !text->empty() && settled && before == text && beforeStamp == stamp;
    stillReads = still ? stillReads + 1 : 0;
    if (stillReads >= kAirmailFileStillReads || attempt >= attempts) return text;
    before = text;
    beforeStamp = settled ? stamp : std::nullopt;
    std::this_thread::sleep_for(kAirmailFilePause);
  }
}

}  // namespace velmora
