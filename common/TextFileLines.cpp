#include "common/TextFileLines.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "common/CFile.h"

namespace velmora {

std::optional<std::string_view> TextLines::Next() {
  if (rest_.empty()) return std::nullopt;
  size_t lf = rest_.find('\n');
  std::string_view line = rest_.substr(0, lf);
  rest_.remove_prefix(lf == std::string_view::npos ? rest_.size() : lf + 1);
  if (lf != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  TextLines reader(text);
  while (auto line = reader.Next()) lines.emplace_back(*line);
  return lines;
}

bool FileMissing(const std::filesystem::path& file) {
  std::error_code error;
  return !std::filesystem::exists(file, error) && !error;
}

std::optional<std::string> ReadText(const std::filesystem::path& file, FileFailure& failure, size_t limit) {
  std::error_code ignored;
  if (std::filesystem::is_directory(file, ignored)) {
    failure = {FileStage::Open, std::make_error_code(std::errc::is_a_directory)};
    return std::nullopt;
  }
  errno = 0;
  CFile f = CFileOpen(file, "rb");
  if (!f) {
    failure = {FileStage::Open, LastCError()};
    return std::nullopt;
  }
  // Refused unread when the size is known; the reading stops at the limit
  // when it is not (a file that grows meanwhile, a device).
  std::error_code unknown;
  if (auto size = std::filesystem::file_size(file, unknown); !unknown && size > limit) {
    failure = {FileStage::Read, std::make_error_code(std::errc::file_too_large)};
    return std::nullopt;
  }
  std::string content;
  char chunk[65536];
  size_t n;
  errno = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) {
    content.append(chunk, n);
    if (content.size() > limit) {
      failure = {FileStage::Read, std::make_error_code(std::errc::file_too_large)};
      return std::nullopt;
    }
  }
  if (std::ferror(f.get())) {
    failure = {FileStage::Read, LastCError()};
    return std::nullopt;
  }
  return content;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& file, FileFailure& failure,
                                                      size_t limit) {
  auto text = ReadText(file, failure, limit);
  if (!text) return std::nullopt;
  return SplitLines(*text);
}

}  // namespace velmora
