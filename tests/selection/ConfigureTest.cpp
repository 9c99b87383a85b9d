// Rebuilding the table per mode over the AirMail fixture, with the window,
// terminal and predictions faked.
#include "selection/Configure.h"

#include <gtest/gtest.h>

#include "common/Format.h"
#include "common/SystemLib.h"
#include "selection/DataModeTables.h"
#include "selection/NoConnectData.h"
#include "selection/TableColumns.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

struct ConfigureRig : testing::SelectionRig {
  std::vector<std::string> stateWhilePredicting;
  explicit ConfigureRig(int mode) {
    window.fields = [mode](AutoConnectSettings& s) { s.modeIndex = static_cast<std::int16_t>(mode); };
    predictions.onRequest = [this] { stateWhilePredicting.push_back(window.State()); };
  }
  std::vector<std::string> Stations() const {
    std::vector<std::string> stations;
    for (int row = 1; row < table.Rows(); ++row) {
      auto s = table.CellGet(row, kColumnStation);
      if (stations.empty() || stations.back() != s) stations.push_back(s);
    }
    return stations;
  }
};

TEST(Configure, CurrentFrequencyTakesSystemAndStationFromTheTerminal) {
  struct Case { TerminalReading terminal; int systemIndex; std::string stationName; };
  const Case cases[] = {{{"HAM", "KX1", "7101.0"}, 0, "KX1"}, {{"SAILMAIL", "WLO", "6318.5"}, 1, "Mobile, AL"}};
  for (const auto& c : cases) {
    ConfigureRig rig(kModeCurrentFrequency);
    rig.terminal.reading = c.terminal;
    auto configuration = rig.Configuration();
    configuration.Configure();
    EXPECT_EQ(rig.window.lists[SelectionListId::ConnectSystem].selected, c.systemIndex) << "of HAM, SAILMAIL";
    auto& stations = rig.window.lists[SelectionListId::ConnectStation];
    EXPECT_EQ(stations.entries.at(static_cast<size_t>(stations.selected)), c.stationName);
    EXPECT_EQ(configuration.CurrentStation(), c.terminal.station);
    EXPECT_EQ(rig.Stations(), std::vector<std::string>{c.terminal.station});
    EXPECT_EQ(rig.stateWhilePredicting, std::vector<std::string>{""}) << "mode 0 shows no \"Working\"";
    EXPECT_EQ(rig.dependents.resets, 1);
  }
}

// Mode 1 here on the one station AirMail's list holds: its best frequency,
// alone in its group of the station's list.
TEST(Configure, OneSelectedStationIsChosenFromAsInMode1EvenInMode2) {
  for (int mode : {kModeMultipleFrequencies, kModeMultipleStations}) {
    ConfigureRig rig(mode);
    auto file = rig.data.File("System.HAM.ini");
    auto text = testing::ReadBytes(file);
    text.replace(text.find("Selected=W1AW,KX1"), 17, "Selected=KX1");
    testing::WriteBytes(file, text);
    rig.settings.autoSelectAllStations = false;
    rig.settings.autoSelectRangeMax = 50;  // KX1 lies 90 nmi away: the range counts for a list of stations only
    rig.predictions.snr = [](const std::string&, double kHz) { return kHz > 10000 ? 60 : 52; };
    rig.Configuration().Configure();
    EXPECT_EQ(rig.TxColumn(), std::vector<std::string>{"18105.0(p3)"}) << "mode " << mode;
    EXPECT_TRUE(rig.messages.entries.empty()) << "mode " << mode << ": " << rig.messages.Texts()[0];
  }
}

