#pragma once
// Writes that are on the disk, not only in the system's cache, when they
// report success: a power cut afterwards leaves what was written, never an
// empty or an old file. Each platform has its own way (common/posix,
// common/win32).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace velmora {

enum class CreateResult { kCreated, kNameTaken, kFailed };

// Creates the file, which must not exist yet, with the content. A file of
// that name already there is left alone (kNameTaken).
CreateResult CreateFileOnDisk(const std::filesystem::path& file, std::string_view content, std::error_code& error);

// Puts `from` in the place of `to` in one step that either happens whole or
// not at all, and waits until the new name is on the disk.
bool ReplaceFileOnDisk(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& error);

// Adds the text at the end in one write, on a line of its own: after
// `heading` when the file is new or empty, after a line end when its last
// line has none (edited by hand, or cut short). A failed append takes back
// what it wrote, so the next one does not follow half a line.
bool AppendFileOnDisk(const std::filesystem::path& file, std::string_view heading, std::string_view text,
                      std::error_code& error);

// Bytes that may still be written on the disk that holds the folder;
// nullopt when the system cannot tell.
std::optional<std::uintmax_t> DiskSpaceAvailable(const std::filesystem::path& folder);

// What AppendFileOnDisk writes after the file's last byte (nullopt when it
// is empty).
inline std::string AppendedText(std::optional<char> lastByte, std::string_view heading, std::string_view text) {
  std::string_view before = !lastByte ? heading : *lastByte == '\n' ? "" : *lastByte == '\r' ? "\n" : "\r\n";
  return std::string(before) + std::string(text);
}

}  // namespace velmora
