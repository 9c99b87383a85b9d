// The command-line tools as a user runs them: velmora-airmail on the
// fixture installation, velmora-history's summary, velmora-predict with the
// real VOACAP through Wine, velmora-analyse on generated recordings, and
// what each tool refuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "common/RecordFile.h"
#include "common/TextFileLines.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"
#include "tests/propagation/StandInProgram.h"
#include "tools/predict/PredictRun.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// A tool's exit code and what it wrote to standard output and standard error, line by line.
struct ToolRun {
  int status = -1;
  std::string out, errors;
  std::vector<std::string> lines, errorLines;  // of out and errors
};

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// The tool run as a user runs it; its standard input is the output of the
// shell command given, its memory limited to the kilobytes given, and its
// standard output sent to the file given, if any, instead of kept.
ToolRun RunTool(const std::string& tool, const std::string& arguments, const std::string& input = "",
                int memoryKb = 0, const std::string& outputTo = "") {
  testing::TempFolder folder;
  const auto out = folder.path() / "out.txt", err = folder.path() / "err.txt";
  std::string command = std::string(VELMORA_BINARY_DIR) + "/" + tool + " " + arguments;
  if (memoryKb) command = "(ulimit -v " + std::to_string(memoryKb) + "; exec " + command + ")";
  if (!input.empty()) command = input + " | " + command;
  command += " >" + (outputTo.empty() ? Quoted(out) : outputTo) + " 2>" + Quoted(err);
  const int raw = std::system(command.c_str());
  const std::string outText = testing::ReadBytes(out), errText = testing::ReadBytes(err);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, outText, errText, SplitLines(outText), SplitLines(errText)};
}

