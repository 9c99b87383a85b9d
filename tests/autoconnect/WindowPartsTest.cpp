// What the AutoConnect window puts between the engine and the rest: its
// fields as values (each kind of setting comes back from its field, a
// text that is no number keeps the setting and says so), AirMail's station
// field; the AutoConnect log and the messages kept in "Velmora.log", written
// to real files (also under a comma-decimal locale); and the unattended run
// from its start to the program's end with its exit code.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "autoconnect/AutoConnectLog.h"
#include "autoconnect/AutoConnectMenus.h"
#include "autoconnect/LoggingMessenger.h"
#include "autoconnect/OptionFields.h"
#include "autoconnect/StationFieldTerminal.h"
#include "autoconnect/UnattendedSession.h"
#include "common/LogLimits.h"
#include "common/SystemLib.h"
#include "reports/LogFileSummary.h"
#include "tests/autoconnect/EngineFakes.h"
#include "tests/common/AccessKeyCheck.h"
#include "tests/common/CommaLocale.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

FieldValue& FieldNamed(FieldValues& values, std::string_view name) {
  return values.at(static_cast<size_t>(OptionField(name) - OptionFields().data()));
}

// A value other than the default in a setting of each kind of field: lists,
// check boxes, both option groups, whole numbers and fractions, and the
// radio's fields, which count in mode 3 only; the other fields keep their defaults.
TEST(WindowFields, EachKindOfSettingComesBackFromItsFieldAndAListWithNoneChosenKeepsIt) {
  AutoConnectSettings shown, read;
  shown.connectStationIndex = 4, shown.modeIndex = kModeReferenceStations;
  shown.connectSystemIndex = 2, shown.connectTxOnly = true, shown.connectAttempts = 4, shown.connectNotBusy = 5.5f;
  shown.autoSelectSnr = false, shown.autoSelectReference = true, shown.autoSelectSnrThreshold = 42.25f;
  shown.referenceDataReference = 1, shown.radioCommPort = 5, shown.radioIcomAddress = 94;
  RecordingMessenger messages;
  SettingsFromFields(FieldsFromSettings(shown), read, messages);
  EXPECT_EQ(read, shown);
  // A list with nothing chosen (an empty station list) keeps its index.
  auto fields = FieldsFromSettings(shown);
  FieldNamed(fields, "cmbConnectStation").index = FieldNamed(fields, "cmbMode").index = -1;
  SettingsFromFields(fields, read, messages);
  EXPECT_EQ(read, shown);
  EXPECT_TRUE(messages.entries.empty());
}

// Whatever the locale's decimal sign.
TEST(WindowFields, ATextThatIsNoNumberKeepsTheSettingAndSaysSo) {
  testing::CommaLocale comma;
  // expected: the setting afterwards; message: a part of the message, or empty for none.
  struct Case { const char *field, *text; int mode; float expected; const char* message; };
  const Case cases[] = {
      {"txtConnectAttempts", " 7.5 ", 2, 8, ""}, {"txtConnectAttempts", "2.5", 2, 2, ""},
      {"txtConnectAttempts", "+4", 2, 4, ""},
      {"txtConnectAttempts", "0", 2, 10, "\"Connect Attempts\" must be a whole number from 1 to 2147483647"},
      {"txtConnectNotBusy", "0", 2, 7, "\"Connect Not Busy\" must be a number above 0"},
      {"txtConnectNotBusy", "1e-50", 2, 7, "\"Connect Not Busy\" must be a number above 0"},
      {"txtConnectNotBusy", "", 2, 7, "\"Connect Not Busy\" must be a number"},
      {"txtConnectNotBusy", "nan", 2, 7, "\"Connect Not Busy\" must be a number"},
      {"txtConnectNotBusy", "1e39", 2, 7, "\"Connect Not Busy\" must be a number"},
      {"txtConnectNotBusy", "7,5", 2, 7.5f, ""}, {"txtConnectNotBusy", " 7.5 ", 2, 7.5f, ""},
      {"txtReferenceRadioCommPort", "70000", 3, 8,
       "SettingsFromWindow, \"Radio Comm Port\" must be a whole number from -32768 to 32767, not \"70000\".  "
       "The previous value 8 is kept."},
      {"txtReferenceRadioCommPort", "5", 2, 8, ""},  // not shown in mode 2: not taken
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.text);
    AutoConnectSettings settings;
    settings.modeIndex = static_cast<std::int16_t>(c.mode);
    auto fields = FieldsFromSettings(settings);
    FieldNamed(fields, c.field).text = c.text;
    RecordingMessenger messages;
    SettingsFromFields(fields, settings, messages);
    float value = std::string_view(c.field) == "txtConnectAttempts" ? static_cast<float>(settings.connectAttempts)
                  : std::string_view(c.field) == "txtConnectNotBusy" ? settings.connectNotBusy
                                                                      : static_cast<float>(settings.radioCommPort);
    EXPECT_EQ(value, c.expected);
    ASSERT_EQ(messages.entries.size(), *c.message ? 1u : 0u);
    const std::string told = *c.message ? messages.entries[0].text : "";
    EXPECT_NE(told.find(c.message), std::string::npos) << told;
    EXPECT_EQ(told.find("is kept") != std::string::npos, *c.message != 0) << told;
  }
}

