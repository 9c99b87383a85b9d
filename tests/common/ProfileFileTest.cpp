#include "common/ProfileFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/AtomicFile.h"
#include "tests/common/AwkwardProfiles.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

ProfileDocument Named(const char* name) {
  for (const auto& p : testing::AwkwardProfiles())
    if (std::string_view(p.name) == name) return ProfileDocument::Parse(p.content);
  ADD_FAILURE() << "no profile " << name;
  return {};
}

// The platform's reading rules, one line each; the comparison with the
// platform itself over the same files runs under Wine.
TEST(ProfileRead, FollowsThePlatformsRules) {
  EXPECT_EQ(Named("blanks around equals").Read(" detector data ", " CW RANGE "), "50");
  EXPECT_EQ(Named("blanks around equals").Read("Detector Data", "Key With Blanks"), "a b c");
  EXPECT_EQ(Named("case and blanks in names").Read("Mixed Case", "mixed key"), "1");
  EXPECT_EQ(Named("duplicate sections").Read("Detector Data", "Peak"), "") << "only the first section counts";
  EXPECT_EQ(Named("duplicate keys").Read("Detector Data", "Burst"), "True");
  EXPECT_EQ(Named("empty value").Read("Detector Data", "Peak"), "");
  EXPECT_EQ(Named("line without equals").Read("Detector Data", "Burst"), "");
  EXPECT_EQ(Named("long value").Read("Display Data", "Long"), std::string(255, 'x'));
  EXPECT_EQ(Named("quoted values").Read("Q", "Double"), "quoted");
  EXPECT_EQ(Named("quoted values").Read("Q", "Half"), "\"open");
  EXPECT_EQ(Named("keys before any section").Read("", "Orphan"), "1");
  EXPECT_EQ(Named("broken header").Read("Detector Data", "Burst"), "");
  EXPECT_EQ(ProfileRead("/no/such/folder/x.ini", "a", "b"), "");
}

TEST(ProfileWrite, ChangesOnlyItsOwnLine) {
  std::string before = "; notes\r\n[Detector Data]\r\n  Burst = True  \r\nPeak=False\r\n\r\n[Display Data]\nFft Range=1\n";
  auto doc = ProfileDocument::Parse(before);
  doc.Write("detector data", "burst", "False");
  EXPECT_EQ(doc.Text(), "; notes\r\n[Detector Data]\r\nBurst=False\r\nPeak=False\r\n\r\n[Display Data]\nFft Range=1\n");
}

TEST(ProfileWrite, AddsKeysAtTheEndOfTheirSectionAndNewSectionsAtTheEnd) {
  auto doc = ProfileDocument::Parse("[A]\r\nx=1\r\n\r\n[B]\r\ny=2");
  doc.Write("A", "z", "3");
  doc.Write("C", "w", "4");
  EXPECT_EQ(doc.Text(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n");
  auto empty = ProfileDocument::Parse("");
  empty.Write("Display Data", "Sample Size", "2048");
  EXPECT_EQ(empty.Text(), "[Display Data]\r\nSample Size=2048\r\n");
}

TEST(ProfileWrite, ALineBreakInAValueCannotSplitTheFile) {
  auto doc = ProfileDocument::Parse("");
  doc.Write("A", "x", "one\r\n[B]\r\ny=2");
  EXPECT_EQ(doc.Read("A", "x"), "one  [B]  y=2");
  EXPECT_EQ(doc.Read("B", "y"), "");
}

TEST(ProfileWrite, WritesTheFileWholeAndKeepsOthersIntact) {
  testing::TempFolder folder;
  auto file = folder.path() / "Velmora.Ini";
  std::error_code error;
  ASSERT_TRUE(ProfileWrite(file, "Display Data", "Sample Size", "1024", error)) << error.message();
  ProfileWriter writer(file);
  writer.Write("Display Data", "Fft Range", "2");
  writer.Write("Detector Data", "Burst", "True");
  ASSERT_TRUE(writer.Commit(error));
  EXPECT_EQ(ProfileRead(file, "Display Data", "Sample Size"), "1024");
  EXPECT_EQ(ProfileRead(file, "Display Data", "Fft Range"), "2");
  EXPECT_EQ(ProfileRead(file, "Detector Data", "Burst"), "True");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Velmora.Ini.new"));
}

TEST(ProfileWrite, AFailedWriteLeavesTheFileAsItWas) {
  testing::TempFolder folder;
  auto file = folder.path() / "missing folder" / "Velmora.Ini";
  std::error_code error;
  EXPECT_FALSE(ProfileWrite(file, "A", "x", "1", error));
  EXPECT_TRUE(error);

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
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace velmora
