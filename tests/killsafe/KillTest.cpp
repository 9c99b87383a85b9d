// Every file the program writes, its writer killed at random moments many
// times: afterwards each whole file holds the old or the new content and
// reads cleanly, a log holds whole records only, and a recording every
// buffer written before, in order.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include "tests/common/TempFolder.h"
#include "tests/killsafe/FileKinds.h"
#include "tests/killsafe/WriterProcess.h"
#ifdef _WIN32
#include "tests/common/win32/TestWin32.h"
#endif

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
// Each start of a Windows program under Wine takes a good part of a second.
constexpr int kKills = 5;
constexpr int kShortestMs = 150, kLongestMs = 900;
const fs::path kWriter = HostPath(VELMORA_KILLWRITER);
#else
constexpr int kKills = 40;
constexpr int kShortestMs = 2, kLongestMs = 60;
const fs::path kWriter = VELMORA_KILLWRITER;
#endif

// Temporaries a killed whole-file write left beside the file.
int Temporaries(const fs::path& file) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(file.parent_path())) {
    auto name = entry.path().filename().string();
    count += name != file.filename().string() && name.rfind(file.filename().string(), 0) == 0;
  }
  return count;
}

// Kills the writer of the kind's file at random moments, checking the
// file after each kill.
void KillRepeatedly(const FileKind& kind, const fs::path& file) {
  const unsigned seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delay(kShortestMs, kLongestMs);
  for (int kill = 0; kill < kKills; ++kill) {
    WriterProcess writer(kWriter, kind.name, file);
    ASSERT_TRUE(writer.Started());
    std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
    ASSERT_TRUE(writer.Kill()) << "the writer ended by itself";
    ASSERT_EQ(KilledFileFault(kind, file), "") << "after kill " << kill + 1;
  }
}

class KilledWriter : public ::testing::TestWithParam<const char*> {};

TEST_P(KilledWriter, LeavesAFileTheProgramReads) {
  const FileKind& kind = *FindFileKind(GetParam());
  TempFolder folder;
  const auto file = folder.path() / kind.fileName;
  if (kind.shape == FileShape::kRecording) fs::create_directories(file);
  else kind.write(file, 0);
  KillRepeatedly(kind, file);
  if (kind.shape != FileShape::kWhole) return;
  // Leftovers of killed writes are no file of the program's, and the
  // next write goes through beside them.
  int left = Temporaries(file);
  kind.write(file, 1);
  EXPECT_EQ(KilledFileFault(kind, file), "");
  std::cout << kind.name << ": " << kKills << " kills, " << left << " temporaries left\n";
}

INSTANTIATE_TEST_SUITE_P(EveryFile, KilledWriter,
                         ::testing::Values("settings", "offsets", "history", "radio", "reference", "noconnect",
                                           "runlog", "messagelog", "recording"));

}  // namespace
}  // namespace velmora::testing
