#pragma once
// Files of the C library owned by a handle that closes them, and the error
// of the last failed call on one.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace velmora {

struct CFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using CFile = std::unique_ptr<std::FILE, CFileCloser>;

// Opens the file by its full name in the system's own form (mode as for
// fopen, "rb" or "wb"): a narrow name would lose every letter outside the
// user's code page, and with it a folder such as a user's home folder.
CFile CFileOpen(const std::filesystem::path& file, const char* mode);

// errno as an error; a call that failed without setting it counts as an I/O error.
inline std::error_code LastCError() { return {errno ? errno : EIO, std::generic_category()}; }

}  // namespace velmora
