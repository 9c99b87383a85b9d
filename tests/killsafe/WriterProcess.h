#pragma once
// The kill test's writer program, started on a file and killed at once
// wherever it is: SIGKILL here, TerminateProcess on Windows.
#include <filesystem>
#include <string>
#include <string_view>

#ifdef _WIN32
#include "tests/common/win32/TestWin32.h"
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <utility>
#endif

namespace velmora::testing {

#ifdef _WIN32
class WriterProcess {
 public:
  WriterProcess(const std::filesystem::path& program, std::string_view kind, const std::filesystem::path& file)
      : child_("\"" + program.string() + "\" " + std::string(kind) + " \"" + file.string() + "\"") {}
  bool Started() const { return child_.Started(); }
  // False when it had ended by itself before. Returns once it is gone.
  bool Kill() { return child_.Terminate(); }

 private:
  ChildProcess child_;
};
#else
class WriterProcess {
 public:
  WriterProcess(const std::filesystem::path& program, std::string_view kind, const std::filesystem::path& file) {
    std::string path = program.string(), kindText(kind), fileText = file.string();
    char* argv[] = {path.data(), kindText.data(), fileText.data(), nullptr};
    started_ = posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv, environ) == 0;
  }
  WriterProcess(const WriterProcess&) = delete;
  WriterProcess& operator=(const WriterProcess&) = delete;
  ~WriterProcess() { Kill(); }
  bool Started() const { return started_; }
  // False when it had ended by itself before. Returns once it is gone.
  bool Kill() {
    if (!std::exchange(started_, false)) return false;
    int status = 0;
    bool running = waitpid(pid_, &status, WNOHANG) == 0;
    if (running) {
      ::kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
    return running;
  }

 private:
  bool started_ = false;
  pid_t pid_ = -1;
};
#endif

}  // namespace velmora::testing