// A station file listed but too large to read is told alone, with no word
// of AutoSelect's requirements after it.
TEST(Configure, MultipleStationsPredictsTheStationsInRange) {
  struct Case { float rangeMax; std::vector<std::string> predicted; bool unreadable = false; };
  const Case cases[] = {{1500, {"W1", "W1AW", "KX1", "VE2AFQ", "K4CJX"}}, {500, {"W1", "W1AW", "KX1", "VE2AFQ"}},
                        {1500, {}, true}};
  for (const auto& c : cases) {
    ConfigureRig rig(kModeMultipleStations);
    if (c.unreadable) testing::WriteBytes(rig.data.File("System.HAM.ini"), std::string(17 << 20, ';'));
    rig.settings.autoSelectRangeMax = c.rangeMax;
    rig.settings.stationStations = false;
    rig.Configuration().Configure();
    std::vector<std::string> predicted;
    for (const auto& request : rig.predictions.requests) predicted.push_back(request.station);
    EXPECT_EQ(predicted, c.predicted) << "nearest first, within " << c.rangeMax << " nmi";
    EXPECT_EQ(rig.stateWhilePredicting, std::vector<std::string>(c.predicted.size(), "Working"));
    EXPECT_EQ(rig.table.DataRows() > 0, !c.unreadable);  // cut to the limit: AutoSelectAllStations' test
    // The fixture's two faults, a locator too short and a frequency mistyped
    // (their texts: the AirMail and window tests).
    EXPECT_EQ(rig.messages.entries.size(), c.unreadable ? 1u : 2u);
    EXPECT_TRUE(rig.window.statuses.empty());
  }
}

// A prediction that fails (no ITS HF programs) ends the fill after its
// station, whose rows still pass the filter: the scan needs no prediction.
TEST(Configure, ScanStationsKeepsTheRowsItsPactorFilterLeaves) {
  for (bool fail : {false, true}) {
    ConfigureRig rig(kModeScanStations);
    rig.settings.scanStationPactorMode = 0;
    rig.predictions.fail = fail;
    rig.Configuration().Configure();
    EXPECT_EQ(rig.predictions.requests.size(), fail ? 1u : 5u);
    EXPECT_EQ(rig.table.DataRows() > 0, !fail) << "W1, the nearest, has no Pactor 3 frequency";
    for (int row = 1; row < rig.table.Rows(); ++row) {
      EXPECT_TRUE(rig.table.CheckGet(row, kColumnTxConnect));
      EXPECT_TRUE(rig.table.CenterFrequencyIsPactor3(row, kColumnP3)) << rig.table.CellGet(row, kColumnTxConnect);
    }
  }
}

TEST(Configure, WithoutAStationFileEveryModeShowsItsEmptyTableAfterTheMessageAndARunKeepsItsStatePanel) {
  for (int mode = 0; mode <= kModeScanStations; ++mode) {
    ConfigureRig rig(mode);
    for (const char* name : {"System.HAM.ini", "System.SAILMAIL.ini"}) std::filesystem::remove(rig.data.File(name));
    rig.settings.noConnectDataFile = "2024-03-10 233000.nct";
    rig.window.running = mode == kModeReferenceData;
    rig.Configuration().Configure();
    // The message's text: StationListsTest.
    bool usesAirmail = mode != kModeReferenceData && mode != kModeNoConnectData;
    EXPECT_EQ(rig.messages.entries.size(), usesAirmail ? 1u : 0u) << "mode " << mode;
    EXPECT_EQ(rig.table.Columns(), kColumnCount);
    EXPECT_EQ(rig.table.DataRows(), 0);
    EXPECT_EQ(rig.window.toolbarRefreshes, 1);
    EXPECT_TRUE(rig.predictions.requests.empty());
    EXPECT_EQ(rig.window.states.empty(), rig.window.running) << "a run in progress keeps its state panel";
  }
}