// Each refusal: the exit code, the problem on standard error, and after a
// wrong argument the usage.
TEST(ToolArguments, EachRefusalNamesItsProblemWithItsExitCode) {
  testing::TempFolder folder;
  const auto shortFile = folder.path() / "short.bin", empty = folder.path() / "empty";
  testing::WriteBytes(shortFile, std::string(2 * 2047, '\1'));
  std::filesystem::create_directories(empty);
  const auto hugeSettings = folder.path() / "huge.ini";
  testing::WriteBytes(hugeSettings, "");
  fs::resize_file(hugeSettings, 5 << 20);
  const std::string data = "--data " + Quoted(testing::FixturePath("data"));
  // says: a part of standard error; lines: of standard error, 0 when the usage follows.
  struct Case { std::string tool, arguments; int status; std::string says; size_t lines; } cases[] = {
      // A failure of the analyser is one line.
      {"velmora-analyse", Quoted(folder.path() / "missing.bin"), 2, "missing.bin\": No such file", 1},
      {"velmora-analyse", Quoted(shortFile), 2, "less than one buffer", 1},
      {"velmora-analyse", "--settings " + Quoted(folder.path() / "none.ini") + " " + Quoted(shortFile), 2,
       "cannot read the settings file", 1},
      {"velmora-analyse", "--bogus x.bin", 2, "velmora-analyse: --bogus: no such option", 0},
      {"velmora-predict", data + " --system NOSUCH", 2,
       "velmora-predict: --system: AirMail's data folder has no system \"NOSUCH\"", 0},
      {"velmora-predict", "--data " + Quoted(empty) + " --system HAM", 2,
       "velmora-predict: --data: no AirMail station file", 0},
      {"velmora-predict", data + " --system HAM --mode 6 --station W1AW --itshfbc " + Quoted(empty), 1,
       "Propagation Model REC533 not found.\n\nPlease check", 3},
      // A mistyped position was taken as far as it read as a number: 12-5 as 12.
      {"velmora-predict", data + " --system HAM --lat 12-5 --lon 3 --itshfbc " + Quoted(empty), 2,
       "velmora-predict: --lat: 12-5 is no number", 0},
      // A settings file that could not be read was passed over: the defaults predicted, exit 0.
      {"velmora-predict", data + " --system HAM --settings " + Quoted(hugeSettings), 2,
       "velmora-predict: --settings: cannot read \"" + hugeSettings.string() + "\": File too large", 0},
      // A settings file of another kind (AirMail's own) was taken without a word for Velmora's defaults.
      {"velmora-predict", data + " --system HAM --mode 6 --station W1AW --itshfbc " + Quoted(empty) +
           " --settings " + Quoted(testing::FixturePath("data") / "Airmail.ini"), 1,
       "velmora-predict: the settings file \"" + (testing::FixturePath("data") / "Airmail.ini").string() +
           "\" holds no \"Airmail Data\" values; Velmora's defaults are used\n", 4},
      // A station named twice (in any case) was predicted twice: its rows twice in the table.
      {"velmora-predict", data + " --system HAM --mode 6 --station W1AW --station w1aw --itshfbc " + Quoted(empty), 2,
       "velmora-predict: --station: w1aw is named twice", 0},
      // A station not in AirMail's file once printed its message and exited 0.
      {"velmora-predict", data + " --system HAM --mode 6 --station NOSUCH --itshfbc " + Quoted(empty), 1,
       "Unable to find AirMail's Frequency List, NOSUCH in \"System.HAM.ini\".", 3},
      // velmora-airmail refuses a folder without AirMail's data with 2.
      {"velmora-airmail", "--data " + Quoted(empty), 2,
       "SystemListGet, Unable to get AirMail System data.\n\nPlease check that the AirMail's Data Folder \"" +
           empty.string() + "\" is correct.\n",
       3},
      {"velmora-history", "--log a --from 2026-02-30", 2,
       "velmora-history: --from: 2026-02-30 is no date of the form YYYY-MM-DD", 0},
      {"velmora-history", "--occupancy a --log b", 2, "velmora-history: --occupancy: one file must follow", 1},
      {"velmora-history", "--occupancy " + Quoted(folder.path()), 1, "velmora-history: StationOccupancyGet - ", 1},
      // A mistyped folder once listed an empty record and exited 0.
      {"velmora-history", "--occupancy " + Quoted(folder.path() / "none" / "StationOccupancyData.txt"), 1,
       "velmora-history: StationOccupancyGet - Open, ", 1},
      // A log in a folder that is not there: the reason, then the log named on a line of its own.
      {"velmora-history", "--airmail " + Quoted(folder.path() / "none" / "Debug.log"), 1,
       "\n\"" + (folder.path() / "none" / "Debug.log").string() + "\" could not be read.", 2},
      // Fresh seeds belong to the fading sweep: the steady one would run without them and say nothing.
      {"velmora-signalgen", "--sweep-digital --fresh-seeds 3", 2,
       "velmora-signalgen: --fresh-seeds: only for --sweep-digital through a fading channel", 0},
      {"velmora-signalgen", "--sweep-digital --channel good --fresh-seeds 0.5", 2,
       "velmora-signalgen: --fresh-seeds: 0.5 is not a whole number from 1 to 100", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tool + " " + c.arguments);
    const ToolRun run = RunTool(c.tool, c.arguments);
    EXPECT_EQ(run.status, c.status) << run.errors;
    ASSERT_FALSE(run.errorLines.empty());
    EXPECT_NE(run.errors.find(c.says), std::string::npos) << run.errors;
    if (c.lines == 0) {
      EXPECT_EQ(run.errorLines.at(1).rfind("usage: " + c.tool, 0), 0u) << run.errors;
    } else {
      EXPECT_EQ(run.errorLines.size(), c.lines) << run.errors;
    }
    // Only a prediction that fails has written its heading first.
    EXPECT_EQ(run.out.empty(), c.tool != "velmora-predict" || c.status == 2) << run.out;
  }
}

