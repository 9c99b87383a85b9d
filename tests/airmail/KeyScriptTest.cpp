// Keystroke scripts turned into exact key records.
#include "airmail/KeyScript.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/airmail/UsKeyLayout.h"

namespace velmora {
namespace {

using Records = std::vector<KeyRecord>;

KeyRecord Down(std::uint16_t key, bool extended = false) { return {key, false, extended}; }
KeyRecord Up(std::uint16_t key) { return {key, true, false}; }
constexpr std::uint16_t kShift = kVirtualKeyShift, kCtrl = kVirtualKeyControl, kAlt = kVirtualKeyAlt;
constexpr std::uint16_t kTab = 9, kEnter = 13;

Records Press(std::uint16_t key, bool extended = false) { return {Down(key, extended), Up(key)}; }
Records Shifted(std::uint16_t key) { return {Down(kShift), Down(key), Up(key), Up(kShift)}; }
Records Join(std::initializer_list<Records> parts) {
  Records all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Records Parse(std::string_view script) { testing::UsKeyLayout layout; return KeyScriptParse(script, layout); }

// The extended flag on the key-down is VistaLibTest's, through the platform's records.
TEST(KeyScriptNamedKeys, RepeatCountsBreakAgainstPauseAndTildeAsEnterInsideBraces) {
  EXPECT_EQ(Parse("{TAB 3}"), Join({Press(kTab), Press(kTab), Press(kTab)}));
  EXPECT_EQ(Parse("{TAB 0}"), Press(kTab));
  EXPECT_EQ(Parse("{tab 2}"), Join({Press(kTab), Press(kTab)}));  // names in any case
  EXPECT_EQ(Parse("{BREAK}"), (Records{Down(19, true), Up(19)}));
  EXPECT_EQ(Parse("{PAUSE}"), (Records{Down(19, false), Up(19)}));
  EXPECT_EQ(Parse("{F1}{F16}"), Join({Press(112), Press(127)}));
  EXPECT_EQ(Parse("{~}"), Press(kEnter));
  EXPECT_EQ(Parse("~"), Shifted(0xC0));
}

TEST(KeyScriptLiterals, BracesAndGroupsTypeTheirCharactersAndCharactersWithoutAKeyAreSkipped) {
  EXPECT_EQ(Parse("{+}"), Shifted(0xBB));
  EXPECT_EQ(Parse("{a 2}"), Join({Press('A'), Press('A')}));
  EXPECT_EQ(Parse("{ab"), Join({Press('A'), Press('B')}));
  // "{}" is too short to be a brace token: the "}" is typed.
  EXPECT_EQ(Parse("{}"), Shifted(0xDD));
  EXPECT_EQ(Parse("{Qwerty 2}"), Join({Shifted('Q'), Shifted('Q')}));
  EXPECT_EQ(Parse("a\xB0" "b"), Join({Press('A'), Press('B')}));
  EXPECT_EQ(Parse("(\xB0)"), Records{});
  // Characters are plain inside a group; one too short is typed.
  EXPECT_EQ(Parse("(+{)"), Join({Shifted(0xBB), Shifted(0xDB)}));
  EXPECT_EQ(Parse("()"), Shifted('0'));
  EXPECT_EQ(Parse("(ab"), Join({Press('A'), Press('B')}));
}

TEST(KeyScriptModifiers, HeldForExactlyTheNextTokenOrGroup) {
  EXPECT_EQ(Parse("+{TAB}"), Shifted(kTab));
  EXPECT_EQ(Parse("^C"), (Records{Down(kCtrl), Down(kShift), Down('C'), Up('C'), Up(kShift), Up(kCtrl)}));
  EXPECT_EQ(Parse("^c"), (Records{Down(kCtrl), Down('C'), Up('C'), Up(kCtrl)}));
  EXPECT_EQ(Parse("%fx"), Join({{Down(kAlt), Down('F'), Up('F'), Up(kAlt)}, Press('X')}));
  // "B" needs Shift itself but gets no second press inside the held Shift.
  EXPECT_EQ(Parse("+(aB)"), (Records{Down(kShift), Down('A'), Up('A'), Down('B'), Up('B'), Up(kShift)}));
  EXPECT_EQ(Parse("^(ab)"), Join({{Down(kCtrl)}, Press('A'), Press('B'), {Up(kCtrl)}}));
  EXPECT_EQ(Parse("^"), Records{});
  EXPECT_EQ(Parse("+^"), (Records{Down(kShift), Up(kShift)}));
}

// However many modifiers stand in a row, each is pressed before the token
// and released after it: neither the stack nor the first 512 records are
// the limit (the repeat count's bound is the fuzz target's check).
TEST(KeyScriptModifiers, AnyNumberInARow) {
  constexpr size_t kMany = 100000;
  Records records = Parse(std::string(kMany, '+') + "a");
  ASSERT_EQ(records.size(), 2 * kMany + 2);
  EXPECT_EQ(records[kMany - 1], Down(kShift));
  EXPECT_EQ(records[kMany], Down('A'));
  EXPECT_EQ(records[kMany + 2], Up(kShift));
  EXPECT_EQ(records.back(), Up(kShift));
}

}  // namespace
}  // namespace velmora
