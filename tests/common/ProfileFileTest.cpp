#include "common/ProfileFile.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// The reading rules are compared with the platform's own profile calls over
// awkward files under Wine (ProfileDifferentialTest); here the writer's
// layout, byte for byte, and what a failed write leaves.
TEST(ProfileWrite, ChangesOnlyItsOwnLineAndAddsWhatIsMissingAtTheEnd) {
  struct Case { std::string before; std::vector<std::array<const char*, 3>> writes; std::string after; } cases[] = {
      {"; notes\r\n[Detector Data]\r\n  Burst = True  \r\nPeak=False\r\n\r\n[Display Data]\nFft Range=1\n",
       {{"detector data", "burst", "False"}},
       "; notes\r\n[Detector Data]\r\nBurst=False\r\nPeak=False\r\n\r\n[Display Data]\nFft Range=1\n"},
      {"[A]\r\nx=1\r\n\r\n[B]\r\ny=2", {{"A", "z", "3"}, {"C", "w", "4"}},
       "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n"},
      {"", {{"A", "x", "one\r\n[B]\r\ny=2"}}, "[A]\r\nx=one  [B]  y=2\r\n"},  // a line break cannot split the file
  };
  for (const auto& c : cases) {
    auto doc = ProfileDocument::Parse(c.before);
    for (const auto& [section, key, value] : c.writes) doc.Write(section, key, value);
    EXPECT_EQ(doc.Text(), c.after) << c.before;
  }
}

// Names a line cannot hold as they are are written so that each reads
// back, and no other entry is lost.
TEST(ProfileWrite, EveryNameReadsBack) {
  const std::array<const char*, 2> names[] = {
      {"A", "7102.0=5"}, {"A", "[7102.0]"}, {"A", "10147.3\r\n[B]\r\nb"}, {"S\r\n[T]", "k"}, {"A", "plain"},
  };
  auto doc = ProfileDocument::Parse("[A]\r\nkeep=1\r\n");
  for (size_t i = 0; i < std::size(names); ++i) doc.Write(names[i][0], names[i][1], std::to_string(i));
  auto back = ProfileDocument::Parse(doc.Text());
  for (size_t i = 0; i < std::size(names); ++i) EXPECT_EQ(back.Read(names[i][0], names[i][1]), std::to_string(i)) << i;
  EXPECT_EQ(back.Read("A", "keep"), "1");
}

// Refused for reading and for writing alike.
TEST(ProfileRead, AFileLargerThanAnySettingsFileIsRefusedAndKept) {
  testing::TempFolder folder;
  auto file = folder.path() / "Velmora.Ini";
  std::ofstream(file, std::ios::binary) << "[A]\r\nx=1\r\n" << std::string(kProfileFileLimit - 10, '\n');
  EXPECT_EQ(ProfileRead(file, "A", "x"), "1") << "at the limit";
  std::ofstream(file, std::ios::binary | std::ios::app) << "\n";
  EXPECT_EQ(ProfileRead(file, "A", "x"), "");
  std::error_code error;
  EXPECT_FALSE(ProfileWrite(file, "A", "x", "2", error));
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_EQ(std::filesystem::file_size(file), kProfileFileLimit + 1);
}

TEST(ProfileWrite, AFailedWriteLeavesTheFileAsItWas) {
  testing::TempFolder folder;
  auto file = folder.path() / "missing folder" / "Velmora.Ini";
  std::error_code error;
  EXPECT_FALSE(ProfileWrite(file, "A", "x", "1", error));
  EXPECT_TRUE(error);
  EXPECT_EQ(ProfileRead(file, "A", "x"), "");

  // A file that exists but cannot be read is never replaced by a new one
  // that would hold only the keys just written.
  auto locked = folder.path() / "locked.ini";
  { std::ofstream(locked) << "[A]\r\nkeep=1\r\n"; }
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  if (!std::ifstream(locked)) {  // not when running with rights that read anything
    ProfileWriter writer(locked);
    writer.Write("A", "x", "2");
    EXPECT_FALSE(writer.Commit(error));
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    EXPECT_EQ(ProfileRead(locked, "A", "keep"), "1");
  }
}

}  // namespace
}  // namespace velmora
