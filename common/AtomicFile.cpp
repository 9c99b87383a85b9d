#include "common/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace velmora {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::error_code LastError() { return {errno ? errno : EIO, std::generic_category()}; }

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::error_code& error) {
  error.clear();
  errno = 0;
  FilePtr f(std::fopen(file.string().c_str(), "rb"));
  if (!f) {
    error = LastError();
    return std::nullopt;
  }
  std::string content;
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) content.append(chunk, n);
  if (std::ferror(f.get())) {
    error = LastError();
    return std::nullopt;
  }
  return content;
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view content, std::error_code& error) {
  error.clear();
  std::filesystem::path temporary = file;
  temporary += ".new";
  {
    errno = 0;
    FilePtr f(std::fopen(temporary.string().c_str(), "wb"));
    if (!f) {
      error = LastError();
      return false;
    }
    bool written = std::fwrite(content.data(), 1, content.size(), f.get()) == content.size();
    written = std::fflush(f.get()) == 0 && written;
    std::FILE* raw = f.release();
    written = std::fclose(raw) == 0 && written;
    if (!written) {
      error = LastError();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace velmora
