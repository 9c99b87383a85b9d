#include "propagation/win32/Win32ModelProgram.h"

#include "common/win32/WindowFind.h"

namespace velmora {

bool Win32ModelProgram::Start(const std::string& commandLine, std::error_code& error) {
  process_.reset();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  std::string line = commandLine;
  // No console at all: the programs only write their progress to it, and
  // a hidden console is a second process to start (under Wine about 200 ms
  // per run, three times the program's own time).
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                      &process)) {
    error = {static_cast<int>(GetLastError()), std::system_category()};
    return false;
  }
  CloseHandle(process.hThread);
  process_.reset(process.hProcess);
  return true;
}

bool Win32ModelProgram::Wait(double seconds) {
  if (!process_) return false;
  bool finished = ProcessWait(process_.get(), seconds);
  process_.reset();
  return finished;
}

}  // namespace velmora
