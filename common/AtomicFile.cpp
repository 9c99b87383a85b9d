#include "common/AtomicFile.h"

#include <cstdio>
#include <random>

#include "common/DiskFile.h"
#include "common/TextFileLines.h"

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

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::error_code& error, size_t limit) {
  FileFailure failure;
  auto content = ReadText(file, failure, limit);
  error = content ? std::error_code() : failure.error;
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
