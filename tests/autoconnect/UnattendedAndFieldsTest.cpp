// The option fields' conversions, the unattended run's exit codes, and the
// messages kept in "Velmora.log".
#include <gtest/gtest.h>

#include "autoconnect/FieldConversion.h"
#include "autoconnect/LoggingMessenger.h"
#include "autoconnect/UnattendedRun.h"
#include "tests/airmail/Fixture.h"
#include "tests/autoconnect/EngineRig.h"
#include "tests/common/CommaLocale.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

TEST(FieldConversion, ANumberOrThePreviousValueAndAMessage) {
  testing::CommaLocale comma;
  struct {
    const char* text;
    bool ok;
    std::int32_t int32;
    std::int16_t int16;
    float single;
  } cases[] = {
      {"12", true, 12, 12, 12},        {" 7.5 ", true, 8, 8, 7.5f},  {"2.5", true, 2, 2, 2.5f},
      {"7,5", true, 8, 8, 7.5f},       {"-3", true, -3, -3, -3},     {"+4", true, 4, 4, 4},
      {"abc", false, 9, 9, 9},         {"12abc", false, 9, 9, 9},    {"", false, 9, 9, 9},
      {"1e39", false, 9, 9, 9},        {"nan", false, 9, 9, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    RecordingMessenger messenger;
    std::int32_t int32 = 9;
    std::int16_t int16 = 9;
    float single = 9;
    EXPECT_EQ(FieldToInt32(c.text, int32, "Connect Attempts", messenger), c.ok);
    EXPECT_EQ(FieldToInt16(c.text, int16, "Radio Comm Port", messenger), c.ok);
    EXPECT_EQ(FieldToSingle(c.text, single, "Connect Not Busy", messenger), c.ok);
    EXPECT_EQ(int32, c.int32);
    EXPECT_EQ(int16, c.int16);
    EXPECT_EQ(single, c.single);
    EXPECT_EQ(messenger.entries.size(), c.ok ? 0u : 3u);
  }
  RecordingMessenger messenger;
  std::int16_t port = 8;
  EXPECT_FALSE(FieldToInt16("70000", port, "Radio Comm Port", messenger));
  EXPECT_EQ(port, 8);
  EXPECT_EQ(messenger.entries.at(0).text,
            "SettingsFromWindow, \"Radio Comm Port\" must be a whole number from -32768 to 32767, not \"70000\".  "
            "The previous value 8 is kept.");
  std::int32_t attempts = 10;
  EXPECT_TRUE(FieldToInt32("70000", attempts, "Connect Attempts", messenger));
}

TEST(UnattendedRun, TheExitCodeTellsHowTheRunWent) {
  EXPECT_EQ(UnattendedExitFor("Done", true), UnattendedExit::Done);
  EXPECT_EQ(UnattendedExitFor("Stopped", true), UnattendedExit::Stopped);
  EXPECT_EQ(UnattendedExitFor("Stopped", false), UnattendedExit::NotStarted);

  // Through the engine: nothing to call, AirMail not reached, a link made.
  struct {
    const char* failing;
    bool txChecked;
    std::vector<TerminalStatus> results;
    UnattendedExit exit;
  } runs[] = {
      {"", false, {}, UnattendedExit::NotStarted},
      {"S", true, {}, UnattendedExit::NotStarted},
      {"", true, {TerminalStatus::Connected, TerminalStatus::Disconnected}, UnattendedExit::Done},
      {"", true, {TerminalStatus::Error}, UnattendedExit::Stopped},
  };
  for (const auto& r : runs) {
    testing::EngineRig rig(kModeCurrentFrequency);
    UnattendedRun unattended;
    rig.engine.ObserverSet(&unattended);
    if (*r.failing) rig.terminal.failing.insert(r.failing);
    for (auto& row : rig.table.rows) row.txChecked = r.txChecked && row.txChecked;
    rig.terminal.results.assign(r.results.begin(), r.results.end());
    rig.engine.AutoConnectStart();
    rig.Play("f 14f 22f");
    EXPECT_EQ(unattended.Exit(), r.exit);
  }
}

TEST(LoggingMessenger, EachMessageALineWithTheUtcTimeThenTheBox) {
  testing::TempFolder folder;
  testing::FakeClock clock;
  RecordingMessenger inner(true);
  LoggingMessenger messenger(inner, MessageLogPath(folder.path()), clock);
  messenger.Show("LogFileStop, Access denied\r\rTry again", MessageIcon::None, {});
  EXPECT_TRUE(messenger.AskYesNo("Continue?", MessageIcon::Question, {}));
  EXPECT_EQ(inner.Texts(), (std::vector<std::string>{"LogFileStop, Access denied\r\rTry again", "Continue?"}));
  EXPECT_EQ(testing::ReadBytes(MessageLogPath(folder.path())),
            "2024-03-09 07:05:04,LogFileStop - Access denied  Try again\r\n2024-03-09 07:05:04,Continue?\r\n");
}

}  // namespace
}  // namespace velmora
