// One binding of keys to members serves every settings record (each
// record's file is tested with the record): recalled key by key under the
// record's rules.
#include "common/ProfileKeys.h"

#include <gtest/gtest.h>

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

Record Recalled(std::string_view text, ProfileKeyRules rules = {}) {
  Record r;
  Keys(r, rules).Recall(ProfileDocument::Parse(text));
  return r;
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
      {"[One]\r\nFlag=\r\nIndex=x\r\n[Two]\r\nCount=\r\nLevel=soon\r\nFolder=\r\n", false, d},
      {"[One]\r\nIndex=7\r\n[Two]\r\nCount=3\r\n", false, d},
      {"[One]\r\nIndex=6\r\n[Two]\r\nCount=8\r\n", false, with([](Record& r) { r.index = 6, r.count = 8; })},
      {"[One]\r\nIndex=99999\r\n", false, d},
      {"[One]\r\nFlag=0\r\n", false, with([](Record& r) { r.flag = false; })},
      {"[One]\r\nFlag=false\r\n", true, d},
      {"[two]\r\nLevel=0,75\r\n", false, with([](Record& r) { r.level = 0.75f; })},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Recalled(c.text, {.exactBooleans = c.exact}), c.expected) << c.text << (c.exact ? " (exact)" : "");
}

}  // namespace
}  // namespace velmora
