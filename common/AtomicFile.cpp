#include "common/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>

#include "common/CFile.h"
#include "common/DiskFile.h"

namespace velmora {
namespace {

constexpr int kTemporaryNameAttempts = 16;

// "Velmora.Ini.3f9a2c1b.new", beside the file it will replace.
std::filesystem::path TemporaryName(const std::filesystem::path& file, unsigned number) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", number);
  std::filesystem::path temporary = file;
  temporary += ".";
  temporary += hex;
  temporary += ".new";
  return temporary;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::error_code& error) {
  error.clear();
  errno = 0;
  CFile f(std::fopen(file.string().c_str(), "rb"));
  if (!f) {
    error = LastCError();
    return std::nullopt;
  }
  std::string content;
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) content.append(chunk, n);
  if (std::ferror(f.get())) {
    error = LastCError();
    return std::nullopt;
  }
  return content;
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view content, std::error_code& error) {
  error.clear();
  // A name of its own for each write, so that two writers never fill or
  // rename each other's half-written file.
  std::random_device random;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    std::filesystem::path temporary = TemporaryName(file, random());
    switch (CreateFileOnDisk(temporary, content, error)) {
      case CreateResult::kNameTaken:
        continue;
      case CreateResult::kFailed:
        return false;
      case CreateResult::kCreated:
        if (ReplaceFileOnDisk(temporary, file, error)) return true;
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
  }
  error = std::make_error_code(std::errc::file_exists);
  return false;
}

}  // namespace velmora
