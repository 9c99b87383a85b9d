#include "common/win32/CodePagePath.h"

#include <optional>

namespace velmora {
namespace {

// The text in the code page, or nothing when a letter has none there (it
// would become "?", or a look-alike that names another file).
std::optional<std::string> CodePageSpelling(const std::wstring& text) {
  const bool utf8 = GetACP() == CP_UTF8;  // which has every letter, and takes no flags
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL defaulted = FALSE;
  BOOL* asked = utf8 ? nullptr : &defaulted;
  const int length = static_cast<int>(text.size());
  int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, asked);
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), length, narrow.data(), size, nullptr, asked);
  if (defaulted || (size == 0 && !text.empty())) return std::nullopt;
  return narrow;
}

std::optional<std::wstring> ShortName(const std::wstring& path) {
  DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring name(size, L'\0');
  DWORD length = GetShortPathNameW(path.c_str(), name.data(), size);
  if (length == 0 || length >= size) return std::nullopt;
  name.resize(length);
  return name;
}

}  // namespace

std::string CodePagePath(const std::wstring& path) {
  if (auto spelled = CodePageSpelling(path)) return *spelled;
  if (auto name = ShortName(path))
    if (auto spelled = CodePageSpelling(*name)) return *spelled;
  // A file still to be made has no short name: its folder's, and its own name.
  auto slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos)
    if (auto folder = ShortName(path.substr(0, slash)))
      if (auto spelled = CodePageSpelling(*folder + path.substr(slash))) return *spelled;
  std::string lossy(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr)),
                    '\0');
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, lossy.data(), static_cast<int>(lossy.size()), nullptr, nullptr);
  lossy.resize(lossy.find('\0'));
  return lossy;
}

std::wstring WideText(std::string_view text) {
  const int length = static_cast<int>(text.size());
  std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

}  // namespace velmora
