#pragma once
// When a file was last written and how long it is: what was read of it
// stands until either changes.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

namespace velmora {

struct FileWriteStamp {
  std::filesystem::file_time_type written{};
  std::uintmax_t size = 0;
  bool operator==(const FileWriteStamp&) const = default;
};

// Nothing when the file is missing or cannot be asked.
inline std::optional<FileWriteStamp> FileWriteStampOf(const std::filesystem::path& file) {
  std::error_code error;
  FileWriteStamp stamp{std::filesystem::last_write_time(file, error), 0};
  if (!error) stamp.size = std::filesystem::file_size(file, error);
  if (error) return std::nullopt;
  return stamp;
}

}  // namespace velmora
