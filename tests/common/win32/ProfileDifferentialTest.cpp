// The profile reader and writer against the platform's own profile calls,
// over files that are awkward to read.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// Profile files that are awkward to read.
struct AwkwardProfile { const char* name; std::string content; };
const AwkwardProfile kAwkwardProfiles[] = {
    {"crlf", "[Detector Data]\r\nBurst=True\r\nBurst Threshold=35\r\n\r\n[Display Data]\r\nSample Size=2048\r\n"},
    {"lf", "[Detector Data]\nBurst=True\nBurst Threshold=35\n[Display Data]\nSample Size=4096\n"},
    {"no final newline", "[Detector Data]\r\nBurst=False\r\nPower Threshold=12.5"}, {"empty file", ""},
    {"blanks around equals", "[Detector Data]\r\n  Burst   =   True  \r\n\tCW Range\t=\t50\t\r\nKey With Blanks = a b c \r\n"},
    {"duplicate sections",
     "[Detector Data]\r\nBurst=True\r\n[Other]\r\nx=1\r\n[detector data]\r\nBurst=False\r\nPeak=True\r\n"},
    {"duplicate keys", "[Detector Data]\r\nBurst=True\r\nBURST=False\r\nburst=1\r\n"},
    {"comments",
     "; a comment line\r\n[Detector Data]\r\n; Burst=False\r\n# not a comment either\r\nBurst=True\r\n;x=1\r\n"},
    {"line without equals", "[Detector Data]\r\nBurst\r\nPeak=True\r\njust some text\r\nPower=False\r\n"},
    {"empty value", "[Detector Data]\r\nBurst=\r\nPeak= \r\nPower=False\r\n"},
    {"long value", "[Display Data]\r\nLong=" + std::string(300, 'x') + "y\r\nAfter=1\r\n"},
    {"quoted values",
     "[Q]\r\nDouble=\"quoted\"\r\nSingle='one'\r\nHalf=\"open\r\nInner=a\"b\"\r\nEmpty=\"\"\r\nLone=\"\r\n"},
    {"case and blanks in names", "[  Mixed Case  ]\r\nMiXeD KeY=1\r\n[Display Data ]\r\nSample Size=512\r\n"},
    {"keys before any section", "Orphan=1\r\n[Detector Data]\r\nBurst=True\r\n"},
    {"broken header", "[Detector Data\r\nBurst=True\r\n[Display Data]\r\nFft Range=2\r\n"},
    {"equals in value", "[Detector Data]\r\nFormula=a=b=c\r\n"},
    {"carriage returns alone", "[Detector Data]\rBurst=True\rPeak=True\r[Display Data]\rSample Size=512\r"},
    {"carriage returns alone after the last line feed",
     "[Detector Data]\r\nBurst=True\r\nPeak=True\r[Display Data]\rSample Size=512"},
    // Notepad's "Unicode" and "Unicode big endian".
    {"utf-16", std::string("\xFF\xFE\x5B\x00\x44\x00\x65\x00\x74\x00\x65\x00\x63\x00\x74\x00\x6F\x00\x72\x00\x20\x00\x44\x00\x61\x00\x74\x00\x61\x00\x5D\x00\x0D\x00\x0A\x00\x42\x00\x75\x00\x72\x00\x73\x00\x74\x00\x3D\x00\x54\x00\x72\x00\x75\x00\x65\x00\x0D\x00\x0A\x00\x5B\x00\x44\x00\x69\x00\x73\x00\x70\x00\x6C\x00\x61\x00\x79\x00\x20\x00\x44\x00\x61\x00\x74\x00\x61\x00\x5D\x00\x0D\x00\x0A\x00\x53\x00\x61\x00\x6D\x00\x70\x00\x6C\x00\x65\x00\x20\x00\x53\x00\x69\x00\x7A\x00\x65\x00\x3D\x00\x35\x00\x31\x00\x32\x00\x0D\x00\x0A\x00", 126)},
    {"utf-16 big endian", std::string("\xFE\xFF\x00\x5B\x00\x44\x00\x65\x00\x74\x00\x65\x00\x63\x00\x74\x00\x6F\x00\x72\x00\x20\x00\x44\x00\x61\x00\x74\x00\x61\x00\x5D\x00\x0D\x00\x0A\x00\x42\x00\x75\x00\x72\x00\x73\x00\x74\x00\x3D\x00\x54\x00\x72\x00\x75\x00\x65\x00\x0D\x00\x0A\x00\x5B\x00\x44\x00\x69\x00\x73\x00\x70\x00\x6C\x00\x61\x00\x79\x00\x20\x00\x44\x00\x61\x00\x74\x00\x61\x00\x5D\x00\x0D\x00\x0A\x00\x53\x00\x61\x00\x6D\x00\x70\x00\x6C\x00\x65\x00\x20\x00\x53\x00\x69\x00\x7A\x00\x65\x00\x3D\x00\x35\x00\x31\x00\x32\x00\x0D\x00\x0A", 126)},
    {"utf-8 byte order mark, accented", "\xEF\xBB\xBF[Detector Data]\r\nFormula=Jos\xC3\xA9\r\n"},
    {"utf-8 byte order mark", "\xEF\xBB\xBF[Detector Data]\r\nBurst=True\r\n[Display Data]\r\nSample Size=512\r\n"},
};

