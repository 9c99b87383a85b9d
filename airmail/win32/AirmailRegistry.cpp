#include "airmail/win32/AirmailRegistry.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace velmora {
namespace {

struct KeyCloser {
  HKEY key = nullptr;
  ~KeyCloser() {
    if (key) RegCloseKey(key);
  }
};

}  // namespace

std::optional<std::string> Win32AirmailRegistry::InstallFolder() const {
  KeyCloser opened;
  constexpr REGSAM kQueryEnumerateNotify = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kAirmailInstallationKey, 0, kQueryEnumerateNotify, &opened.key) !=
      ERROR_SUCCESS)
    return std::nullopt;
  // Asked for its size first, so a value of any length is read whole.
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(opened.key, kAirmailInstallFolderValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::vector<char> buffer(size + 1, '\0');
  DWORD read = size;
  if (RegQueryValueExA(opened.key, kAirmailInstallFolderValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                       &read) != ERROR_SUCCESS)
    return std::nullopt;
  std::string value(buffer.data(), std::min<DWORD>(read, size));
  if (type != REG_EXPAND_SZ) return value;
  // "%ProgramFiles%\AirMail": read with the names it holds filled in.
  value.resize(std::strlen(value.c_str()));
  const DWORD needed = ExpandEnvironmentStringsA(value.c_str(), nullptr, 0);
  if (needed == 0) return value;
  std::string expanded(needed + 1, '\0');
  if (ExpandEnvironmentStringsA(value.c_str(), expanded.data(), needed + 1) == 0) return value;
  expanded.resize(std::strlen(expanded.c_str()));
  return expanded;
}

}  // namespace velmora
