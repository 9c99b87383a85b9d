#include "common/AtomicFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "common/DiskFile.h"
#include "common/TextFileLines.h"

namespace velmora {
namespace {

constexpr int kTemporaryNameAttempts = 16;
constexpr size_t kTemporaryNumberDigits = 8;
// A write under way touches its temporary within moments; one untouched
// this long was left by a writer killed before its rename.
constexpr auto kTemporaryAbandonedAfter = std::chrono::minutes(10);

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

bool IsTemporaryNumberDigit(std::filesystem::path::value_type c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// Whether the name is the temporary of a file of the same kind (the same
// extension) as `file`: a reference measurement is saved under a new name
// each time, so the temporary of a killed save is never its own file's
// again. Compared in the system's own form of names: a folder may hold
// names that no narrow text can spell.
bool IsTemporaryOfKind(const std::filesystem::path& file, const std::filesystem::path& name) {
  using Text = std::filesystem::path::string_type;
  const Text suffix = std::filesystem::path(".new").native();
  const Text& text = name.native();
  if (text.size() <= 1 + kTemporaryNumberDigits + suffix.size() || !text.ends_with(suffix)) return false;
  const size_t digitsAt = text.size() - suffix.size() - kTemporaryNumberDigits;
  if (text[digitsAt - 1] != '.' ||
      !std::all_of(text.begin() + digitsAt, text.end() - suffix.size(), IsTemporaryNumberDigit))
    return false;
  const std::filesystem::path target(text.substr(0, digitsAt - 1));
  return !target.stem().empty() && target.extension() == file.filename().extension();
}

// Temporaries of files of the kind that killed writes left behind, so
// that crashes do not fill the folder.
void RemoveAbandonedTemporaries(const std::filesystem::path& file) {
  const auto folder = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
  const auto now = std::filesystem::file_time_type::clock::now();
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (!IsTemporaryOfKind(file, it->path().filename())) continue;
    std::error_code ignored;
    auto touched = std::filesystem::last_write_time(it->path(), ignored);
    if (!ignored && now - touched > kTemporaryAbandonedAfter) std::filesystem::remove(it->path(), ignored);
  }
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
        if (ReplaceFileOnDisk(temporary, file, error)) {
          RemoveAbandonedTemporaries(file);
          return true;
        }
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
  }
  error = std::make_error_code(std::errc::file_exists);
  return false;
}

}  // namespace velmora
