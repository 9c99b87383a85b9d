// Predictions from the real VOACAP of ../shared/itshfbc, copied into the
// prefix as c:\itshfbc, for the fixture's ship and two of its stations: the
// values must be the program's own numbers, interpolated to the minute.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include "propagation/Positions.h"
#include "propagation/PropagationRunner.h"
#include "tests/propagation/TimedProgram.h"
#include "propagation/win32/Win32ModelProgram.h"
#include "tests/airmail/Fixture.h"
#include "tests/propagation/win32/RealItshfbc.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class RealVoacap : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { available_ = testing::ItshfbcInstall(); }
  void SetUp() override {
    if (!available_) GTEST_SKIP() << "no VOACAP in ../shared/itshfbc to copy to c:\\itshfbc";
    AirmailDataFolder data(testing::FixturePath("data").string(), messages);
    ASSERT_TRUE(LatLonGetCurrent(data, ship));
    ASSERT_TRUE(LatLonGetStation(data, "SAILMAIL", "WLO", wlo, true));
    ASSERT_TRUE(LatLonGetStation(data, "SAILMAIL", "WPE", wpe, true));
    ASSERT_TRUE(LatLonGetStation(data, "SAILMAIL", "HP1A", hp1a, true));
    ASSERT_TRUE(LatLonGetStation(data, "SAILMAIL", "HP2B", hp2b, true));
    parameters.sunSpotNumber = 112;  // the fixture's SSN
  }
  PropagationRunner Runner(ModelOutputCache* cache = nullptr, PredictionProgress* progress = nullptr,
                           size_t blocksPerRun = 40) {
    return PropagationRunner(timed, messages, {kItshfbcFolder, 0, 5, cache, progress, blocksPerRun});
  }

  static inline bool available_ = false;
  RecordingMessenger messages;
  Win32ModelProgram program;
  testing::TimedProgram timed{program};
  LatLon ship, wlo, wpe, hp1a, hp2b;
  const std::vector<float> wloFrequencies = {6318.5f, 8420.5f, 12680.5f};  // the fixture's lists
  const std::vector<float> wpeFrequencies = {8146, 12454, 16695, 22391};
  PropagationParameters parameters;
};

TEST_F(RealVoacap, ThePredictionIsTheProgramsOwnNumbersInterpolated) {
  struct Case {
    const char* station;
    LatLon* position;
    const std::vector<float>* frequencies;
    UtcDateTime when;
  } cases[] = {
      {"WLO", &wlo, &wloFrequencies, {2024, 5, 14, 14, 45}}, {"WPE", &wpe, &wpeFrequencies, {2024, 5, 14, 14, 15}},
      {"WLO", &wlo, &wloFrequencies, {2024, 5, 14, 0, 40}},  // from midnight, which the program calls 24
      {"WPE", &wpe, &wpeFrequencies, {2024, 11, 2, 23, 20}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.station) + " at " + std::to_string(c.when.hour) + ":" + std::to_string(c.when.minute));
    PredictionNow now;
    auto runner = Runner();
    ASSERT_TRUE(runner.PropagationRunNow(kModelVoacap, c.when, {*c.position, ship}, *c.frequencies, parameters, now))
        << ::testing::PrintToString(messages.Texts());
    auto tables = testing::ProgramTables(testing::ItshfbcLastOutput());
    const auto& a = tables[c.when.hour == 0 ? 24 : c.when.hour];
    const auto& b = tables[c.when.hour + 1];
    ASSERT_GT(a.mode.size(), c.frequencies->size()) << "the MUF column, then the frequencies";
    ASSERT_GT(b.mode.size(), c.frequencies->size());
    const double m = c.when.minute / 60.0;
    auto at = [m](double x1, double x2) { return x1 + (x2 - x1) * m; };
    EXPECT_NEAR(now.muf, at(a.muf, b.muf) * 1000, 1e-6);
    EXPECT_NEAR(now.luf, at(a.luf, b.luf) * 1000, 1e-6);
    for (size_t k = 0; k < c.frequencies->size(); ++k) {
      const auto& f = now.frequencies[k];
      EXPECT_EQ(Trim(f.mode), (c.when.minute < 30 ? a : b).mode[k + 1]) << k;
      for (auto [value, row] : {std::pair{f.takeoffAngle, "TANGLE"}, {f.signal, "S DBW"}, {f.noise, "N DBW"},
                                {f.snr, "SNRxx"}})
        EXPECT_NEAR(value, at(a.rows.at(row)[k + 1], b.rows.at(row)[k + 1]), 1e-9) << row << " " << k;
      EXPECT_EQ(f.snrSlope, b.rows.at("SNRxx")[k + 1] - a.rows.at("SNRxx")[k + 1]) << k;
    }
  }
  EXPECT_EQ(timed.starts, 4);
}