// Alt and a letter reach every menu item, and every field's caption shown in
// a mode; a field's key is none of the menu bar's, which it would take away.
TEST(WindowFields, EveryCaptionAndMenuItemHasAnAccessKeyOfItsOwn) {
  EXPECT_EQ(testing::MenuAccessKeyFaults(AutoConnectMenus()), std::vector<std::string>{});
  for (int mode = 0; mode <= 6; ++mode) {
    std::vector<std::string> captions;
    for (const auto& menu : AutoConnectMenus())
      if (menu.inMenuBar) captions.push_back(menu.caption);
    for (const auto& field : OptionFields()) {
      bool shown = field.frame == OptionFrame::None || (OptionFrameOf(field.frame).modes >> mode & 1) != 0;
      bool captioned = field.kind != FieldKind::Text && field.kind != FieldKind::List && field.kind != FieldKind::Label;
      if (shown && captioned) captions.push_back(field.caption);
    }
    EXPECT_EQ(testing::AccessKeyFaults(captions), std::vector<std::string>{}) << "mode " << mode;
  }
}

TEST(StationFieldTerminal, SailmailStationsGoInByTheirNames) {
  testing::ScriptedTerminal inner;
  StationFieldTerminal terminal(inner, [](std::string_view system, std::string_view key) {
    return key == "WLO" ? std::string("Mobile, AL") : std::string();
  });
  terminal.TerminalSelectSystem("SAILMAIL");
  terminal.TerminalSelectStation("WLO");
  terminal.TerminalSelectSet("HP9X", "8146.0");  // no name: the key as it is
  terminal.TerminalSelectSystem("HAM");
  terminal.TerminalSelectSet("WLO", "14105.0");
  EXPECT_EQ(inner.Calls(), "S:SAILMAIL N:Mobile, AL T:HP9X/8146.0 S:HAM T:WLO/14105.0");
}