// Modes 3, 4 and 5 in turn: the reference stations measured (their cells
// written here by hand), saved, recalled and fitted, then kept as a failed
// run and recalled with fresh predictions.
TEST(Configure, ReferenceStationsAreSavedRecalledFittedAndKept) {
  ConfigureRig rig(kModeReferenceStations);
  DataModeTables tables(rig.settings, rig.Rows(), rig.clock);
  auto configure = [&](int mode) {
    rig.window.fields = [mode](AutoConnectSettings& s) { s.modeIndex = static_cast<std::int16_t>(mode); };
    rig.Configuration(&tables).Configure();
  };
  rig.settings.referenceStationAllStationsLimit = 2;
  rig.predictions.snr = [](const std::string&, double kHz) { return kHz / 1000; };
  configure(kModeReferenceStations);
  EXPECT_EQ(rig.Stations(), (std::vector<std::string>{"W1", "W1AW"})) << "the nearest two, as in mode 2";
  for (int row = 1; row < rig.table.Rows(); ++row) {
    rig.table.CellSet(row, kColumnRxSnr, "20");
    rig.table.CellSet(row, kColumnRef, "20");
  }
  const DataConditions measured{{2005, 3, 14, 18, 30, 0, 0}, "HAM", {41.5, -71.25}, 42.5f};
  auto saved = ReferenceStationSave(rig.table, rig.program, measured, rig.messages);
  ASSERT_TRUE(saved);
  int rows = rig.table.Rows();

  rig.settings.referenceDataFile = saved->string();
  configure(kModeReferenceData);
  EXPECT_EQ(rig.table.Rows(), rows);
  ASSERT_TRUE(tables.ReferenceRecalled());
  EXPECT_EQ(tables.FitShown().stations, 2);
  rig.predictions.snr = [](const std::string&, double) { return 10; };  // every error 10: RMS 0
  rig.settings.referenceDataRecompute = rig.settings.referenceDataRecomputeDifference = true;
  configure(kModeReferenceData);
  EXPECT_EQ(tables.FitRmsLabel(), "0.0 / " + FormatNumber(tables.ReferenceRecalled()->fit.rms, "0.0"));
  EXPECT_EQ(rig.predictions.requests.back().sunSpotNumber, 42.5f);
  EXPECT_EQ(DataTimeText(rig.predictions.requests.back().time), "2005-03-14 18:30:00") << "fitted at the time measured";

  auto failed = NoConnectSave(rig.table, rig.program, measured, rig.settings.modeIndex, rig.messages);
  ASSERT_TRUE(failed);
  rig.settings.noConnectDataFile = PathText(*failed);
  rig.settings.noConnectDataRecalculate = rig.settings.noConnectDataRecalculateDifference = true;
  size_t requests = rig.predictions.requests.size();
  rig.predictions.snr = [](const std::string&, double) { return 12; };
  configure(kModeNoConnectData);
  EXPECT_EQ(rig.table.Rows(), rows);
  ASSERT_TRUE(tables.NoConnectRecalled());
  EXPECT_EQ(rig.predictions.requests.size(), requests + 2) << "one per station";
  EXPECT_EQ(rig.predictions.requests.back().ship.longitude, -71.25);
  EXPECT_EQ(rig.table.CellGet(1, kColumnSnr), "12.0 / 10.0") << "the new figure, then the recalled one";
  for (const auto& text : rig.messages.Texts()) EXPECT_EQ(text.find("Recall"), std::string::npos) << text;

  // The program folder copied to another drive: the settings name the old folder's files.
  const std::string old = "D:\\Velmora\\Data\\";
  const size_t told = rig.messages.entries.size();
  rig.settings.referenceDataFile = old + saved->filename().string();
  rig.settings.noConnectDataFile = old + std::filesystem::path(rig.settings.noConnectDataFile).filename().string();
  configure(kModeReferenceData);
  EXPECT_TRUE(tables.ReferenceRecalled());
  configure(kModeNoConnectData);
  EXPECT_TRUE(tables.NoConnectRecalled());
  EXPECT_EQ(rig.messages.entries.size(), told) << ::testing::PrintToString(rig.messages.Texts());
}

}  // namespace
}  // namespace velmora