// Eleven frequencies are two blocks of one circuit, run at once; the
// program's LUF of the second block's first hour would differ from its own
// run's. The same request again runs nothing: PropagationWindowsTest's hours
// window shown again, and PropagationViewsTest's fills within the hour.
TEST_F(RealVoacap, ElevenFrequenciesInOneRunOfTwoBlocksReadAsEachBlockAlone) {
  const std::vector<float> eleven = {2000, 3000, 4000, 5000, 7000, 8146, 10100, 12454, 14100, 16695, 22391};
  ModelOutputCache cache;
  auto runner = Runner(&cache);
  for (auto [hour, minute] : {std::pair{14, 0}, {1, 0}, {9, 30}}) {
    PredictionNow joint, alone;
    const UtcDateTime when{2024, 5, 14, hour, minute};
    const int starts = timed.starts;
    ASSERT_TRUE(runner.PropagationRunNow(kModelVoacap, when, {wlo, ship}, eleven, parameters, joint));
    EXPECT_EQ(timed.starts, starts + 1) << "one run";
    ASSERT_TRUE(Runner().PropagationRunNow(kModelVoacap, when, {wlo, ship}, eleven, parameters, alone));
    EXPECT_EQ(joint, alone) << hour;
  }
}

// The station whose prediction fails, as the fill's progress shows it.
struct ProgressSeen final : PredictionProgress {
  void PredictionProgressShow(int station, int) override { shown = station; }
  int shown = 0;
};

TEST_F(RealVoacap, AFillsBlocksBeyondTheLimitGoToAnotherRunAndAFailingBlockIsNamedAlone) {
  const std::vector<float> tooHigh = {8146, 1234567};  // no F5.1 field holds 1234.6 MHz
  const std::vector<CircuitFrequencies> fill = {{{wpe, ship}, wloFrequencies}, {{wlo, ship}, wloFrequencies},
                                                {{wlo, ship}, tooHigh},        {{hp1a, ship}, wloFrequencies},
                                                {{hp2b, ship}, wloFrequencies}};
  const UtcDateTime when{2024, 5, 14, 14, 45};
  ModelOutputCache cache;
  ProgressSeen progress;
  auto runner = Runner(&cache, &progress, 2);
  runner.StationsBegin(static_cast<int>(fill.size()));
  runner.PropagationRunNowAhead(kModelVoacap, when, fill, parameters);
  std::vector<PredictionNow> joint(fill.size());
  for (size_t k = 0; k < fill.size(); ++k) {
    bool predicted =
        runner.PropagationRunNow(kModelVoacap, when, fill[k].circuit, fill[k].frequencies, parameters, joint[k]);
    EXPECT_EQ(predicted, k != 2) << k;
    if (!predicted) {
      EXPECT_EQ(progress.shown, 3) << "shown while its message is";
    }
  }
  runner.StationsEnd();
  EXPECT_EQ(timed.starts, 2) << "two blocks, then the two after the failing one";
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"PropagationIcepacVoacap, Output The value 1234.567 does not "
                                                       "fit the field F5.1 of the FREQUENCY card."});
  for (size_t k : {0, 1, 3, 4}) {
    PredictionNow alone;
    ASSERT_TRUE(
        Runner().PropagationRunNow(kModelVoacap, when, fill[k].circuit, fill[k].frequencies, parameters, alone));
    EXPECT_EQ(joint[k], alone) << k;
  }
}

TEST(Win32ModelProgram, SuccessOnlyWhenTheProgramEndsWithExitCodeZero) {
  struct Case { std::string commandLine; double seconds; bool started, finished; } cases[] = {
      {"cmd /c exit 0", 10, true, true}, {"cmd /c exit 3", 10, true, false},
      {"ping -n 30 127.0.0.1", 0.5, true, false},  // ended when the time is up
      {"c:\\no\\such\\program.exe", 10, false, false},
  };
  for (const auto& c : cases) {
    Win32ModelProgram program;
    std::error_code error;
    EXPECT_EQ(program.Start(c.commandLine, error), c.started) << c.commandLine;
    EXPECT_EQ(program.Wait(c.seconds), c.finished) << c.commandLine;
    EXPECT_FALSE(program.Wait(c.seconds)) << "nothing left to wait for";
  }
}

// Killed from the Task Manager while a prediction ran, the program left the
// prediction program running, for good when it hung. It ends with the
// handles of the program that started it, as a kill closes them.
TEST(Win32ModelProgram, TheProgramRunningEndsWithItsStarter) {
  auto children = [] {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
      count += entry.th32ParentProcessID == GetCurrentProcessId() && lstrcmpiA(entry.szExeFile, "ping.exe") == 0;
    CloseHandle(snapshot);
    return count;
  };
  {
    Win32ModelProgram program;
    std::error_code error;
    ASSERT_TRUE(program.Start("ping -n 30 127.0.0.1", error));
    EXPECT_EQ(children(), 1);
  }
  for (int i = 0; i < 40 && children() > 0; ++i) Sleep(50);
  EXPECT_EQ(children(), 0);
}

}  // namespace
}  // namespace velmora
