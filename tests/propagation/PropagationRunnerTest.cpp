// Prediction runs through a stand-in program on real files: the stages and
// their messages, blocks of ten, interpolation and the cache (the progress of
// a fill: the ModelPredictions tests in PropagationViewsTest).
#include <gtest/gtest.h>

#include "common/SystemLib.h"
#include "propagation/PropagationRunner.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"
#include "tests/propagation/StandInProgram.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

using testing::PropagationFixture;

// A stand-in to run, installed in a folder of its own.
struct RunSetup {
  RunSetup() { program.output = PropagationFixture("voacap-14-15.out"); }
  bool RunNow(int model, UtcDateTime when, std::span<const float> frequencies, PredictionNow& result) {
    return PropagationRunner(program, messages, {temp.path().string(), 2024, 5, &cache})
        .PropagationRunNow(model, when, circuit, frequencies, parameters, result);
  }

  testing::TempFolder temp;
  testing::StandInProgram program{temp.path()};
  RecordingMessenger messages;
  ModelOutputCache cache;
  Circuit circuit{{30.51, -86.97}, {48.12, -123.43}};
  PropagationParameters parameters;
  const float ten[10] = {6300, 8400, 12700, 16800, 22400, 2000, 3000, 4000, 5000, 7000};
  const std::vector<float> eleven{6300, 8400, 12700, 16800, 22400, 2000, 3000, 4000, 5000, 7000, 14105.5f};
};

class Runs : public ::testing::Test, protected RunSetup {};

// A file that the system cannot start is met under Wine (Win32ModelProgram).
TEST_F(Runs, EachFailingStageSaysSoOnTheSecondAttemptOnly) {
  const std::string notFound =
      " not found.\r\n\r\nPlease check that ITS HF propagation prediction software has been installed.";
  // How the one message starts, and the starts over both attempts; and
// nothing kept of a failed run.
  // namesDeck: the deck that could not be written is named ("Open No such file or directory" says not where).
  const struct { std::string name; std::function<void(RunSetup&)> arrange; int model; std::string message;
                 size_t starts; bool namesDeck = false; } cases[] = {
      {"no such model", [](RunSetup&) {}, 7, "Propagation Model 7" + notFound, 0},
      {"not started", [](RunSetup& r) { r.program.starts = false; }, 1, "Unable to execute ICEPACW program.\r", 2},
      {"not finished", [](RunSetup& r) { r.program.finishes = false; }, 2,
       "PropagationIcepacVoacap, Shell do not finish.", 2},
      {"short output",
       [](RunSetup& r) { r.program.output = r.program.output->substr(0, r.program.output->find("SNRxx")); }, 2,
       "PropagationIcepacVoacap, Input, The output ends before \"SNRxx\" of hour 1.", 2},
      {"output larger than any run's",
       [](RunSetup& r) { *r.program.output += std::string(kModelOutputLimit, '\n'); }, 2,
       "PropagationIcepacVoacap, Input, " + std::make_error_code(std::errc::file_too_large).message(), 2},
      {"REC533 empty output", [](RunSetup& r) { r.program.output = ""; }, 3,
       "PropagationRec533, Input The output ends before \"AZIMUTHS\".", 2},
      {"no run folder", [](RunSetup& r) { fs::remove_all(r.temp.path() / "RUN"); }, 2, "PropagationIcepacVoacap, Open ",
       0, true},
      // An old output that stays could be read as this run's.
      {"old output held", [](RunSetup& r) { fs::create_directories(r.temp.path() / "RUN" / "sound.out" / "held"); }, 2,
       "PropagationIcepacVoacap, Output Unable to delete \"", 0},
  };
  for (const auto& c : cases) {
    RunSetup r;
    c.arrange(r);
    PredictionNow result;
    result.muf = 1;
    EXPECT_FALSE(r.RunNow(c.model, {2024, 5, 14, 14, 0}, r.ten, result)) << c.name;
    ASSERT_EQ(r.messages.entries.size(), 1u) << c.name;
    EXPECT_TRUE(r.messages.entries[0].text.starts_with(c.message)) << c.name << ": " << r.messages.entries[0].text;
    const std::string deck = NotWrittenText(r.temp.path() / "RUN" / "sound.dat");
    if (c.namesDeck) {
      EXPECT_TRUE(r.messages.entries[0].text.ends_with("\r" + deck + ".")) << r.messages.entries[0].text;
    }
    EXPECT_EQ(r.program.commandLines.size(), c.starts) << c.name;
    EXPECT_EQ(result.muf, 1) << c.name << ": untouched on failure";
    // A failed run is not kept: the same deck later in the hour starts again.
    EXPECT_FALSE(r.RunNow(c.model, {2024, 5, 14, 14, 50}, r.ten, result)) << c.name;
    EXPECT_EQ(r.program.commandLines.size(), 2 * c.starts) << c.name;
  }
}

