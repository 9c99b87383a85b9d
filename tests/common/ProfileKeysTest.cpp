// One binding of keys to members serves every settings record (each
// record's file is tested with the record): recalled key by key under the
// record's rules.
#include "common/ProfileKeys.h"

#include <gtest/gtest.h>

#include <cmath>

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

ProfileRecord Recalled(std::string_view text, ProfileKeyRules rules = {}) {
  ProfileRecord r;
  Keys(r, rules).Recall(ProfileDocument::Parse(text));
  return r;
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
  for (const auto& c : cases)
    EXPECT_EQ(Recalled(c.text, {.exactBooleans = c.exact}), c.expected) << c.text << (c.exact ? " (exact)" : "");
}

// Whatever a record holds reads back from its file as it was, or is not
// written and the file keeps the key's last value. (An empty text reads as
// the member's default, as a key without a value does.)
TEST(ProfileKeys, WhatIsSavedReadsBackOrIsNotWritten) {
  struct Case { float level; std::string folder; bool levelRefused = false, folderRefused = false; } cases[] = {
      {0.1f, "C:\\Velmora\\Data"}, {-1234.5f, " blanks before"},
      {1e-45f, "blanks after "}, {3.4028235e38f, "\"quoted\""}, {-3.4028235e38f, "'single'"}, {7, "\""},
      {7, "a=b ;c [d] #e"}, {7, std::string(255, 'x')}, {NAN, "C:\\Other", true}, {INFINITY, "C:\\Other", true},
      {-INFINITY, std::string(256, 'x'), true, true}, {7, "\" " + std::string(253, 'x') + "\"", false, true},
      {7, "a\r\nb", false, true},
  };
  testing::TempFolder folder;
  const auto file = folder.path() / "Velmora.Ini";
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

}  // namespace
}  // namespace velmora
