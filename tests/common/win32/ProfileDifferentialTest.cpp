// The profile reader and writer against the platform's own profile calls,
// over files that are awkward to read.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/ProfileFile.h"
#include "tests/common/AwkwardProfiles.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

std::string PlatformRead(const std::filesystem::path& file, const std::string& section, const std::string& key,
                         DWORD size = 256) {
  std::string buffer(size, '\0');
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), size, file.string().c_str());
  buffer.resize(n);
  return buffer;
}

// Each awkward file read as it is, then written key by key, by ours and by
// the platform's calls: every read gives the same.
TEST(ProfileDifferential, ReadsAndWritesAsThePlatformsDoOnAwkwardFiles) {
  testing::TempFolder folder;
  const struct { const char* section; const char* key; const char* value; } writes[] = {
      {"Detector Data", "Burst", "False"},      {"detector data", "PEAK", "True"},
      {"Display Data", "Sample Size", "4096"}, {"New Section", "First", "1"},
      {"New Section", "Second", "two words"},  {" Detector Data ", " Power ", " 12 "},
      {"Q", "Double", "plain"},                 {"Display Data", "Long", "short now"},
  };
  int index = 0;
  for (const auto& profile : testing::AwkwardProfiles()) {
    // New names per file: the platform may cache what it read before.
    auto ours = folder.path() / ("ours" + std::to_string(index) + ".ini");
    auto theirs = folder.path() / ("theirs" + std::to_string(index) + ".ini");
    ++index;
    testing::WriteBytes(ours, profile.content);
    testing::WriteBytes(theirs, profile.content);
    for (const auto& [section, key] : testing::AwkwardQueries())
      for (DWORD size : {256, 1024})
        EXPECT_EQ(ProfileRead(theirs, section, key, size), PlatformRead(theirs, section, key, size))
            << profile.name << ": [" << section << "] " << key << " (" << size << ")";
    for (const auto& w : writes) {
      std::error_code error;
      ASSERT_TRUE(ProfileWrite(ours, w.section, w.key, w.value, error)) << error.message();
      ASSERT_TRUE(WritePrivateProfileStringA(w.section, w.key, w.value, theirs.string().c_str()));
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.string().c_str());  // flush
    auto queries = testing::AwkwardQueries();
    for (const auto& w : writes) queries.emplace_back(w.section, w.key);
    for (const auto& [section, key] : queries) {
      std::string expected = PlatformRead(theirs, section, key);
      EXPECT_EQ(PlatformRead(ours, section, key), expected) << profile.name << ": [" << section << "] " << key;
      EXPECT_EQ(ProfileRead(theirs, section, key), expected) << profile.name << ": [" << section << "] " << key;
    }
  }
}

}  // namespace
}  // namespace velmora
