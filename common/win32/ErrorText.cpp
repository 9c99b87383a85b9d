#include <windows.h>

#include "common/SystemLib.h"
#include "common/win32/SystemErrorText.h"

namespace velmora {

std::string ErrorText(const std::error_code& error) {
  if (error.category() == std::system_category()) return SystemErrorText(static_cast<unsigned long>(error.value()));
  return error.message();
}

void SystemErrorBoxesOff() { SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX); }

}  // namespace velmora