TEST(AutoConnectLogRecord, TwentyFieldsWithAPointWhateverTheLocale) {
  testing::CommaLocale comma;
  LogRun run{.start = {2024, 3, 9, 7, 5, 4, 0}, .ship = LatLon{-33.8675, 151.2069},
             .statistics = {.signalBuffers = 100, .noiseBuffers = 3, .notBusyBuffers = 1000, .connectingBuffers = 66,
                            .stations = 2, .frequencies = 5, .attempts = 3, .station = "Lima, Peru", .snrModel = 12.5f,
                            .snr = {}},
             .status = "Error, No Answer after Connect ", .mode = 2, .bufferSeconds = 2048.0f / 11025};
  for (float snr : {3.0f, 3.5f, 20.25f}) run.statistics.snr.Add(snr);
  Record record = AutoConnectLogRecord(run);
  const Record expected = {"03/09/24 07:05:04", "2", "5", "19", "1", "186", "12", "0", "3",
                           "Error - No Answer after Connect ", "2", "Lima - Peru", "-33.8675", "151.2069", "12.5",
                           "2", "23.75", "422.3125", "3.5", "20.25"};
  EXPECT_EQ(record, expected);

  // A run that never connected, with no position known.
  LogRun quiet;
  quiet.bufferSeconds = 0.5f;
  quiet.statistics.notBusyBuffers = 5;  // 2.5 s, halves to even
  EXPECT_EQ(JoinRecord(AutoConnectLogRecord(quiet)), "00/00/00 00:00:00,0,0,0,0,2,0,0,0,,0,,,,0,0,0,0,99,-99");

  // Singles in the general form, beside the figures above: at most seven
  // digits, and no exponent.
  const std::pair<float, const char*> cases[] = {{-0.0f, "0"}, {1234.5678f, "1234.568"}, {16000000, "16000000"},
                                                 {0.000123f, "0.000123"}, {1.0f / 3, "0.3333333"}};
  for (auto [value, text] : cases) EXPECT_EQ(SingleText(value), text) << value;
}

class FixedShip final : public ShipPosition {
 public:
  std::optional<LatLon> LatLonGetCurrent() override {
    if (whileAsked) whileAsked();  // a box that asks about the position, and what is pressed meanwhile
    return position;
  }
  std::optional<LatLon> position = LatLon{10.5, -20.25};
  std::function<void()> whileAsked;
};

// The log's seams, and a log in a fresh folder.
struct LogRig {
  AutoConnectLog Log(const std::filesystem::path& file) {
    return AutoConnectLog(file, clock, ship, detectors, messenger);
  }
  testing::TempFolder folder;
  testing::FakeClock clock;
  testing::FakeDetectors detectors;
  FixedShip ship;
  RecordingMessenger messenger;
  const std::filesystem::path file = AutoConnectLogPath(folder.path());
};

TEST(AutoConnectLog, OneLinePerRunAfterTheHeadingNoneWithoutAStartAndNoStalePosition) {
  LogRig rig;
  AutoConnectLog log = rig.Log(rig.file);
  const RunStatistics statistics{.station = "W1AW", .snr = {}};

  log.LogFileStop(statistics, "Stopped ", 1);  // no start: nothing
  EXPECT_FALSE(std::filesystem::exists(rig.file));
  log.LogFileStart();
  log.LogFileStop(statistics, "Connected ", 1);
  // A second run whose start failed before its log began: no copy.
  log.LogFileStop(statistics, "Stopped ", 1);
  const std::string line = "03/09/24 07:05:04,0,0,0,0,0,0,0,0,Connected ,1,W1AW,10.5,-20.25,0,0,0,0,99,-99\r\n";
  EXPECT_EQ(testing::ReadBytes(rig.file), std::string(kAutoConnectLogHeading) + "\r\n" + line);
  EXPECT_TRUE(rig.messenger.entries.empty());
  // A run stopped while its position is asked for has none, not the position of the run before.
  rig.ship.position.reset();
  rig.ship.whileAsked = [&] { log.LogFileStop(statistics, "Stopped ", 1); };
  log.LogFileStart();
  EXPECT_EQ(SplitLines(testing::ReadBytes(rig.file)).back(),
            "03/09/24 07:05:04,0,0,0,0,0,0,0,0,Stopped ,1,W1AW,,,0,0,0,0,99,-99");
  rig.ship = FixedShip();

  // A file that cannot be written (a spreadsheet holds it) takes the record with the next run's.
  const auto held = rig.folder.path() / "held";
  AutoConnectLog later = rig.Log(AutoConnectLogPath(held));
  later.LogFileStart();
  later.LogFileStop(statistics, "Connected ", 1);
  ASSERT_EQ(rig.messenger.entries.size(), 1u);
  EXPECT_EQ(rig.messenger.entries[0].text.rfind("LogFileStop, ", 0), 0u);
  EXPECT_NE(rig.messenger.entries[0].text.find(NotWrittenText(AutoConnectLogPath(held))), std::string::npos);
  std::filesystem::create_directory(held);
  later.LogFileStart();
  later.LogFileStop(statistics, "Connected ", 1);
  EXPECT_EQ(testing::ReadBytes(AutoConnectLogPath(held)), std::string(kAutoConnectLogHeading) + "\r\n" + line + line);
  // With no run after it, the program's end writes it.
  std::filesystem::rename(held, rig.folder.path() / "moved");
  later.LogFileStart();
  later.LogFileStop(statistics, "Connected ", 1);
  std::filesystem::rename(rig.folder.path() / "moved", held);
  later.LogFileEnd();
  EXPECT_EQ(SplitLines(testing::ReadBytes(AutoConnectLogPath(held))).size(), 4u);
  EXPECT_EQ(rig.messenger.entries.size(), 2u);
}