// A report cut by a full disk once ended in exit status 0: a script took
// the cut file for the whole.
TEST(ToolArguments, AnOutputThatCannotBeWrittenFailsTheRun) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to stand for a full disk";
  const std::string data = "--data " + Quoted(testing::FixturePath("data"));
  const struct { std::string tool, arguments; int status; } cases[] = {
      {"velmora-analyse", Quoted(fs::path(VELMORA_SOURCE_DIR) / "analysis" / "demo" / "Demo Pactor 3.bin"), 2},
      {"velmora-history", "--log " + Quoted(testing::FixturePath("data") / "none.txt"), 1},
      {"velmora-airmail", data, 2},
      {"velmora-signalgen", "--help", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tool);
    const ToolRun run = RunTool(c.tool, c.arguments, "", 0, "/dev/full");
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.errors.find(c.tool + ": the output could not be written whole"), std::string::npos) << run.errors;
  }
}

// Asked how to use it, each tool once refused "--help" as no such option
// (exit 2): now it prints its usage on standard output and succeeds.
TEST(ToolArguments, HelpPrintsTheUsageAndSucceeds) {
  for (const std::string tool :
       {"velmora-analyse", "velmora-predict", "velmora-history", "velmora-airmail", "velmora-signalgen"}) {
    for (const char* ask : {"--help", "-h", "--log x --help"}) {
      SCOPED_TRACE(tool + " " + ask);
      const ToolRun run = RunTool(tool, ask);
      EXPECT_EQ(run.status, 0) << run.errors;
      EXPECT_EQ(run.errors, "");
      EXPECT_EQ(run.out.rfind("usage: " + tool + " ", 0), 0u) << run.out;
    }
  }
}

// What the fixture holds, as the program reads it, is "listing.txt" beside
// it ({DATA} stands for the data folder).
TEST(VelmoraAirmail, ListsTheFixtureInstallationLineByLine) {
  auto data = testing::FixturePath("data");
  auto run =
      RunTool("velmora-airmail", "--data " + Quoted(data) + " --program " + Quoted(testing::FixturePath("program")));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "");
  auto expected = SplitLines(testing::ReadBytes(testing::FixturePath("listing.txt")));
  for (auto& line : expected)
    if (auto at = line.find("{DATA}"); at != std::string::npos) line.replace(at, 6, data.string());
  EXPECT_EQ(run.lines, expected);
}

// A station file that could not be opened was told in the listing, which
// lacked its stations, and the run exited 0.
TEST(VelmoraAirmail, AStationFileThatCannotBeReadFailsTheRun) {
  testing::TempFolder folder;
  fs::copy(testing::FixturePath("data"), folder.path());
  fs::create_symlink(folder.path() / "gone", folder.path() / "System.BAD.ini");
  auto run = RunTool("velmora-airmail", "--data " + Quoted(folder.path()));
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("message,StationGetListAll - Open"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("station,HAM,"), std::string::npos) << "the other systems still listed";
}

TEST(VelmoraHistory, PrintsTheSummaryAndTheTable) {
  testing::TempFolder folder;
  auto log = folder.path() / "Debug.log";
  testing::WriteBytes(log, "01/05/2026 10:00:00 Connected to WLO, Pactor 3\r\n"
                           "10:02:05 Disconnected from WLO\r\n"
                           "01/07/2026 10:00:00 No answer from KPH\r\n");
  const auto run = RunTool("velmora-history", "--airmail '" + log.string() + "' --to 2026-01-06");
  EXPECT_EQ(run.status, 0) << run.errors;
  // The summary's lines themselves: HistorySummaryTest.
  EXPECT_EQ(run.lines.at(0), "Time:               01/05/26 to 01/05/26") << "the 7th is past --to";
  EXPECT_TRUE(run.out.ends_with("\n\nStation,Records,Percent\n\"WLO, Pactor 3\",1,100%\n")) << run.out;
  // A log misnamed, or looked for in another folder, once gave a summary of
  // nothing without a word: still a summary of nothing, but said so.
  const auto none = RunTool("velmora-history", "--log " + Quoted(folder.path() / "AutoConectLog.txt"));
  EXPECT_EQ(none.status, 0) << none.errors;
  EXPECT_EQ(none.errors, "velmora-history: there is no log \"" + (folder.path() / "AutoConectLog.txt").string() +
                             "\" (none written yet): a summary of nothing\n");
}

