// The one binding of keys to members that serves every settings record
// (each record's file is tested with the record), recalled key by key under
// the record's rules; and the settings file itself.
#include "common/ProfileKeys.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

struct ProfileRecord {
  bool flag = true, mode = false;
  std::int16_t index = 2;
  std::int32_t count = 10;
  float level = 0.5f;
  std::string folder = "C:\\AirMail";
  bool operator==(const ProfileRecord&) const = default;
};

// A text as Notepad saves it as "Unicode": UTF-16 after its byte order mark.
std::string Utf16(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

ProfileKeys Keys(ProfileRecord& r, ProfileKeyRules rules = {}) {
  ProfileKeys keys(rules);
  keys.In("One")
      .Key("Flag", r.flag)
      .Key("Mode", r.mode).SavedOnly()
      .Key("Index", r.index).Within(0, 6)
      .In("Two")
      .Key("Count", r.count).Accept([](long long v) { return v % 2 == 0; })
      .Key("Level", r.level)
      .Key("Folder", r.folder);
  return keys;
}

TEST(ProfileKeys, WhatIsNoValueOfTheMemberLeavesItAlone) {
  struct Case { const char* text; bool exact; ProfileRecord expected; };
  const ProfileRecord d;
  auto with = [&](auto change) { ProfileRecord r = d; change(r); return r; };
  const Case cases[] = {
      {"[One]\r\nFlag=\r\nIndex=x\r\n[Two]\r\nCount=\r\nLevel=soon\r\nFolder=\r\n", false, d},
      {"[One]\r\nIndex=7\r\n[Two]\r\nCount=3\r\n", false, d},
      {"[One]\r\nIndex=6\r\n[Two]\r\nCount=8\r\n", false, with([](ProfileRecord& r) { r.index = 6, r.count = 8; })},
      {"[One]\r\nIndex=99999\r\n", false, d}, {"[One]\r\nFlag=0\r\n", false, with([](ProfileRecord& r) { r.flag = false; })},
      {"[One]\r\nFlag=false\r\n", true, d},
      {"[two]\r\nLevel=0,75\r\n", false, with([](ProfileRecord& r) { r.level = 0.75f; })},
  };
  for (const auto& c : cases) {
    ProfileRecord r;
    Keys(r, {.exactBooleans = c.exact}).Recall(ProfileDocument::Parse(c.text));
    EXPECT_EQ(r, c.expected) << c.text << (c.exact ? " (exact)" : "");
  }
}

// Whatever a record holds reads back from its file as it was, or is not
// written and the file keeps the key's last value. (An empty text reads as
// the member's default, as a key without a value does.) The file's name
// holds an accented letter, as the system names it to the program (in its
// code page).
TEST(ProfileKeys, WhatIsSavedReadsBackOrIsNotWritten) {
  struct Case { float level; std::string folder; bool levelRefused = false, folderRefused = false; } cases[] = {
      {0.1f, " blanks before"}, {1e-45f, "blanks after "}, {3.4028235e38f, "\"quoted\""}, {7, "'single'"},
      {7, "\""}, {7, "a=b ;c [d] #e"}, {7, std::string(255, 'x')}, {NAN, "C:\\Other", true},
      {-INFINITY, std::string(256, 'x'), true, true}, {7, "\" " + std::string(253, 'x') + "\"", false, true},
      {7, "a\r\nb", false, true},
  };
  testing::TempFolder folder;
  const std::filesystem::path file = folder.path().string() + "/Donn\xe9" "es.ini";
  const ProfileRecord before{.level = 2.5f, .folder = "C:\\Before"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder.substr(0, 20));
    std::error_code error;
    for (ProfileRecord r : {before, ProfileRecord{.level = c.level, .folder = c.folder}}) {
      ProfileWriter writer(file);
      Keys(r).Save(writer);
      ASSERT_TRUE(writer.Commit(error)) << error.message();
    }
    ProfileRecord read;
    Keys(read).Recall(ProfileDocument::Load(file));
    if (c.levelRefused) EXPECT_EQ(read.level, before.level);
    else EXPECT_EQ(read.level, c.level);
    EXPECT_EQ(read.folder, c.folderRefused ? before.folder : c.folder);
  }
}

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
      // A "Unicode" file keeps every letter of the lines not written; one
      // written holds its value's letters.
      {Utf16(u"; Ελένη \U0001F6A2\r\n[A]\r\nFolder=C:\\Καπετάνιος\r\nx=1\r\n"), {{"A", "x", "\xE9"}, {"A", "y", "2"}},
       Utf16(u"; Ελένη \U0001F6A2\r\n[A]\r\nFolder=C:\\Καπετάνιος\r\nx=é\r\ny=2\r\n")},
      // A UTF-8 file with its mark holds a written letter in UTF-8 too; a
      // lone byte an earlier save left is that letter.
      {"\xEF\xBB\xBF[A]\r\nFolder=C:\\Jos\xC3\xA9\r\n\xB1x=1\r\n", {{"A", "x", "\xE9"}, {"A", "\xB1X", "2"}},
       "\xEF\xBB\xBF[A]\r\nFolder=C:\\Jos\xC3\xA9\r\n\xB1x=2\r\nx=\xC3\xA9\r\n"},
      // Lines ended by a carriage return alone (old Macintosh files), after
      // the last line feed: lines put among them end so too.
      {"[A]\r\nx=1\r[B]\ry=2", {{"A", "z", "3"}, {"B", "y", "5"}, {"C", "w", "4"}, {"", "o", "6"}},
       "o=6\r\n[A]\r\nx=1\rz=3\r[B]\ry=5\r\r[C]\rw=4\r"},
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

TEST(ProfileWrite, AFailedWriteOrAFileTooLargeLeavesTheFileAsItWas) {
  testing::TempFolder folder;
  std::error_code error;
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
#ifndef _WIN32
  // Nor is one the system cannot even tell is there (a failing drive; here
  // a link that leads back to itself): it is not taken for a missing file.
  auto unknown = folder.path() / "unknown.ini";
  std::filesystem::create_symlink(unknown.filename(), unknown);
  EXPECT_FALSE(ProfileWrite(unknown, "A", "x", "2", error));
  EXPECT_TRUE(std::filesystem::is_symlink(unknown)) << "not written over";
#endif
  // A file larger than any settings file is refused for reading and for
  // writing alike, and kept.
  auto big = folder.path() / "Velmora.Ini";
  std::ofstream(big, std::ios::binary) << "[A]\r\nx=1\r\n" << std::string(kProfileFileLimit - 10, '\n');
  EXPECT_EQ(ProfileRead(big, "A", "x"), "1") << "at the limit";
  std::ofstream(big, std::ios::binary | std::ios::app) << "\n";
  EXPECT_EQ(ProfileRead(big, "A", "x"), "");
  EXPECT_FALSE(ProfileWrite(big, "A", "x", "2", error));
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_EQ(std::filesystem::file_size(big), kProfileFileLimit + 1);
}

}  // namespace
}  // namespace velmora
