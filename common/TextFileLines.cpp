#include "common/TextFileLines.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "common/CFile.h"

namespace velmora {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t lf = text.find('\n', start);
    size_t end = lf == std::string_view::npos ? text.size() : lf;
    size_t next = lf == std::string_view::npos ? text.size() : lf + 1;
    if (end > start && text[end - 1] == '\r') --end;
    lines.emplace_back(text.substr(start, end - start));
    start = next;
  }
  return lines;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& file, FileFailure& failure) {
  std::error_code ignored;
  if (std::filesystem::is_directory(file, ignored)) {
    failure = {FileStage::Open, std::make_error_code(std::errc::is_a_directory)};
    return std::nullopt;
  }
  errno = 0;
  CFile f(std::fopen(file.string().c_str(), "rb"));
  if (!f) {
    failure = {FileStage::Open, LastCError()};
    return std::nullopt;
  }
  std::string content;
  char chunk[65536];
  size_t n;
  errno = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) content.append(chunk, n);
  if (std::ferror(f.get())) {
    failure = {FileStage::Read, LastCError()};
    return std::nullopt;
  }
  return SplitLines(content);
}

}  // namespace velmora