// Every (section, key) pair worth asking of every file above.
std::vector<std::pair<std::string, std::string>> AwkwardQueries() {
  std::vector<std::pair<std::string, std::string>> queries = {
      {"detector data", "BURST"}, {" Detector Data ", " Burst "}, {"Display Data", "Sample Size"},
      {"Display Data", "Fft Range"}, {"Display Data", "Long"}, {"Display Data", "After"}, {"Other", "x"},
      {"Mixed Case", "mixed key"}, {"", "Orphan"}, {"Missing Section", "Burst"}};
  for (const char* key : {"Burst", "Burst Threshold", "CW Range", "Key With Blanks", "Peak", "Power", "Power Threshold",
                          "Formula", "; Burst", "just some text", "Missing"})
    queries.emplace_back("Detector Data", key);
  for (const char* key : {"Double", "Single", "Half", "Inner", "Empty", "Lone"}) queries.emplace_back("Q", key);
  return queries;
}

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
  for (const auto& profile : kAwkwardProfiles) {
    // New names per file: the platform may cache what it read before.
    auto ours = folder.path() / ("ours" + std::to_string(index) + ".ini");
    auto theirs = folder.path() / ("theirs" + std::to_string(index) + ".ini");
    ++index;
    testing::WriteBytes(ours, profile.content);
    testing::WriteBytes(theirs, profile.content);
    for (const auto& [section, key] : AwkwardQueries())
      for (DWORD size : {256, 1024})
        EXPECT_EQ(ProfileRead(theirs, section, key, size), PlatformRead(theirs, section, key, size))
            << profile.name << ": [" << section << "] " << key << " (" << size << ")";
    for (const auto& w : writes) {
      std::error_code error;
      ASSERT_TRUE(ProfileWrite(ours, w.section, w.key, w.value, error)) << error.message();
      ASSERT_TRUE(WritePrivateProfileStringA(w.section, w.key, w.value, theirs.string().c_str()));
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.string().c_str());  // flush
    auto queries = AwkwardQueries();
    for (const auto& w : writes) queries.emplace_back(w.section, w.key);
    for (const auto& [section, key] : queries) {
      std::string expected = PlatformRead(theirs, section, key);
      EXPECT_EQ(PlatformRead(ours, section, key), expected) << profile.name << ": [" << section << "] " << key;
      EXPECT_EQ(ProfileRead(theirs, section, key), expected) << profile.name << ": [" << section << "] " << key;
    }
  }
}

// A file held open a moment (a virus scanner or an indexer reading it) is
// saved once it is let go, not refused.
TEST(ProfileSave, WaitsAMomentForAFileHeldOpen) {
  testing::TempFolder folder;
  const auto file = folder.path() / "Velmora.Ini";
  testing::WriteBytes(file, "[A]\r\nx=1\r\n");
  HANDLE held =
      CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread release([held] {
    Sleep(300);
    CloseHandle(held);
  });
  std::error_code error;
  EXPECT_TRUE(ProfileWrite(file, "A", "x", "2", error)) << error.message();
  release.join();
  EXPECT_EQ(ProfileRead(file, "A", "x"), "2");
}

}  // namespace
}  // namespace velmora
