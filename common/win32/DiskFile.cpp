#include "common/DiskFile.h"

#include <windows.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <string>

#include "common/CFile.h"
#include "common/SystemLib.h"
#include "common/win32/Handles.h"

namespace velmora {
namespace {

std::error_code LastError() {
  DWORD code = GetLastError();
  return {static_cast<int>(code ? code : ERROR_WRITE_FAULT), std::system_category()};
}

struct FileHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
using FileHandle = UniqueHandle<HANDLE, FileHandleTraits>;

bool WriteAll(HANDLE file, std::string_view text) {
  while (!text.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, text.data(), chunk, &written, nullptr) || written == 0) return false;
    text.remove_prefix(written);
  }
  return true;
}

// The handle's own close result counts: a failed close may lose the data.
bool Close(FileHandle& file) { return CloseHandle(file.release()) != 0; }

}  // namespace

void PathTextInCodePage() {
  // The character type alone: numbers keep the point whatever the user's locale.
  const std::string codePage = "." + std::to_string(GetACP());
  std::setlocale(LC_CTYPE, codePage.c_str());
}

CFile CFileOpen(const std::filesystem::path& file, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return CFile(_wfopen(file.c_str(), wideMode.c_str()));
}

CreateResult CreateFileOnDisk(const std::filesystem::path& file, std::string_view content, std::error_code& error) {
  error.clear();
  FileHandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) {
    DWORD code = GetLastError();
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) return CreateResult::kNameTaken;
    error = {static_cast<int>(code), std::system_category()};
    return CreateResult::kFailed;
  }
  if (!WriteAll(handle.get(), content) || !FlushFileBuffers(handle.get()) || !Close(handle)) {
    error = LastError();
    handle.reset();
    DeleteFileW(file.c_str());
    return CreateResult::kFailed;
  }
  return CreateResult::kCreated;
}

bool ReplaceFileOnDisk(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& error) {
  error.clear();
  // A file another program holds open (a virus scanner or an indexer
  // reading either file, mostly for a moment) cannot be replaced: tried
  // again for a while before the save is given up.
  constexpr int kAttempts = 20;
  constexpr DWORD kPauseMs = 100;
  for (int attempt = 1;; ++attempt) {
    // Write-through: the call returns only once the move is on the disk.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD code = GetLastError();
    const bool held = code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED;
    const DWORD attributes = GetFileAttributesW(to.c_str());
    const bool neverWritable =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
    if (!held || neverWritable || attempt == kAttempts) {
      error = {static_cast<int>(code ? code : ERROR_WRITE_FAULT), std::system_category()};
      return false;
    }
    Sleep(kPauseMs);
  }
}

std::optional<std::uintmax_t> DiskSpaceAvailable(const std::filesystem::path& folder) {
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExW(folder.empty() ? L"." : folder.c_str(), &available, nullptr, nullptr)) return std::nullopt;
  return available.QuadPart;
}

bool AppendFileOnDisk(const std::filesystem::path& file, std::string_view heading, std::string_view text,
                      std::error_code& error) {
  error.clear();
  // Read and write, not append only: the last byte is looked at, and a
  // failed append is cut off again.
  FileHandle handle(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!handle || !GetFileSizeEx(handle.get(), &size)) {
    error = LastError();
    return false;
  }
  std::optional<char> last;
  if (size.QuadPart > 0) {
    LARGE_INTEGER lastAt{};
    lastAt.QuadPart = size.QuadPart - 1;
    char c = 0;
    DWORD read = 0;
    if (!SetFilePointerEx(handle.get(), lastAt, nullptr, FILE_BEGIN) ||
        !ReadFile(handle.get(), &c, 1, &read, nullptr) || read != 1) {
      error = LastError();
      return false;
    }
    last = c;
  }
  std::string all = AppendedText(last, heading, text);
  if (!SetFilePointerEx(handle.get(), size, nullptr, FILE_BEGIN) || !WriteAll(handle.get(), all) ||
      !FlushFileBuffers(handle.get())) {
    error = LastError();
    if (SetFilePointerEx(handle.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(handle.get()))
      FlushFileBuffers(handle.get());
    return false;
  }
  if (!Close(handle)) {
    error = LastError();
    return false;
  }
  return true;
}

}  // namespace velmora
