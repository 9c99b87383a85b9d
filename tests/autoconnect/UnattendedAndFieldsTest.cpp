// The unattended run from its start to the
// program's end with its exit code, and the messages kept in "Velmora.log".
#include <gtest/gtest.h>

#include "autoconnect/LoggingMessenger.h"
#include "autoconnect/UnattendedSession.h"
#include "tests/airmail/Fixture.h"
#include "tests/autoconnect/EngineFakes.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// The windows as an unattended run meets them: ready after the third tick,
// a run that may end inside Start or later, sound that may stop coming.
struct FakeUnattendedHost final : UnattendedHost, MessageNote {
  struct Ending {
    const char* text;
    bool began;
  };
  bool Ready() override { return ++readyAsked >= readyAfter; }
  int Mode() override { return mode; }
  bool Start() override {
    calls += "start ";
    soundAtStart = sound;
    session->Tick();  // window events inside the start
    if (endInStart) session->RunEnded(endInStart->text, endInStart->began);
    return began;
  }
  // As the engine tells it: a run that never heard a buffer never began listening.
  void Stop() override {
    calls += "stop ";
    session->RunEnded("Stopped", sound != soundAtStart);
  }
  std::uint64_t SoundBuffers() override { return sound; }
  void ProgramEnd() override { calls += "end"; }
  bool MeasurementsUnsaved() override { return unsaved; }
  std::optional<std::string> MeasurementsSave() override {
    unsaved = false;
    return savedTo ? std::optional<std::string>(savedTo) : std::nullopt;
  }
  void Note(std::string_view text) override { notes.emplace_back(text); }

  UnattendedSession* session = nullptr;
  int mode = kModeMultipleFrequencies, readyAsked = 0, readyAfter = 3;
  std::string calls;  // start, stop and the program's end, in turn
  bool began = true, unsaved = false;
  const char* savedTo = nullptr;  // nullptr: the save fails
  std::optional<Ending> endInStart;
  std::uint64_t sound = 0, soundAtStart = 0;
  std::vector<std::string> notes;
};

TEST(UnattendedSession, FromTheBuiltTableToTheExitCode) {
  using Ending = FakeUnattendedHost::Ending;
  struct {
    const char* name;
    int mode;
    bool began;                        // what Start answers
    std::optional<Ending> endInStart;  // the run ends inside Start
    std::optional<Ending> endLater;    // at the last tick
    bool sound;                        // buffers keep coming
    int ticks;
    int readyAfter;
    UnattendedExit exit;
    const char* calls;  // the host's
    std::string message;
    bool unsaved = false;  // the run leaves reference measurements
    const char* savedTo = nullptr;
  } cases[] = {
      {"sound keeps a run going however long", 2, true, {}, Ending{"Stopped", true}, true, 300, 3,
       UnattendedExit::Stopped, "start end", ""},
      {"nothing to call", 0, true, {}, Ending{"Stopped", false}, true, 20, 3, UnattendedExit::NotStarted,
       "start end", ""},
      {"AirMail not reached", 1, false, Ending{"Stopped", false}, {}, true, 20, 3, UnattendedExit::NotStarted,
       "start end", ""},
      {"Start refused", 0, false, {}, {}, true, 20, 3, UnattendedExit::NotStarted, "start end", ""},
      {"the data modes", kModeReferenceData, true, {}, {}, true, 20, 3, UnattendedExit::NotStarted, "end",
       UnattendedModeRefusedText(kModeReferenceData)},
      {"measured, the save failed", kModeReferenceStations, true, {}, Ending{"Done", true}, true, 20, 3,
       UnattendedExit::Stopped, "start end", "", true},
      {"stopped with measurements", kModeReferenceStations, true, {}, Ending{"Stopped", true}, true, 20, 3,
       UnattendedExit::Stopped, "start end", "", true, "Data\\2026-12-07 060000.ref"},
      {"no sound", 1, true, {}, {}, false, 200, 3, UnattendedExit::Stopped, "start stop end", UnattendedSilenceText()},
      {"a table never ready", 1, true, {}, {}, true, kUnattendedReadyTicks + 5, kUnattendedReadyTicks + 5,
       UnattendedExit::NotStarted, "end", UnattendedNotReadyText()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeUnattendedHost host;
    RecordingMessenger messenger;
    UnattendedSession session(host, messenger, host);
    host.session = &session;
    host.mode = c.mode;
    host.readyAfter = c.readyAfter;
    host.began = c.began;
    host.endInStart = c.endInStart;
    host.unsaved = c.unsaved;
    host.savedTo = c.savedTo;
    for (int tick = 1; tick <= c.ticks; ++tick) {
      if (c.sound) ++host.sound;
      if (tick == c.ticks && c.endLater) session.RunEnded(c.endLater->text, c.endLater->began);
      session.Tick();
    }
    EXPECT_EQ(host.calls, c.calls);
    EXPECT_EQ(messenger.Texts(), c.message.empty() ? std::vector<std::string>{} : std::vector{c.message});
    EXPECT_EQ(session.Finish(), static_cast<int>(c.exit));
    std::vector<std::string> notes;
    if (c.savedTo) notes.push_back(UnattendedSavedText(c.savedTo));
    notes.push_back(UnattendedEndText(c.exit));
    EXPECT_EQ(host.notes, notes);
  }
}

TEST(UnattendedSession, MessageBoxesWaitSixtySecondsUnlessATestSaysFewer) {
  struct {
    const char* value;
    int seconds;
  } cases[] = {{nullptr, 60}, {"5", 5}, {"59", 59}, {"0", 60}, {"60", 60}, {"600", 60}, {"-3", 60}, {"soon", 60}};
  for (const auto& c : cases) EXPECT_EQ(UnattendedMessageWait(c.value).count(), c.seconds) << (c.value ? c.value : "none");
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
