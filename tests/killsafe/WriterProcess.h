#pragma once
// The kill test's writer program, started on a file and killed at once
// wherever it is: SIGKILL here, TerminateProcess on Windows.
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace velmora::testing {

class WriterProcess {
 public:
  WriterProcess(const std::filesystem::path& program, std::string_view kind, const std::filesystem::path& file);
  WriterProcess(const WriterProcess&) = delete;
  WriterProcess& operator=(const WriterProcess&) = delete;
  ~WriterProcess() { Kill(); }
  bool Started() const { return started_; }
  // False when it had ended by itself before. Returns once it is gone.
  bool Kill();

 private:
  bool started_ = false;
#ifdef _WIN32
  PROCESS_INFORMATION info_{};
#else
  pid_t pid_ = -1;
#endif
};

#ifdef _WIN32
inline WriterProcess::WriterProcess(const std::filesystem::path& program, std::string_view kind,
                                    const std::filesystem::path& file) {
  std::wstring line =
      L"\"" + program.wstring() + L"\" " + std::wstring(kind.begin(), kind.end()) + L" \"" + file.wstring() + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  started_ = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_);
}

inline bool WriterProcess::Kill() {
  if (!std::exchange(started_, false)) return false;
  bool running = WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
  TerminateProcess(info_.hProcess, 9);
  WaitForSingleObject(info_.hProcess, INFINITE);
  CloseHandle(info_.hProcess);
  CloseHandle(info_.hThread);
  return running;
}
#else
inline WriterProcess::WriterProcess(const std::filesystem::path& program, std::string_view kind,
                                    const std::filesystem::path& file) {
  std::string path = program.string(), kindText(kind), fileText = file.string();
  char* argv[] = {path.data(), kindText.data(), fileText.data(), nullptr};
  started_ = posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv, environ) == 0;
}

inline bool WriterProcess::Kill() {
  if (!std::exchange(started_, false)) return false;
  int status = 0;
  bool running = waitpid(pid_, &status, WNOHANG) == 0;
  if (running) {
    ::kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
  }
  return running;
}
#endif

}  // namespace velmora::testing
