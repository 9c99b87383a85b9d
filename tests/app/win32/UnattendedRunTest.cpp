// "Velmora.exe /connect" from its start to its exit code, as a scheduled run
// meets it: the real program, the stand-in AirMail, and sound played into
// the sound server and captured by the program. The call key may reach
// AirMail only after "Connect Not Busy" seconds of free channel. The
// stand-in radio listens on the serial line pair that radio-line.sh makes.
#include <windows.h>
#include <commctrl.h>

#include "autoconnect/UnattendedSession.h"
#include "common/ProfileFile.h"
#include "common/RecordFile.h"
#include "selection/ReferenceData.h"
#include "selection/TableColumns.h"
#include "tests/app/win32/InstalledProgram.h"
#include "tests/app/win32/OtherSession.h"
#include "tests/audio/win32/SoundPlayer.h"
#include "tests/autoconnect/win32/AutoConnectFixture.h"
#include "tests/propagation/win32/RealItshfbc.h"
#include "tools/signalgen/ChannelSignal.h"
#include "tools/signalgen/FadingSweep.h"

namespace velmora {
namespace {

using testing::FirstTime;
using testing::Installed;
using testing::NowMs;
using testing::Pactor;

constexpr double kNotBusySeconds = testing::kInstalledNotBusySeconds;
constexpr double kBusySeconds = 4;
// One buffer of 2048 samples: a free stretch is judged in whole buffers.
constexpr double kBufferSeconds = 2048.0 / 11025;

class UnattendedRunTest : public ::testing::Test {
 protected:
  // The boxes of these runs close themselves after a second.
  void SetUp() override { SetEnvironmentVariableA("VELMORA_TEST_MESSAGE_SECONDS", "1"); }
  void TearDown() override { SetEnvironmentVariableA("VELMORA_TEST_MESSAGE_SECONDS", nullptr); }
};

// A /connect run to its exit, `sound` played from the moment the run puts
// the system into the terminal (until then the program hears only silence,
// which counts for nothing); `during` may change the sound while it lasts.
struct HeardRun {
  long long launched = 0, played = 0;  // ms
  DWORD exit = 99;
  std::vector<std::string> received;  // the stand-in's record
};
using SoundChange = std::function<void(std::unique_ptr<testing::SoundPlayer>&)>;
// The stand-in's scenario for a call with that outcome.
testing::StandInSession::Scenario Calls(const char* outcome, const char* lifetime) {
  return testing::HamScenario(
      {{"Outcome", outcome}, {"Seconds", "1"}, {"DisconnectSeconds", "2"}, {"RecordTimes", "1"}, {"Lifetime", lifetime}});
}

HeardRun RunHearing(const Installed& program, const testing::StandInSession& airmail,
                    const std::vector<std::int16_t>& sound, double seconds, const SoundChange& during = {}) {
  HeardRun run;
  run.launched = NowMs();
  auto velmora = program.Launch();
  EXPECT_TRUE(velmora->Started());
  if (!testing::PumpUntil([&] { return FirstTime(airmail.Record(), "field system").has_value(); }, 60)) {
    ADD_FAILURE() << "no run began";
    return run;
  }
  run.played = NowMs();
  auto player = std::make_unique<testing::SoundPlayer>(sound);
  EXPECT_TRUE(player->Playing()) << "no sound output: is the sound server running?";
  bool exited = testing::PumpUntil(
      [&] {
        if (during) during(player);
        return velmora->WaitExit(0);
      },
      seconds);
  EXPECT_TRUE(exited) << "the run did not end";
  if (exited) run.exit = velmora->ExitCode();
  run.received = airmail.Record();
  return run;
}

// A panel (from 1) of a status bar of another process: the bar writes its
// answer into memory of that process, which is then read across.
std::string OtherProcessStatusPanel(HWND bar, int panel) {
  DWORD id = 0;
  GetWindowThreadProcessId(bar, &id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
  if (!process) return {};
  std::string text;
  constexpr SIZE_T kRoom = 512;
  if (void* room = VirtualAllocEx(process, nullptr, kRoom, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    DWORD_PTR length = 0;
    if (SendMessageTimeoutA(bar, SB_GETTEXTLENGTHA, panel - 1, 0, SMTO_BLOCK, 5000, &length) &&
        LOWORD(length) < kRoom &&
        SendMessageTimeoutA(bar, SB_GETTEXTA, panel - 1, reinterpret_cast<LPARAM>(room), SMTO_BLOCK, 5000, nullptr)) {
      text.resize(LOWORD(length));
      if (!ReadProcessMemory(process, room, text.data(), text.size(), nullptr)) text.clear();
    }
    VirtualFreeEx(process, room, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}

long CallsOf(const std::vector<std::string>& received) {
  return std::count_if(received.begin(), received.end(), [](const auto& line) { return line.ends_with(" key F5"); });
}

// The run's one record in the AutoConnect log, after the heading.
Record LoggedRun(const Installed& program) {
  auto log = SplitLines(program.Kept("AutoConnectLog.txt"));
  EXPECT_EQ(log.size(), 2u) << "the heading and one record";
  Record record = log.size() == 2 ? SplitRecord(log[1]) : Record{};
  EXPECT_EQ(record.size(), 20u) << (log.size() == 2 ? log[1] : "");
  record.resize(20);
  return record;
}

TEST_F(UnattendedRunTest, EachCallingModeCallsOnAFreeChannelAndEndsWithItsExitCode) {
  struct {
    int mode;
    const char* outcome;
    bool airmailRunning;  // else the program starts it without asking
    int exit;
    const char* status;  // the log record's Status field
    const char* lines = "";
    bool logRefused = false;  // "AutoConnectLog.txt" cannot be written (a folder of that name)
  } runs[] = {
      {kModeCurrentFrequency, "noanswer", false, 1, "Did not Connect "},
      {kModeMultipleFrequencies, "connected", true, 0, "Connected "},
      // Tx only: listening on each station's Rx Check rows first (some 15 s
      // here) is ListeningTest's.
      {kModeMultipleStations, "connected", true, 0, "Connected ", "Connect Tx Only=True\r\n"},
      // A link made, and its record lost: the scheduler must not read success.
      {kModeMultipleFrequencies, "connected", true, 1, "", "", true},
  };
  // Busy with Pactor, then channel noise alone for as long as any run lasts.
  const signalgen::Signal busy = Pactor(kBusySeconds, 3);
  std::vector<float> sound = busy.samples;
  const auto free = signalgen::Generate({.seconds = 90, .seed = 4}).samples;
  sound.insert(sound.end(), free.begin(), free.end());
  const auto recording = signalgen::ToPcm16(sound);
  const double busyEnd = double(std::find(busy.on.rbegin(), busy.on.rend(), 1).base() - busy.on.begin()) / 11025;
  const auto link = signalgen::ToPcm16(Pactor(12, 5).samples);
  for (const auto& run : runs) {
    SCOPED_TRACE("mode " + std::to_string(run.mode) + ", " + run.outcome);
    const bool connected = std::string_view(run.outcome) == "connected";
    testing::StandInSession airmail(Calls(run.outcome, "120"));
    if (run.airmailRunning) {
      ASSERT_TRUE(airmail.Start());
    }
    Installed program(run.mode, airmail, run.lines);
    if (run.logRefused) std::filesystem::create_directory(program.Folder() / "AutoConnectLog.txt");
    // The link itself is heard while it lasts, as it would be on the air.
    bool linkPlayed = false;
    HeardRun heard = RunHearing(program, airmail, recording, 120, [&](auto& player) {
      if (linkPlayed || !connected || !FirstTime(airmail.Record(), "key F5")) return;
      player.reset();
      player = std::make_unique<testing::SoundPlayer>(link);
      linkPlayed = true;
    });
    if (!run.airmailRunning)
      std::printf("mode %d, AirMail not running: listening from %.1f s after /connect\n", run.mode,
                  (heard.played - heard.launched) / 1000.0);
    EXPECT_EQ(heard.exit, static_cast<DWORD>(run.exit));
    auto firstCall = FirstTime(heard.received, "key F5");
    ASSERT_TRUE(firstCall) << "no call";
    double freeSeconds = (*firstCall - heard.played) / 1000.0 - busyEnd;
    EXPECT_GE(freeSeconds, kNotBusySeconds - kBufferSeconds) << "called before the channel was free long enough";
    std::printf("mode %d: the call %.2f s after the busy stretch ended\n", run.mode, freeSeconds);
    const long calls = CallsOf(heard.received);
    EXPECT_EQ(calls, connected ? 1 : testing::kInstalledAttempts);
    EXPECT_TRUE(FirstTime(heard.received, "started")) << "AirMail was started by the program";

    if (!run.logRefused) {
      auto record = LoggedRun(program);
      EXPECT_EQ(record[9], run.status);
      EXPECT_EQ(record[8], std::to_string(calls));
      EXPECT_GE(std::atoi(record[3].c_str()), 1) << "the busy stretch was heard";
    }

    // A link the detectors heard marks the station good; calls nobody answered, bad.
    bool good = false, bad = false;
    for (const auto& line : SplitLines(program.Kept("StationHistoryData.txt")))
      if (auto at = line.find('='); at != std::string::npos) {
        const double value = std::stod(line.substr(at + 1));
        good = good || value > 0, bad = bad || value < 0;
      }
    EXPECT_EQ(std::pair(good, bad), std::pair(connected, !connected)) << program.Kept("StationHistoryData.txt");

    // The settings were saved at the end; the AutoConnect window, opened for
    // the run only, is not to be shown at the next usual start.
    ProfileDocument saved = program.Settings();
    EXPECT_FALSE(saved.Read(kDetectorSection, "Burst").empty());
    EXPECT_EQ(saved.Read(kAutoConnectSection, "Window Visible"), "False");

    std::string messages = program.Kept("Velmora.log");
    EXPECT_NE(messages.find(UnattendedEndText(static_cast<UnattendedExit>(run.exit))), std::string::npos) << messages;
    EXPECT_EQ(messages.find(UnattendedUnwrittenText()) != std::string::npos, run.logRefused) << messages;
    if (!run.airmailRunning) {
      EXPECT_EQ(messages.find("Would you like to start the AirMail program"), std::string::npos) << messages;
      EXPECT_NE(messages.find("AirMail is not running: an unattended run starts"), std::string::npos) << messages;
    }
  }
}

// A signal on the channel from the start of listening that only an option
// hears whole holds the call until it has ended, and the run calls once: a
// Pactor 3 link through a fading channel at 6 dB, whose fades leave the
// templates a free stretch longer than "Connect Not Busy" (3 s), with
// "Pactor Fading"; an OFDM modem that fills a receiver's passband (AGC
// swinging), with "Digital Busy" (a receiver's noise alone is never busy:
// DetectionTest's channel rows).
TEST_F(UnattendedRunTest, ASignalOnlyAnOptionHearsWholeHoldsTheCallUntilItHasEnded) {
  constexpr double kWait = 3, kLinkSeconds = 8, kModemSeconds = 6;
  signalgen::FadingChannel good;
  ASSERT_TRUE(signalgen::NamedChannel("good", good));
  const signalgen::SignalRecipe recipe = signalgen::FadingRecipe(3, good, 31, kLinkSeconds, false);
  signalgen::Signal link = signalgen::Generate(recipe);
  const double linkEnd = double(std::find(link.on.rbegin(), link.on.rend(), 1).base() - link.on.begin()) / 11025;
  link.samples.resize(link.samples.size() + 60 * 11025, 0.0f);  // then the channel alone
  signalgen::Random noise(recipe.seed);
  signalgen::AddNoise(link.samples, signalgen::NoiseRms(recipe.rms, 6), noise);
  DetectorSettings plain;
  const auto templates =
      signalgen::CountFading({link.samples.data(), std::size_t(kLinkSeconds * 11025)}, {}, plain, 2048);
  ASSERT_GT(templates.longestFree * kBufferSeconds, kWait + kBufferSeconds) << "the templates alone would call";
  const auto* agc = signalgen::FindChannel("agc-slow-s");
  std::vector<float> modem = signalgen::GenerateChannel({.modem = signalgen::FindModem("ofdm-s5"), .channel = agc,
                                                         .seconds = kModemSeconds, .seed = 5}).samples;
  const auto after = signalgen::GenerateChannel({.channel = agc, .seconds = 40, .seed = 6}).samples;
  modem.insert(modem.end(), after.begin(), after.end());
  // The signal's end, and the least time from it to the call: the link's
  // last seconds may lie in a fade that already reads free.
  const struct { const char* option; const std::vector<float>& sound; double end, least; } runs[] = {
      {"Pactor Fading", link.samples, linkEnd, 0}, {"Digital Busy", modem, kModemSeconds, kWait - kBufferSeconds}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.option);
    testing::StandInSession airmail(Calls("connected", "150"));
    ASSERT_TRUE(airmail.Start());
    Installed program(kModeCurrentFrequency, airmail, "Connect Not Busy=" + std::to_string(kWait) + "\r\n",
                      std::string(run.option) + "=True\r\n");
    HeardRun heard = RunHearing(program, airmail, signalgen::ToPcm16(run.sound), 120);
    EXPECT_EQ(heard.exit, 0u) << program.Kept("Velmora.log");
    const auto call = FirstTime(heard.received, "key F5");
    ASSERT_TRUE(call) << "no call";
    const double afterEnd = (*call - heard.played) / 1000.0 - run.end;
    std::printf("%s: the call %.2f s after the signal ended\n", run.option, afterEnd);
    EXPECT_GT(afterEnd, run.least) << "called while the signal was on, or too soon after";
    EXPECT_EQ(CallsOf(heard.received), 1);
    EXPECT_GE(std::atof(LoggedRun(program)[3].c_str()), 0.9 * (run.end - 1)) << "the signal's seconds heard busy";
  }
}

// Windows shutting down mid-run ends the process after the session-end
// messages, so the end the exit code would tell is in "Velmora.log" by then.
TEST_F(UnattendedRunTest, WindowsEndingTheSessionMidRunLogsTheEnd) {
  testing::StandInSession airmail(Calls("noanswer", "120"));
  ASSERT_TRUE(airmail.Start());
  Installed program(kModeCurrentFrequency, airmail, "Connect Not Busy=60\r\n");
  auto velmora = program.Launch();
  ASSERT_TRUE(velmora->Started());
  ASSERT_TRUE(testing::PumpUntil([&] { return FirstTime(airmail.Record(), "field station").has_value(); }, 60));
  testing::SoundPlayer channel(signalgen::ToPcm16(signalgen::Generate({.seconds = 30}).samples));
  HWND main = velmora->WaitWindow([](HWND w) { return testing::ClassOf(w) == kMainWindowClass; });
  ASSERT_TRUE(main);
  // Listening: the run has heard its first buffer, which a loaded machine may take some seconds to give it.
  HWND window = velmora->WaitWindow([](HWND w) { return testing::ClassOf(w) == kAutoConnectWindowClass; });
  ASSERT_TRUE(window);
  HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr);
  ASSERT_TRUE(testing::PumpUntil(
      [&] { return OtherProcessStatusPanel(bar, 2).starts_with("Waiting, Not Busy"); }, 60))
      << "the run never listened: " << OtherProcessStatusPanel(bar, 2);
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 10000, &answer));
  EXPECT_TRUE(answer) << "the shutdown was held up";
  EXPECT_TRUE(SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 30000, &answer));
  velmora->Terminate();  // as Windows ends it
  EXPECT_EQ(LoggedRun(program)[9], "Stopped ");
  EXPECT_EQ(program.Settings().Read(kAutoConnectSection, "Window Visible"), "False") << "opened for the run only";
  std::string messages = program.Kept("Velmora.log");
  EXPECT_NE(messages.find(UnattendedEndText(UnattendedExit::Stopped)), std::string::npos) << messages;
}

// A run killed mid-way (a crash, the task stopped, a power cut) never logs
// its end: the next run starts on what it left and tells of it first.
TEST_F(UnattendedRunTest, RunKilledMidCallIsToldByTheNextRun) {
  testing::StandInSession airmail(Calls("noanswer", "240"));
  ASSERT_TRUE(airmail.Start());
  Installed program(kModeCurrentFrequency, airmail);
  testing::SoundPlayer channel(signalgen::ToPcm16(signalgen::Generate({.seconds = 120}).samples));
  auto killed = program.Launch();
  ASSERT_TRUE(testing::PumpUntil([&] { return FirstTime(airmail.Record(), "key F5").has_value(); }, 60));
  killed->Terminate();
  const std::string before = program.Kept("Velmora.log");
  auto velmora = program.Launch();
  ASSERT_TRUE(testing::PumpUntil([&] { return velmora->WaitExit(0); }, 120)) << "the run did not end";
  EXPECT_EQ(LoggedRun(program)[9], "Did not Connect ");
  const auto begun = UnattendedUnfinishedBegin(before);  // the log reading's own cases: UnattendedSession's table
  ASSERT_TRUE(begun) << before;
  const auto lines = SplitLines(program.Kept("Velmora.log").substr(before.size()));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(SplitRecord(lines[0]).at(1), MessageLogRecord(UtcDateTime{}, UnattendedUnfinishedText(*begun)).at(1));
  EXPECT_EQ(SplitRecord(lines[1]).at(1), UnattendedBeginText());
}

// Whatever keeps a run from starting ends the program with exit code 2 and
// a line in "Velmora.log"; a box on the way closes itself.
TEST_F(UnattendedRunTest, NoRunCouldStartEndsAtOnceWithCodeTwo) {
  // The other session by its caption: a zoomed spectrum or a recording shows in it.
  // settingsTooLarge: "Velmora.Ini" cannot be read, and the defaults would call stations nobody chose.
  struct { const char* arguments; int mode; const char* otherSession; std::string logged; bool box;
           bool settingsTooLarge = false; } cases[] = {
      {"/connect", kModeScanStations, nullptr, UnattendedModeRefusedText(kModeScanStations), true},
      {"/Connect", kModeMultipleFrequencies, kMainWindowCaption,
       "No: an unattended run does not start beside another session.", false},
      {"/connect", kModeMultipleFrequencies, "Velmora - Zoomed",
       "No: an unattended run does not start beside another session.", false},
      {"/connect /now", kModeMultipleFrequencies, nullptr, "Unknown command line argument \"/now\"", true},
      {"/connect", kModeMultipleFrequencies, nullptr, " could not be read, so no run is started", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    testing::StandInSession airmail({});
    Installed program(c.mode, airmail);
    if (c.settingsTooLarge)
      testing::WriteBytes(program.Folder() / kSettingsFileName,
                          program.Kept(kSettingsFileName) + ";" + std::string(kProfileFileLimit, 'x') + "\r\n");
    std::optional<testing::OtherSession> other;
    if (c.otherSession) other.emplace(c.otherSession);
    auto velmora = program.Launch(c.arguments);
    ASSERT_TRUE(velmora->Started());
    HWND box = c.box ? velmora->WaitWindow([](HWND w) { return testing::ClassOf(w) == "#32770"; }, 60) : nullptr;
    EXPECT_EQ(box != nullptr, c.box);
    ASSERT_TRUE(testing::PumpUntil([&] { return velmora->WaitExit(0); }, 60)) << "nobody answers the box";
    EXPECT_EQ(velmora->ExitCode(), 2u);
    // As the log keeps a message: one line, one field.
    std::string logged = MessageLogRecord(UtcDateTime{}, c.logged).at(1);
    std::string messages = program.Kept("Velmora.log");
    EXPECT_NE(messages.find(logged), std::string::npos) << messages;
    // Every message of the run after the line of its start.
    if (c.settingsTooLarge) {
      EXPECT_LT(messages.find(MessageLogRecord(UtcDateTime{}, UnattendedBeginText()).at(1)),
                messages.find("ProfileRecall - Cannot read"))
          << messages;
    }
  }
}

// Mode 3 with the S-meter: every checked frequency tuned on the radio and
// measured from its readings and the sound card, the measurements saved at
// the end without asking, and the file recalled and fitted as "Reference
// Data" recalls it.
TEST_F(UnattendedRunTest, ReferenceStationsAreMeasuredThroughTheRadioAndSaved) {
  if (!testing::ItshfbcInstall()) GTEST_SKIP() << "no VOACAP in ../shared/itshfbc to copy to c:\\itshfbc";
  // The radio answers this many S-meter requests, then falls silent.
  for (int answers : {300, 8}) {
    SCOPED_TRACE(answers);
    testing::StandInSession airmail({});
    Installed program(kModeReferenceStations, airmail,
                      "Reference Station S-Meter=True\r\nRadio Comm Port=8\r\nRadio Icom Address=3\r\n"
                      "Reference Station Average=1\r\nReference Station All Stations Limit=1\r\n"
                      "Propagation Model Model=2\r\nReference Data Reference=1\r\n");
    std::string readings = "5";
    for (int i = 1; i < answers; ++i) readings += ",5";
    const auto radioRecord = program.Folder() / "Radio.txt";
    testing::ChildProcess radio("\"" + testing::HostPath(VELMORA_RADIO_STANDIN).string() + "\" COM9 \"" +
                                radioRecord.string() + "\" --readings " + readings);
    ASSERT_TRUE(radio.Started());
    ASSERT_TRUE(testing::PumpUntil([&] { return std::filesystem::exists(radioRecord); }, 10)) << "the radio holds COM9";

    testing::SoundPlayer sound(signalgen::ToPcm16(signalgen::Generate({.seconds = 120}).samples));
    ASSERT_TRUE(sound.Playing()) << "no sound output: is the sound server running?";
    long long launched = NowMs();
    auto velmora = program.Launch();
    ASSERT_TRUE(velmora->Started());
    ASSERT_TRUE(testing::PumpUntil([&] { return velmora->WaitExit(0); }, 150)) << "the run did not end";
    std::printf("mode 3 over the radio: %.1f s from /connect to the exit\n", (NowMs() - launched) / 1000.0);
    // Frequencies the silent radio gave no reading for make the run no full success.
    const bool partly = answers < 300;
    EXPECT_EQ(velmora->ExitCode(), partly ? 1u : 0u) << program.Kept("Velmora.log");

    const std::string kept = program.Settings().Read(kAutoConnectSection, "Reference Data File");
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(std::filesystem::path(kept).parent_path(), program.Folder() / "Data");
    std::string messages = program.Kept("Velmora.log");
    EXPECT_NE(messages.find(MessageLogRecord(UtcDateTime{}, UnattendedSavedText(kept)).at(1)), std::string::npos)
        << messages;
    EXPECT_EQ(messages.find("not measured: the radio gave no S-meter reading there.") != std::string::npos, partly)
        << messages;
    if (partly) continue;

    FrequencyTable table;
    ColumnsBuild(table, kModeReferenceData, AutoConnectSettings{}, [](std::string_view t) { return int(t.size()); });
    RecordingMessenger told;
    // The radio's levels: the sound carries no station, which gives no SNR.
    auto recalled = ReferenceDataRecall(table, kept, 1, told);
    ASSERT_TRUE(recalled) << (told.Texts().empty() ? "" : told.Texts()[0]);
    ASSERT_GT(table.DataRows(), 0);
    for (int row = 1; row <= table.DataRows(); ++row)
      EXPECT_GE(table.CellValue(row, kColumnRxPwr), 5 * 6 - 100) << "S5 and the sound card's level, row " << row;
    EXPECT_GT(recalled->fit.matched, 0) << "measured levels beside VOACAP's predictions";
    EXPECT_EQ(recalled->fit.stations, 1);
    std::printf("reference fit: %d rows, RMS %.1f dB\n", recalled->fit.matched, recalled->fit.rms);
  }
}

}  // namespace
}  // namespace velmora
