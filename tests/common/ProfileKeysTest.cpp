// One binding of keys to members serves every settings record: saved in
// bound order, recalled key by key under the record's rules.
#include "common/ProfileKeys.h"

#include <gtest/gtest.h>

#include "tests/common/CommaLocale.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

struct Record {
  bool flag = true;
  bool mode = false;
  std::int16_t index = 2;
  std::int32_t count = 10;
  float level = 0.5f;
  std::string folder = "C:\\AirMail";
  bool operator==(const Record&) const = default;
};

ProfileKeys Keys(Record& r, ProfileKeyRules rules = {}) {
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

std::string Saved(Record r) {
  testing::TempFolder folder;
  ProfileWriter writer(folder.path() / "Velmora.Ini");
  Keys(r).Save(writer);
  std::error_code error;
  EXPECT_TRUE(writer.Commit(error));
  return ProfileDocument::Load(folder.path() / "Velmora.Ini").Text();
}

Record Recalled(std::string_view text, ProfileKeyRules rules = {}) {
  Record r;
  Keys(r, rules).Recall(ProfileDocument::Parse(text));
  return r;
}

TEST(ProfileKeys, SavesEveryKeyInBoundOrderAndReadsItBack) {
  Record r{false, true, 5, 4, 1378.125f, "D:\\Mail"};
  std::string text = Saved(r);
  EXPECT_EQ(text,
            "[One]\r\nFlag=False\r\nMode=True\r\nIndex=5\r\n\r\n"
            "[Two]\r\nCount=4\r\nLevel=1378.125\r\nFolder=D:\\Mail\r\n");
  Record back = Recalled(text);
  EXPECT_FALSE(back.mode) << "a saved-only key is never read back";
  back.mode = true;
  EXPECT_EQ(back, r);
}

TEST(ProfileKeys, WhatIsNoValueOfTheMemberLeavesItAlone) {
  struct Case {
    const char* text;
    bool exact;
    Record expected;
  };
  const Record d;
  auto with = [&](auto change) {
    Record r = d;
    change(r);
    return r;
  };
  const Case cases[] = {
      {"", false, d},
      {"[One]\r\nFlag=\r\nIndex=x\r\n[Two]\r\nCount=\r\nLevel=soon\r\nFolder=\r\n", false, d},
      {"[One]\r\nIndex=7\r\n[Two]\r\nCount=3\r\n", false, d},
      {"[One]\r\nIndex=6\r\n[Two]\r\nCount=8\r\n", false, with([](Record& r) { r.index = 6, r.count = 8; })},
      {"[One]\r\nIndex=99999\r\n", false, d},
      {"[One]\r\nFlag=0\r\n", false, with([](Record& r) { r.flag = false; })},
      {"[One]\r\nFlag=0\r\n", true, d},
      {"[One]\r\nFlag=false\r\n", true, d},
      {"[One]\r\nFlag=False\r\n", true, with([](Record& r) { r.flag = false; })},
      {"[two]\r\nLevel=0,75\r\n", false, with([](Record& r) { r.level = 0.75f; })},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Recalled(c.text, {.exactBooleans = c.exact}), c.expected) << c.text << (c.exact ? " (exact)" : "");
}

TEST(ProfileKeys, TextsLongerThanANumberNeedsAreKeptWhole) {
  std::string folder = "C:\\" + std::string(300, 'd');
  std::string text = "[Two]\r\nFolder=" + folder + "\r\n";
  EXPECT_EQ(Recalled(text, {.textBuffer = 4096}).folder, folder);
  EXPECT_EQ(Recalled(text).folder.size(), 255u);
}

// Under a comma-decimal locale the file must still hold "0.5" and read back.
TEST(ProfileKeys, NumbersIgnoreTheUserLocale) {
  testing::CommaLocale comma;
  if (!comma.Active()) GTEST_SKIP() << "no comma-decimal locale on this machine";
  std::string text = Saved(Record{});
  EXPECT_NE(text.find("Level=0.5\r\n"), std::string::npos) << text;
  EXPECT_EQ(Recalled(text), Record{});
}

}  // namespace
}  // namespace velmora
