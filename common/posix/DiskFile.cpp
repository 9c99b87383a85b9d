#include "common/DiskFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

#include "common/CFile.h"
#include "common/SystemLib.h"

namespace velmora {
namespace {

// Closes on every path; the close's own result is asked for where it matters.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// A name added or changed in a folder is on the disk once the folder is.
bool FlushFolder(const std::filesystem::path& file) {
  auto folder = file.parent_path();
  Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Some file systems cannot flush a folder; they keep names by other means.
  return fd.get() >= 0 && (::fsync(fd.get()) == 0 || errno == EINVAL || errno == EROFS);
}

}  // namespace

// Paths here are the narrow texts themselves.
void PathTextInCodePage() {}

CFile CFileOpen(const std::filesystem::path& file, const char* mode) { return CFile(std::fopen(file.c_str(), mode)); }

CreateResult CreateFileOnDisk(const std::filesystem::path& file, std::string_view content, std::error_code& error) {
  error.clear();
  errno = 0;
  Descriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.get() < 0) {
    if (errno == EEXIST) return CreateResult::kNameTaken;
    error = LastCError();
    return CreateResult::kFailed;
  }
  if (!WriteAll(fd.get(), content) || ::fsync(fd.get()) != 0 || !fd.Close()) {
    error = LastCError();
    std::remove(file.c_str());
    return CreateResult::kFailed;
  }
  return CreateResult::kCreated;
}

bool ReplaceFileOnDisk(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& error) {
  error.clear();
  errno = 0;
  if (std::rename(from.c_str(), to.c_str()) != 0 || !FlushFolder(to)) {
    error = LastCError();
    return false;
  }
  return true;
}

std::optional<std::uintmax_t> DiskSpaceAvailable(const std::filesystem::path& folder) {
  struct statvfs status {};
  if (::statvfs(folder.empty() ? "." : folder.c_str(), &status) != 0) return std::nullopt;
  return std::uintmax_t{status.f_bavail} * status.f_frsize;
}

bool AppendFileOnDisk(const std::filesystem::path& file, std::string_view heading, std::string_view text,
                      std::error_code& error) {
  error.clear();
  errno = 0;
  Descriptor fd(::open(file.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
  struct stat status {};
  if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0) {
    error = LastCError();
    return false;
  }
  const off_t size = status.st_size;
  char last = 0;
  if (size > 0 && ::pread(fd.get(), &last, 1, size - 1) != 1) {
    error = LastCError();
    return false;
  }
  std::string all = AppendedText(size > 0 ? std::optional<char>(last) : std::nullopt, heading, text);
  if (!WriteAll(fd.get(), all) || ::fsync(fd.get()) != 0) {
    error = LastCError();
    if (::ftruncate(fd.get(), size) == 0) ::fsync(fd.get());
    return false;
  }
  if (!fd.Close() || (size == 0 && !FlushFolder(file))) {
    error = LastCError();
    return false;
  }
  return true;
}

}  // namespace velmora
