#include "tools/predict/posix/WineModelProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "common/TextParse.h"

extern char** environ;

namespace velmora {
namespace {

namespace fs = std::filesystem;

// The runner's command line: blank-separated words, a word with blanks in
// double quotes; the runner joins folders and names with "\".
std::vector<std::string> Words(const std::string& commandLine) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

std::string UnixPath(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return CaseFoldedPath(path).string();
}

}  // namespace

fs::path CaseFoldedPath(const fs::path& path) {
  std::error_code error;
  if (fs::exists(path, error)) return path;
  fs::path found;
  for (const auto& part : path) {
    fs::path next = found / part;
    if (!fs::exists(next, error) && fs::is_directory(found.empty() ? "." : found, error)) {
      for (const auto& entry : fs::directory_iterator(found.empty() ? "." : found, error))
        if (EqualsNoCase(entry.path().filename().string(), part.string())) {
          next = found / entry.path().filename();
          break;
        }
    }
    found = next;
  }
  return found;
}

std::string WineFolderName(const std::string& folder) {
  std::string name = "Z:" + fs::absolute(folder).lexically_normal().string();
  for (char& c : name)
    if (c == '/') c = '\\';
  while (name.size() > 3 && name.back() == '\\') name.pop_back();
  return name;
}

std::optional<std::string> WineFind() {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "";
  while (!rest.empty()) {
    size_t colon = rest.find(':');
    std::string folder(rest.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (folder.empty()) continue;
    std::string candidate = folder + "/wine";
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

WineModelProgram::~WineModelProgram() {
  if (process_ > 0) {
    kill(process_, SIGKILL);
    waitpid(process_, nullptr, 0);
  }
}

bool WineModelProgram::Start(const std::string& commandLine, std::error_code& error) {
  // The program and its folder argument as Wine takes them, the rest as it is.
  auto words = Words(commandLine);
  if (words.size() < 2) {
    error = std::make_error_code(std::errc::invalid_argument);
    return false;
  }
  std::vector<std::string> arguments = {wine_, UnixPath(words[0]), WineFolderName(UnixPath(words[1]))};
  arguments.insert(arguments.end(), words.begin() + 2, words.end());
  std::vector<char*> argv;
  for (auto& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);

  // Wine's own messages, and the server it may leave running, hold no pipe of ours.
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  int result = posix_spawn(&pid, wine_.c_str(), &files, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  if (result != 0) {
    error = {result, std::generic_category()};
    return false;
  }
  process_ = pid;
  return true;
}

bool WineModelProgram::Wait(double seconds) {
  if (process_ <= 0) return false;
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int status = 0;
  pid_t done = 0;
  while ((done = waitpid(process_, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const bool finished = done == process_;
  if (!finished) {
    kill(process_, SIGKILL);
    waitpid(process_, &status, 0);
  }
  process_ = -1;
  return finished && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace velmora