// Whatever a run gives its record, the history summary reads as written
// (a comma as " -", a line break as a blank, a figure that is no number or
// none a run can have as 0), or the record is refused before it is written.
TEST(AutoConnectLog, EveryRecordReadsBackInTheSummaryOrIsRefused) {
  // Row: the summary's station row; empty: refused.
  struct Case { std::string station; float snrModel, detectSum; std::vector<std::string> row; } cases[] = {
      {"A,B \"q\"", 12.5f, 30, {"A -B \"q\"", "1", "100%", "1", "12.5", "1", "15.0", "-35.5"}},
      {"a\r\nb", NAN, INFINITY, {"a  b", "1", "100%", "0", "", "1", "0.0", ""}},
      {"W1AW", 3e38f, -3e38f, {"W1AW", "1", "100%", "0", "", "1", "0.0", ""}},
      {std::string(kLongestLogLine, 'x'), 0, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.station.substr(0, 10));
    LogRig rig;
    AutoConnectLog log = rig.Log(rig.file);
    RunStatistics statistics{.connectedBuffers = 1000, .station = c.station, .snrModel = c.snrModel,
                             .snr = {.count = 2, .sum = c.detectSum}};
    log.LogFileStart();
    log.LogFileStop(statistics, "Connected ", 2);
    auto summary = LogFileSummary(rig.file, std::nullopt);
    if (c.row.empty()) {
      EXPECT_EQ(rig.messenger.entries.at(0).text.rfind("LogFileStop, ", 0), 0u);
      EXPECT_FALSE(std::filesystem::exists(rig.file));
      continue;
    }
    EXPECT_EQ(summary.rows, std::vector<std::vector<std::string>>{c.row});
    EXPECT_EQ(summary.lines.size(), 4u) << "no error: Time, Records and the two Connected lines";
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
  EXPECT_FALSE(messenger.Failed());
  // A log that cannot be written still lets the box show, and says so.
  LoggingMessenger unwritable(inner, folder.path() / "gone" / "Velmora.log", clock);
  unwritable.Show("Velmora /connect - The run ends.", MessageIcon::None, {});
  EXPECT_EQ(inner.Texts().size(), 3u);
  EXPECT_TRUE(unwritable.Failed());
}

// The windows as an unattended run meets them: ready after a few ticks, a
// run that may end inside Start or later, sound that may stop coming.
struct FakeUnattendedHost final : UnattendedHost, MessageNote {
  struct Ending { const char* text; bool began; };
  // began: what Start answers; endInStart: the run ends inside Start; readyAfter: ticks; unsaved: the run
  // leaves reference measurements; savedTo: nullptr when their save fails; missed: rows left without a figure;
  // lost: a file refused what the run learned; unread: the settings file that could not be read at the start.
  struct Setup { int mode; bool began; std::optional<Ending> endInStart = {}; int readyAfter = 3;
                 bool unsaved = false; const char* savedTo = nullptr; int missed = 0; bool lost = false;
                 const char* unread = nullptr; };
  explicit FakeUnattendedHost(const Setup& setup) : set(setup) {}
  bool Ready() override { return ++readyAsked >= set.readyAfter; }
  int Mode() override { return set.mode; }
  bool Start() override {
    calls += "start ";
    soundAtStart = sound;
    session->Tick();  // window events inside the start
    if (set.endInStart) session->RunEnded(set.endInStart->text, set.endInStart->began);
    return set.began;
  }
  // As the engine tells it: a run that never heard a buffer never began listening.
  void Stop() override { calls += "stop "; session->RunEnded("Stopped", sound != soundAtStart); }
  std::uint64_t SoundBuffers() override { return sound; }
  bool MessageShowing() override { return boxUp; }
  void ProgramEnd() override { calls += "end"; }
  bool MeasurementsUnsaved() override { return set.unsaved; }
  std::optional<std::string> MeasurementsSave() override {
    set.unsaved = false;
    return set.savedTo ? std::optional<std::string>(set.savedTo) : std::nullopt;
  }
  int MeasurementsMissed() override { return set.missed; }
  bool WritesLost() override { return set.lost; }
  std::optional<std::string> SettingsUnread() override {
    return set.unread ? std::optional<std::string>(set.unread) : std::nullopt;
  }
  void Note(std::string_view text) override { notes.emplace_back(text); }

  Setup set;
  UnattendedSession* session = nullptr;
  int readyAsked = 0;
  bool boxUp = false;
  std::string calls;  // start, stop and the program's end, in turn
  std::uint64_t sound = 0, soundAtStart = 0;
  std::vector<std::string> notes;
};

TEST(UnattendedSession, FromTheBuiltTableToTheExitCodeWithMessageBoxesWaitingSixtySecondsOrFewer) {
  using Ending = FakeUnattendedHost::Ending;
  // endLater: at the last tick; sound: buffers keep coming; calls: the host's.
  struct { const char* name; FakeUnattendedHost::Setup host; std::optional<Ending> endLater; bool sound; int ticks;
           UnattendedExit exit; const char* calls; std::string message; bool nothingMeasured = false;
           bool boxUp = false; } cases[] = {
      {"done", {2, true}, Ending{"Done", true}, true, 20, UnattendedExit::Done, "start end", ""},
      // A full disk or a read-only folder: the log record, history or settings are not kept.
      {"done, a file refused what it learned", {2, true, {}, 3, false, nullptr, 0, true}, Ending{"Done", true}, true,
       20, UnattendedExit::Stopped, "start end", ""},
      {"sound keeps a run going however long", {2, true}, Ending{"Stopped", true}, true, 300, UnattendedExit::Stopped,
       "start end", ""},
      {"nothing to call", {0, true}, Ending{"Stopped", false}, true, 20, UnattendedExit::NotStarted, "start end", ""},
      {"AirMail not reached", {1, false, Ending{"Stopped", false}}, {}, true, 20, UnattendedExit::NotStarted,
       "start end", ""},
      {"Start refused", {0, false}, {}, true, 20, UnattendedExit::NotStarted, "start end", ""},
      {"the data modes", {kModeReferenceData, true}, {}, true, 20, UnattendedExit::NotStarted, "end",
       UnattendedModeRefusedText(kModeReferenceData)},
      {"measured, the save failed", {kModeReferenceStations, true, {}, 3, true}, Ending{"Done", true}, true, 20,
       UnattendedExit::Stopped, "start end", ""},
      {"stopped with measurements", {kModeReferenceStations, true, {}, 3, true, "Data\\2026-12-07 060000.ref"},
       Ending{"Stopped", true}, true, 20, UnattendedExit::Stopped, "start end", ""},
      // The radio gave no reading on any row: "Done", and nothing to keep.
      {"done, nothing measured", {kModeReferenceStations, true}, Ending{"Done", true}, true, 20,
       UnattendedExit::Stopped, "start end", "", true},
      // Some rows without a reading: what was measured is kept, and the scheduler learns it was not all.
      {"done, partly measured", {kModeReferenceStations, true, {}, 3, true, "Data\\2026-12-07 060000.ref", 2},
       Ending{"Done", true}, true, 20, UnattendedExit::Stopped, "start end", ""},
      {"no sound", {1, true}, {}, false, 200, UnattendedExit::Stopped, "start stop end", UnattendedSilenceText()},
      // Boxes of the run one after another (each waits sixty seconds): no buffer comes, yet the sound is fine.
      {"boxes up", {1, true}, Ending{"Stopped", true}, false, 200, UnattendedExit::Stopped, "start end", "", false,
       true},
      {"a table never ready", {1, true, {}, kUnattendedReadyTicks + 5}, {}, true, kUnattendedReadyTicks + 5,
       UnattendedExit::NotStarted, "end", UnattendedNotReadyText()},
      // The defaults would call stations and frequencies nobody chose.
      {"settings unread", {kModeMultipleStations, true, {}, 3, false, nullptr, 0, false, "C:\\Velmora\\Velmora.Ini"}, {},
       true, 20, UnattendedExit::NotStarted, "end", UnattendedSettingsUnreadText("C:\\Velmora\\Velmora.Ini")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeUnattendedHost host(c.host);
    RecordingMessenger messenger;
    UnattendedSession session(host, messenger, host);
    host.session = &session;
    host.boxUp = c.boxUp;
    for (int tick = 1; tick <= c.ticks; ++tick) {
      if (c.sound) ++host.sound;
      if (tick == c.ticks && c.endLater) session.RunEnded(c.endLater->text, c.endLater->began);
      session.Tick();
    }
    EXPECT_EQ(host.calls, c.calls);
    EXPECT_EQ(messenger.Texts(), c.message.empty() ? std::vector<std::string>{} : std::vector{c.message});
    EXPECT_EQ(session.Finish(), static_cast<int>(c.exit));
    std::vector<std::string> notes;
    if (c.host.savedTo) notes.push_back(UnattendedSavedText(c.host.savedTo));
    if (c.host.missed && c.endLater && c.endLater->text == std::string_view("Done"))
      notes.push_back(UnattendedPartlyMeasuredText(c.host.missed));
    if (c.nothingMeasured) notes.push_back(UnattendedNothingMeasuredText());
    if (c.host.lost && c.endLater && c.endLater->text == std::string_view("Done"))
      notes.push_back(UnattendedUnwrittenText());
    notes.push_back(UnattendedEndText(c.exit));
    EXPECT_EQ(host.notes, notes);
  }
  // A run that logged its start and no end was ended by a crash, a kill or a power cut.
  auto line = [](const char* stamp, std::string_view text) {
    return stamp + ("," + MessageLogRecord(UtcDateTime{}, text).at(1)) + "\r\n";
  };
  const std::string begun = line("2026-12-09 06:00:00", UnattendedBeginText()),
                    told = line("2026-12-09 06:00:05", UnattendedModeRefusedText(kModeScanStations)),
                    ended = line("2026-12-09 06:00:09", UnattendedEndText(UnattendedExit::Stopped));
  const std::pair<std::string, std::optional<std::string>> logs[] = {
      {"", std::nullopt}, {begun + told + ended, std::nullopt}, {begun + told, "2026-12-09 06:00:00"},
      {begun + told + begun + ended, std::nullopt}, {begun + ended + begun + "2026-12-09 06", "2026-12-09 06:00:00"}};
  for (const auto& [log, unfinished] : logs) EXPECT_EQ(UnattendedUnfinishedBegin(log), unfinished) << log;
  // Message boxes wait sixty seconds unless a test says fewer.
  const std::pair<const char*, int> waits[] = {{nullptr, 60}, {"59", 59}, {"0", 60}, {"600", 60}, {"soon", 60}};
  for (auto [value, seconds] : waits)
    EXPECT_EQ(UnattendedMessageWait(value).count(), seconds) << (value ? value : "none");
}

}  // namespace
}  // namespace velmora