TEST_F(Runs, AJointRunMayWriteAsMuchAsItsBlocksWouldAlone) {
  *program.output += std::string(kModelOutputLimit * 3 / 4, '\n');  // each block's pages padded
  PredictionNow result;
  ASSERT_TRUE(RunNow(2, {2024, 5, 14, 14, 0}, eleven, result)) << ::testing::PrintToString(messages.Texts());
  EXPECT_EQ(program.decks.size(), 1u) << "the joint output is read, not refused for its size";
  EXPECT_EQ(program.waits, std::vector<double>{5}) << "one block's time: a hung program holds the windows no longer";
}

TEST_F(Runs, AJointRunThatFailsOrCannotBeCutUpKeepsNothingAndItsBlocksRunAlone) {
  PredictionNow joint;
  ASSERT_TRUE(RunNow(2, {2024, 5, 14, 14, 0}, eleven, joint));
  const std::pair<const char*, void (*)(testing::StandInProgram&)> cases[] = {
      {"not finished", [](testing::StandInProgram& p) { p.jointFinishes = false; }},
      {"one block's output", [](testing::StandInProgram& p) { p.joins = false; }},
  };

  for (const auto& [name, arrange] : cases) {
    RunSetup r;
    arrange(r.program);
    PredictionNow alone;
    ASSERT_TRUE(r.RunNow(2, {2024, 5, 14, 14, 0}, eleven, alone)) << name;
    EXPECT_EQ(r.program.decks.size(), 3u) << name << ": the joint run, then each block";
    EXPECT_TRUE(r.messages.entries.empty()) << name;
    EXPECT_EQ(alone, joint) << name;

  }
}

// A fill whose program never finishes, or whose deck cannot be written (a
// full disk, a folder where the user may not write): said once, and the
// stations after it are not run, each of which would hold the windows and
// say the same; the next fill tries again.
TEST_F(Runs, AFillRunsNothingMoreAfterABlockFailedTwice) {
  // starts: the program's starts over both fills.
  const struct { const char* name; std::function<void(RunSetup&)> arrange; size_t starts; } cases[] = {
      {"not finished", [](RunSetup& r) { r.program.finishes = false; }, 4},
      {"no deck written", [](RunSetup& r) { fs::remove_all(r.temp.path() / "RUN"); }, 0},
      {"old output held", [](RunSetup& r) { fs::create_directories(r.temp.path() / "RUN" / "sound.out" / "held"); },
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RunSetup r;
    c.arrange(r);
    PropagationRunner runner(r.program, r.messages, {r.temp.path().string(), 2024, 5, &r.cache});
    PredictionNow result;
    for (int stations : {3, 1}) {
      runner.StationsBegin(stations);
      for (int i = 0; i < stations; ++i)
        EXPECT_FALSE(runner.PropagationRunNow(2, {2024, 5, 14, 14, 0}, r.circuit, r.ten, r.parameters, result));
      runner.StationsEnd();
    }
    EXPECT_EQ(r.messages.entries.size(), 2u) << "one in each fill";
    EXPECT_EQ(r.program.commandLines.size(), c.starts);
  }
}

// A fill's blocks in runs of at most the limit, one failing block named
// alone: RealVoacapTest, through the real program.
TEST_F(Runs, TheDefaultFolderAndItsCommandLines) {
  PropagationRunner runner(program, messages);
  EXPECT_EQ(runner.CommandLine(3), "c:\\itshfbc\\bin_win\\rec533w.exe c:\\itshfbc sound.dat sound.out");
  PropagationRunner other(program, messages, {"d:\\Radio Tools\\itshfbc\\"});
  EXPECT_EQ(other.CommandLine(2),
            "\"d:\\Radio Tools\\itshfbc\\bin_win\\voacapw.exe\" \"d:\\Radio Tools\\itshfbc\" sound.dat sound.out");
}

TEST_F(Runs, AtAQuarterToTheHourThreeQuartersOfTheWayToTheNext) {
  program.output = PropagationFixture("icepac-12-13.out");
  const float three[] = {7100, 10100, 14100};
  PredictionNow now;
  ASSERT_TRUE(RunNow(1, {2024, 5, 14, 12, 45}, three, now));
  EXPECT_EQ(now.luf, 8250 + (9750 - 8250) * 0.75);
  EXPECT_EQ(now.muf, 20500 + (22000 - 20500) * 0.75);
  EXPECT_DOUBLE_EQ(now.transmitterAzimuth, 312.9);
  // 10.1 MHz: the second hour's mode without its first character, every value 3/4 of the way.
  EXPECT_EQ(now.frequencies[1], (FrequencyPrediction{" 2F2", 9, 13.125, 408.75, -115, -163.5, 48.5, -6}));
  EXPECT_EQ(now.frequencies[2].takeoffAngle, 4 * 0.75) << "\"-\" at 12 h is no angle";
}

}  // namespace
}  // namespace velmora
