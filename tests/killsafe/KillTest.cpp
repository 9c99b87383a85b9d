// Every file the program writes, its writer killed at random moments many
// times: afterwards each whole file holds the old or the new content byte
// for byte, a log holds whole records only, and a recording every buffer
// written before, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <optional>
#include <random>
#include <thread>
#include <vector>

#include "tests/common/TempFolder.h"
#include "tests/killsafe/FileKinds.h"
#ifdef _WIN32
#include "airmail/AutoConnectSettings.h"
#include "app/win32/MainWindow.h"
#include "common/ProfileFile.h"
#include "tests/common/win32/TestWin32.h"
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <utility>
#endif

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

// The writer program, started on a file and killed at once wherever it is:
// TerminateProcess on Windows, SIGKILL here.
#ifdef _WIN32
// Each start of a Windows program under Wine takes a good part of a second.
constexpr int kKills = 5;
constexpr auto kStartUp = std::chrono::milliseconds(150);
const fs::path kWriter = HostPath(VELMORA_KILLWRITER);

struct WriterProcess : ChildProcess {
  WriterProcess(std::string_view kind, const fs::path& file)
      : ChildProcess("\"" + kWriter.string() + "\" " + std::string(kind) + " \"" + file.string() + "\"") {}
};
#else
constexpr int kKills = 40;
constexpr auto kStartUp = std::chrono::milliseconds(2);
const fs::path kWriter = VELMORA_KILLWRITER;

class WriterProcess {
 public:
  WriterProcess(std::string_view kind, const fs::path& file) {
    std::string path = kWriter.string(), kindText(kind), fileText = file.string();
    char* argv[] = {path.data(), kindText.data(), fileText.data(), nullptr};
    started_ = posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv, environ) == 0;
  }
  WriterProcess(const WriterProcess&) = delete;
  WriterProcess& operator=(const WriterProcess&) = delete;
  ~WriterProcess() { Terminate(); }
  bool Started() const { return started_; }
  // False when it had ended by itself before (as ChildProcess's). Returns once it is gone.
  bool Terminate() {
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

// Temporaries that killed whole-file writes left beside the file.
std::vector<fs::path> Temporaries(const fs::path& file) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(file.parent_path())) {
    auto name = entry.path().filename().string();
    if (name != file.filename().string() && name.rfind(file.filename().string(), 0) == 0) found.push_back(entry);
  }
  return found;
}

using Milliseconds = std::chrono::duration<double, std::milli>;

// Kills the writer of the kind's file at random moments over its first
// few writes (each taking about `write`), checking the file after each kill.
void KillRepeatedly(const FileKind& kind, const fs::path& file, Milliseconds write) {
  const unsigned seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  const WrittenContents written = WrittenBy(kind);
  std::uniform_real_distribution<double> delay(kStartUp.count(), kStartUp.count() + 3 * write.count());
  for (int kill = 0; kill < kKills; ++kill) {
    // Under Wine a process start now and then fails at once on a busy
    // machine; a writer that cannot start at all fails every try.
    std::optional<WriterProcess> writer;
    for (int start = 0; start < 3 && !(writer && writer->Started()); ++start) {
      if (start > 0) std::this_thread::sleep_for(std::chrono::milliseconds(200));
      writer.emplace(kind.name, file);
    }
    ASSERT_TRUE(writer->Started());
    std::this_thread::sleep_for(Milliseconds(delay(random)));
    ASSERT_TRUE(writer->Terminate()) << "the writer ended by itself";
    ASSERT_EQ(KilledFileFault(kind, file, written), "") << "after kill " << kill + 1;
  }
}

class KilledWriter : public ::testing::TestWithParam<FileKind> {};

TEST_P(KilledWriter, LeavesAFileTheProgramReads) {
  const FileKind& kind = GetParam();
  TempFolder folder;
  const auto file = folder.path() / kind.fileName;
  auto start = std::chrono::steady_clock::now();
  if (kind.shape == FileShape::kRecording)
    fs::create_directories(file);
  else
    kind.write(file, 0);
  KillRepeatedly(kind, file, std::max(Milliseconds(20), Milliseconds(std::chrono::steady_clock::now() - start)));
  if (kind.shape != FileShape::kWhole) return;
  // The next write goes through beside the leftovers of killed writes;
  // it leaves those alone that a write under way could still own, and
  // removes the abandoned ones: a write of another file of the kind too,
  // since a measurement saved under a new name is never written again.
  const auto left = Temporaries(file);
  kind.write(file, 1);
  EXPECT_EQ(KilledFileFault(kind, file, WrittenBy(kind)), "");
  EXPECT_EQ(Temporaries(file).size(), left.size());
  for (const auto& temporary : left)
    fs::last_write_time(temporary, fs::last_write_time(temporary) - std::chrono::hours(1));
  kind.write(folder.path() / ("Another" + file.extension().string()), 0);
  EXPECT_EQ(Temporaries(file).size(), 0u);
  std::cout << kind.name << ": " << kKills << " kills, " << left.size() << " left a temporary\n";
}

INSTANTIATE_TEST_SUITE_P(EveryFile, KilledWriter, ::testing::ValuesIn(FileKinds()),
                         [](const auto& info) { return std::string(info.param.name); });

#ifdef _WIN32
// The program itself, started beside settings that killed writes left,
// shows no message, and writes back at exit what it read.
TEST(KilledSettings, TheProgramStartsOnThemWithoutAMessage) {
  const FileKind& kind = *FindFileKind("settings");
  TempFolder folder;
  const auto file = folder.path() / kind.fileName;
  kind.write(file, 0);
  KillRepeatedly(kind, file, Milliseconds(200));
  const std::string left = ProfileRead(file, kAutoConnectSection, "Station History Min");
  fs::copy_file(HostPath(VELMORA_BINARY_DIR "/Velmora.exe"), folder.path() / "Velmora.exe");
  ChildProcess program("\"" + (folder.path() / "Velmora.exe").string() + "\"", folder.path().string());
  auto isBox = [](HWND w) { return ClassOf(w) == "#32770"; };
  HWND shown = program.WaitWindow([&](HWND w) { return isBox(w) || ClassOf(w) == kMainWindowClass; });
  ASSERT_NE(shown, nullptr);
  ASSERT_FALSE(isBox(shown)) << ChildTexts(shown);
  HWND late = program.WaitWindow(isBox, 1);
  ASSERT_EQ(late, nullptr) << ChildTexts(late);
  PostMessageA(shown, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitExit(10000));
  EXPECT_EQ(ProfileRead(file, kAutoConnectSection, "Station History Min"), left);
}
#endif

}  // namespace
}  // namespace velmora::testing