// The record as the file keeps it, a station's frequencies in the order of
// their kHz; a line that does not read is named, and the rest is printed.
TEST(VelmoraHistory, PrintsTheOccupancyRecordAsCsv) {
  testing::TempFolder folder;
  auto file = folder.path() / "StationOccupancyData.txt";
  testing::WriteBytes(file, "System,Station,Frequency,Hour,Heard(Sec),Busy(Sec),Last Heard\r\n"
                            "HAM,W1AW,14075.0,7,3600.0,2700.0,2026-01-05\r\n"
                            "HAM,W1AW,7102.0,23,90.0,0.0,2026-01-05\r\n"
                            "HAM,W1AW,7102.0,x,90.0,0.0,2026-01-05\r\n");
  const auto run = RunTool("velmora-history", "--occupancy " + Quoted(file));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "velmora-history: StationOccupancyGet - Read, Type mismatch in line 4: "
                        "\"HAM,W1AW,7102.0,x,90.0,0.0,2026-01-05\"\n");
  EXPECT_EQ(run.out,
            "System,Station,Frequency,Hour,Minutes Heard,Busy Percent\n"
            "HAM,W1AW,7102.0,23,1.5,0\n"
            "HAM,W1AW,14075.0,7,60.0,75\n");
}

// --modem once left --channel out: the modem came through unfaded. A
// constant-envelope FSK's power per 0.2 s swings by more than 10 dB only
// through a fading channel, named or given by its paths, delay and spread;
// a channel that is neither is refused.
TEST(VelmoraSignalgen, AModemPassesTheFadingChannel) {
  testing::TempFolder folder;
  for (const char* bad : {"2:1.5", "4:1:1", "2:1:1:", "2:1:-1", "bad"}) {
    const auto run = RunTool("velmora-signalgen", "--modem fsk-s1 --out x.bin --channel " + std::string(bad));
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_EQ(run.errorLines.at(0), "velmora-signalgen: --channel: " + std::string(bad) +
                                        " is none of static, good, moderate, poor, flutter, or PATHS:DELAY_MS:SPREAD_HZ");
  }
  for (const auto& [channel, fades] : {std::pair{"static", false}, {"poor", true}, {"2:2:1", true}}) {
    const auto file = folder.path() / "modem.bin";
    const auto run = RunTool("velmora-signalgen", "--modem fsk-s1 --no-noise --seconds 10 --out " +
                                                               Quoted(file) + " --channel " + channel);
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string b = testing::ReadBytes(file);
    std::vector<double> power(b.size() / 4410);
    for (size_t i = 0; i < power.size() * 4410; i += 2)
      power[i / 4410] += std::pow(std::int16_t(std::uint8_t(b[i]) | std::uint8_t(b[i + 1]) << 8), 2);
    EXPECT_EQ(std::ranges::max(power) > 10 * std::ranges::min(power), fades) << channel;
  }
}

// A sound card's clock 1 % fast takes a second's 1000 cycles in 1 % more
// samples (the tone 1 % lower), and its DC offset moves them all.
TEST(VelmoraSignalgen, AClockOffNominalAndADcOffset) {
  testing::TempFolder folder;
  const auto file = folder.path() / "cw.bin";
  const auto run = RunTool("velmora-signalgen", "--form cw --center 1000 --no-noise --seconds 1 --clock 1 --dc 300 "
                                                "--out " + Quoted(file));
  ASSERT_EQ(run.status, 0) << run.errors;
  const std::string b = testing::ReadBytes(file);
  std::vector<double> x(b.size() / 2);
  for (size_t i = 0; i < x.size(); ++i) x[i] = std::int16_t(std::uint8_t(b[2 * i]) | std::uint8_t(b[2 * i + 1]) << 8);
  EXPECT_EQ(x.size(), 11135u);
  const double mean = std::accumulate(x.begin(), x.end(), 0.0) / double(x.size());
  EXPECT_NEAR(mean, 300, 5);
  int crossings = 0;
  for (size_t i = 1; i < x.size(); ++i) crossings += (x[i - 1] < mean) != (x[i] < mean);
  EXPECT_NEAR(crossings, 2000, 2);
}

