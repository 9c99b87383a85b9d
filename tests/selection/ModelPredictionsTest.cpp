// The table fill over the prediction runner, with a stand-in program on
// real files: what one fill shares, its progress, and the kept outputs.
#include "selection/ModelPredictions.h"

#include <gtest/gtest.h>

#include "selection/AirmailStationGeometry.h"
#include "tests/propagation/StandInProgram.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Mode 2 over the fixture's SAILMAIL stations, all four in range, predicted
// by the runner through a stand-in for VOACAP.
struct RunnerRig : testing::SelectionRig {
  fs::path itshfbc = folder.path() / "itshfbc";
  testing::StandInProgram standIn{itshfbc};
  ModelOutputCache outputs;
  PredictionStatusPanel progress{window};
  PropagationRunner runner{standIn, messages, {itshfbc.string(), 2024, 5, &outputs, &progress}};
  ModelPredictions model{runner, data, settings};
  AirmailStationGeometry airmail{data};

  RunnerRig() {
    for (auto sub : {"RUN", "bin_win"}) fs::create_directories(itshfbc / sub);
    testing::WriteBytes(itshfbc / "bin_win" / "voacapw.exe", "");
    standIn.output = testing::ReadBytes(fs::path(VELMORA_SOURCE_DIR) / "tests/propagation/fixture/voacap-14-15.out");
    settings.propagationModelModel = kModelVoacap;
    settings.autoSelectRangeMax = 20000;
    window.fields = [](AutoConnectSettings& s) {
      s.modeIndex = kModeMultipleStations;
      s.connectSystemIndex = 1;  // SAILMAIL
    };
    clock.now = {2024, 5, 14, 14, 20, 0, 0};
  }
  void Configure() {
    TableConfiguration(table, settings, {{model, airmail, data, program, colors}, clock, window, dependents,
                                         terminal, modeTables, testing::TemplateWidth})
        .Configure();
  }
};

// A recalled day is predicted with the sunspot number of its own.
TEST(ModelPredictions, AFillShowsItsProgressAndReadsTheSunspotNumberOnce) {
  RunnerRig rig;
  std::string ini = testing::ReadBytes(rig.data.File("Airmail.ini"));
  testing::WriteBytes(rig.data.File("Airmail.ini"), ini.replace(ini.find("SSN=112"), 7, "Flux=1"));
  rig.Configure();
  EXPECT_EQ(rig.window.statuses, (std::vector<std::string>{"Propagation, Station 1 of 4", "Propagation, Station 2 of 4",
                                                           "Propagation, Station 3 of 4", "Propagation, Station 4 of 4",
                                                           ""}));
  ASSERT_EQ(rig.standIn.decks.size(), 1u) << "the four stations in one run";
  EXPECT_EQ(testing::Occurrences(rig.standIn.decks[0], "\r\nSUNSPOT   170.0  3.0\r\n"), 4u);
  ASSERT_EQ(rig.messages.entries.size(), 1u) << "one fill, one message";
  EXPECT_TRUE(rig.messages.Texts()[0].starts_with("Unable to find AirMail's Propagation, SSN in \"Airmail.ini\"."));
  PredictionRequest recalled{"SAILMAIL", "WLO", {30.7, -88.1}, {41.5, -71.25}, rig.clock.now, {14100}, 42.5f};
  ASSERT_TRUE(rig.model.PredictionGet(recalled));
  ASSERT_EQ(rig.standIn.decks.size(), 2u);
  EXPECT_NE(rig.standIn.decks[1].find("\r\nSUNSPOT    42.5"), std::string::npos) << rig.standIn.decks[1];
}

TEST(ModelPredictions, AFillAgainWithinTheHourStartsNoProgram) {
  // Starts in all, after the step.
  struct Step { const char* what; int minute, hour; size_t starts; } steps[] = {
      {"the first fill", 20, 14, 1}, {"Refresh", 25, 14, 1}, {"the next hour", 0, 15, 2}};
  RunnerRig rig;
  for (const auto& step : steps) {
    rig.clock.now.hour = step.hour;
    rig.clock.now.minute = step.minute;
    rig.Configure();
    EXPECT_EQ(rig.standIn.commandLines.size(), step.starts) << step.what;
    EXPECT_GT(rig.table.DataRows(), 0) << step.what;
  }
  rig.window.fields = [](AutoConnectSettings& s) { s.modeIndex = kModeMultipleFrequencies; };
  rig.settings.connectStationIndex = 1;  // WLO of the SAILMAIL list, predicted in mode 2 already
  rig.Configure();
  EXPECT_EQ(rig.standIn.commandLines.size(), 2u) << "a mode change";
  EXPECT_TRUE(rig.messages.entries.empty()) << rig.messages.Texts()[0];
}

}  // namespace
}  // namespace velmora
