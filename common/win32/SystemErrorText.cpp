#include "common/win32/SystemErrorText.h"

#include <windows.h>

#include "common/SystemLib.h"

namespace velmora {

std::string SystemErrorText(unsigned long code) {
  char text[1024];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                           sizeof text, nullptr);
  if (n == 0) return ErrorCodeText(static_cast<long long>(code));
  std::string out(text, n);
  while (!out.empty() && (out.back() == '\r' || out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

std::string LastErrorText() { return SystemErrorText(GetLastError()); }

}  // namespace velmora
