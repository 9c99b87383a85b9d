#include "propagation/win32/Win32ModelProgram.h"

#include "common/win32/ProcessStart.h"
#include "common/win32/WindowFind.h"

namespace velmora {

bool Win32ModelProgram::Start(const std::string& commandLine, std::error_code& error) {
  process_.reset();
  // No console at all: the programs only write their progress to it, and
  // a hidden console is a second process to start (under Wine about 200 ms
  // per run, three times the program's own time).
  process_ = ProcessStart(commandLine, {.show = SW_HIDE, .flags = DETACHED_PROCESS});
  if (!process_) error = {static_cast<int>(GetLastError()), std::system_category()};
  return static_cast<bool>(process_);
}

bool Win32ModelProgram::Wait(double seconds) {
  if (!process_) return false;
  bool finished = ProcessWait(process_.get(), seconds);
  process_.reset();
  return finished;
}

}  // namespace velmora