// Natively the Windows program runs through Wine, in the prefix the tests use.
TEST(VelmoraPredict, ThroughWineWithTheRealVoacap) {
  fs::path source = fs::path(VELMORA_SOURCE_DIR) / ".." / "shared" / "itshfbc";
  if (!fs::exists(source / "bin_win" / "voacapw.exe")) GTEST_SKIP() << "no VOACAP in ../shared/itshfbc";
  if (!std::getenv("WINEPREFIX") || std::system("command -v wine >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "no Wine prefix to run it in (WINEPREFIX)";
  testing::TempFolder folder;
  fs::copy(source, folder.path() / "itshfbc", fs::copy_options::recursive);
  auto run = RunTool("velmora-predict", "--data " + Quoted(testing::FixturePath("data")) +
                     " --system SAILMAIL --mode 6 --station WPE --station WLO --model 2 --time 2024-05-14T14:45 "
                     "--itshfbc " + Quoted(folder.path() / "itshfbc"));
  EXPECT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.lines.size(), 1u + 4 + 3) << run.errors;  // WPE's four frequencies, then WLO's three
  EXPECT_EQ(run.lines[0].rfind("station,range_nmi,", 0), 0u) << "the heading";
  for (size_t i = 1; i < run.lines.size(); ++i) {
    EXPECT_EQ(run.lines[i].rfind(i <= 4 ? "WPE," : "WLO,", 0), 0u) << run.lines[i];
    EXPECT_EQ(std::count(run.lines[i].begin(), run.lines[i].end(), ','), 15) << run.lines[i];
    EXPECT_EQ(run.lines[i].find(",,,,"), std::string::npos) << "predicted: " << run.lines[i];
  }
  // The deck of the last run stays: the year asked for, not the clock's.
  EXPECT_NE(testing::ReadBytes(folder.path() / "itshfbc" / "run" / "sound.dat").find("\r\nMONTH      2024    5\r\n"),
            std::string::npos);
}

// A station offset file that could not be read was told on standard error,
// and the table went out without its offsets behind exit 0.
TEST(VelmoraPredict, AnOffsetFileThatCannotBeReadFailsTheRun) {
  testing::TempFolder folder;
  testing::StandInProgram program{folder.path() / "itshfbc"};
  program.output = testing::PropagationFixture("voacap-14-15.out");
  testing::WriteBytes(folder.path() / "Velmora.Ini", "[Airmail Data]\r\nPropagation Model Model=2\r\n");
  testing::WriteBytes(folder.path() / "StationOffsetData.txt", "System,Station\r\nHAM,W1AW,14075.0,x\r\n");
  PredictOptions options{.data = testing::FixturePath("data").string(), .system = "HAM", .stations = {"W1AW"},
                         .mode = 6, .ship = LatLon{10, 10}, .model = {}, .time = UtcDateTime{2024, 5, 14, 14, 45, 0, 0},
                         .settings = (folder.path() / "Velmora.Ini").string(), .itshfbc = {}};
  std::ostringstream out, err;
  EXPECT_EQ(PredictRun(options, {program, (folder.path() / "itshfbc").string(), 5, {}}, out, err), kPredictFailed);
  EXPECT_EQ(err.str().rfind("StationOffsetGet - Read, ", 0), 0u) << err.str();
  EXPECT_EQ(SplitLines(out.str()).size(), 1u + 3) << "the table as far as it was filled";
}

struct AnalyseTool : ::testing::Test {
  testing::TempFolder folder;

  std::string Write(const std::string& name, const signalgen::SignalRecipe& recipe) {
    const auto file = folder.path() / name;
    std::error_code error;
    EXPECT_TRUE(signalgen::WriteRecording(file, signalgen::Generate(recipe).samples, false, error));
    return file.string();
  }
  std::string WriteText(const std::string& name, const std::string& text) {
    testing::WriteBytes(folder.path() / name, text);
    return (folder.path() / name).string();
  }
};

using signalgen::Form;

// A settings file's detector keys and sample size, one line per whole
// buffer, then the statistics.
TEST_F(AnalyseTool, OneLinePerBufferThenTheStatistics) {
  // Pactor 2 without pauses, 44100 samples: 10 whole buffers of 4096.
  const auto file = Write("p2.bin", {.form = Form::Pactor2, .offset = -20, .seconds = 4, .rhythm = {.cycle = 0}});
  const std::string settings = WriteText("offsets.ini",
                                         "[Detector Data]\r\nOffset Frequency Range=100\r\nOffset Frequency Step=20\r\n"
                                         "[Display Data]\r\nSample Size=4096\r\n");
  const ToolRun r = RunTool("velmora-analyse", "--settings \"" + settings + "\" \"" + file + "\"");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(r.errorLines.empty());
  ASSERT_GE(r.lines.size(), 13u);
  for (int b = 1; b <= 10; ++b) {
    const auto f = SplitRecord(r.lines[b]);
    ASSERT_EQ(f.size(), 10u) << r.lines[b];
    EXPECT_EQ(f[3] + f[4] + f[5], "110") << r.lines[b];  // valid, busy, no noise
    EXPECT_EQ(f[6], "Pactor 2; -20") << "the label's comma replaced";
  }
  EXPECT_EQ(r.lines[12], "Power:");
  EXPECT_EQ(r.lines[13], "Count 10, Hits 10");
  EXPECT_EQ(r.lines.back(), "Count 0, Hits 0");
}

// "Digital Busy" from a settings file adds the Digital statistics block
// (every key read: MainSettingsTest); a file with nothing to use is said to
// be one, and the built-in values are used.
TEST_F(AnalyseTool, TheSettingsFileTakenOrSaidToHoldNothingToUse) {
  const std::string file = Write("p2.bin", {.form = Form::Pactor2, .seconds = 1, .rhythm = {.cycle = 0}});
  const std::string on = WriteText("on.ini", "[Detector Data]\r\nDigital Busy=True\r\n");
  const std::string other = WriteText("other.ini", "[Airmail Data]\r\nWindow Visible=True\r\n");
  for (const auto& [settings, warning] : {std::pair{on, std::string()},
                                          {other, "velmora-analyse: the settings file \"" + other +
                                                      "\" holds no \"Detector Data\" or \"Display Data\" values; "
                                                      "the built-in ones are used\n"}}) {
    const ToolRun r = RunTool("velmora-analyse", "--settings \"" + settings + "\" \"" + file + "\"");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.errors, warning);
    EXPECT_EQ(SplitRecord(r.lines.at(1))[6], "Pactor 2");
    EXPECT_EQ(std::ranges::count(r.lines, "Digital:"), settings == on ? 1 : 0);
  }
}

// 48 MB of recording through a tool allowed 40 MB: it holds one buffer at a
// time, as playback does, not the whole recording.
TEST_F(AnalyseTool, ARecordingLargerThanItsMemoryIsReadBufferByBuffer) {
  const ToolRun r = RunTool("velmora-analyse", "--sample-size 32768 -", "head -c 50331648 /dev/zero", 40000);
  ASSERT_EQ(r.status, 0) << (r.errorLines.empty() ? "" : r.errorLines[0]);
  ASSERT_GE(r.lines.size(), 770u);
  EXPECT_EQ(SplitRecord(r.lines[768])[0], "768");
  EXPECT_EQ(r.lines[769], "");
}

}  // namespace
}  // namespace velmora
