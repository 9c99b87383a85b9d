#include "common/win32/ProcessStart.h"

namespace velmora {

KernelHandle ProcessStart(std::string commandLine, const ProcessStartOptions& options) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = options.show;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(options.program, commandLine.data(), nullptr, nullptr, FALSE, options.flags, nullptr,
                      options.folder, &startup, &process))
    return {};
  CloseHandle(process.hThread);
  return KernelHandle(process.hProcess);
}

}  // namespace velmora
