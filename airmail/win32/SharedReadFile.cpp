#include <windows.h>

#include <algorithm>

#include "airmail/SharedReadFile.h"

namespace velmora {
namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
std::error_code LastError() { return std::error_code(static_cast<int>(GetLastError()), std::system_category()); }

}  // namespace

SharedReadFile::~SharedReadFile() {
  if (handle_ != -1) CloseHandle(AsHandle(handle_));
}

bool SharedReadFile::Open(const std::filesystem::path& file, std::error_code& error) {
  HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = LastError();
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(h);
  return true;
}

std::optional<std::uint64_t> SharedReadFile::Length(std::error_code& error) const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(AsHandle(handle_), &size)) {
    error = LastError();
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<FileIdentity> SharedReadFile::Identity() const {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(AsHandle(handle_), &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::optional<size_t> SharedReadFile::ReadAt(std::uint64_t offset, std::span<char> buffer,
                                             std::error_code& error) const {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD got = 0;
  DWORD want = static_cast<DWORD>(std::min<size_t>(buffer.size(), 1u << 30));
  if (!ReadFile(AsHandle(handle_), buffer.data(), want, &got, &at)) {
    if (GetLastError() == ERROR_HANDLE_EOF) return 0;
    error = LastError();
    return std::nullopt;
  }
  return static_cast<size_t>(got);
}

}  // namespace velmora
