#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "airmail/SharedReadFile.h"

namespace velmora {

SharedReadFile::~SharedReadFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

bool SharedReadFile::Open(const std::filesystem::path& file, std::error_code& error) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = std::error_code(errno, std::generic_category());
    return false;
  }
  handle_ = fd;
  return true;
}

std::optional<std::uint64_t> SharedReadFile::Length(std::error_code& error) const {
  struct stat info {};
  if (::fstat(static_cast<int>(handle_), &info) != 0) {
    error = std::error_code(errno, std::generic_category());
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(info.st_size);
}

std::optional<FileIdentity> SharedReadFile::Identity() const {
  struct stat info {};
  if (::fstat(static_cast<int>(handle_), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<size_t> SharedReadFile::ReadAt(std::uint64_t offset, std::span<char> buffer,
                                             std::error_code& error) const {
  ssize_t got = ::pread(static_cast<int>(handle_), buffer.data(), buffer.size(), static_cast<off_t>(offset));
  if (got < 0) {
    error = std::error_code(errno, std::generic_category());
    return std::nullopt;
  }
  return static_cast<size_t>(got);
}

}  // namespace velmora
