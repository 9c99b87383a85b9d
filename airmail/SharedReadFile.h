#pragma once
// A file opened for reading only, shared so that the program writing it
// (AirMail with its debug log) can go on appending, truncating or
// replacing it while it is open here.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <system_error>

namespace velmora {

// Tells one file from another later found under the same name.
struct FileIdentity {
  std::uint64_t volume = 0, index = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

class SharedReadFile {
 public:
  SharedReadFile() = default;
  SharedReadFile(const SharedReadFile&) = delete;
  SharedReadFile& operator=(const SharedReadFile&) = delete;
  ~SharedReadFile();

  bool Open(const std::filesystem::path& file, std::error_code& error);
  std::optional<std::uint64_t> Length(std::error_code& error) const;
  // nullopt where the file system cannot tell.
  std::optional<FileIdentity> Identity() const;
  // Up to buffer.size() bytes from the offset; 0 at the end of the file.
  std::optional<size_t> ReadAt(std::uint64_t offset, std::span<char> buffer, std::error_code& error) const;

 private:
  std::intptr_t handle_ = -1;
};

}  // namespace velmora
