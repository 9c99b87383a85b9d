// The tables of the propagation hours and details windows, with
// predictions that follow a rule; and the table fill over the prediction
// runner, with a stand-in program on real files: what one fill shares, its
// progress, and the kept outputs.
#include <gtest/gtest.h>

#include "selection/AirmailStationGeometry.h"
#include "selection/ModelPredictions.h"
#include "selection/PropagationDetails.h"
#include "selection/PropagationHoursTable.h"
#include "tests/propagation/StandInProgram.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

// The SNR of every hour is 40 + the hour, whatever the frequency.
class FakeDay final : public DayPredictionSource {
 public:
  std::vector<PredictionRequest> requests;
  std::optional<PropagationHours> PredictionDayGet(const PredictionRequest& request) override {
    requests.push_back(request);
    PropagationHours day;
    day.Reset(24, request.frequencies.size());
    day.transmitterAzimuth = 90;
    for (int hour = 0; hour < 24; ++hour)
      for (auto& f : day.hours[static_cast<size_t>(hour)].frequencies) f.snr = 40 + hour + 0.4;
    return day;
  }
};

struct HoursRig : testing::SelectionRig {
  FakeDay day;
  bool Fill(std::string_view station = "W1AW", std::string_view system = "HAM") {
    return PropagationHoursFill(table, settings, system, station, {2024, 3, 10, 23, 40, 0, 0},
                                {day, geometry, data, program, testing::TemplateWidth});
  }
  std::string Bold(int row) const {  // the hours whose cells are bold, as "2223000102..."
    std::string hours;
    for (int column = kHoursFirstColumn; column < kHoursFirstColumn + kHoursOfDay; ++column)
      if (table.CellAt(row, column).bold) hours += table.CellGet(0, column);
    return hours;
  }
};

TEST(PropagationHours, EachHoursSnrWithTheOffsetsOfItsHoursInBoldThePresentHourMarkedAndNoPositionNoRows) {
  HoursRig rig;
  testing::WriteBytes(rig.program / kStationOffsetDataFile,
                      std::string(kStationOffsetHeading) +
                          "\r\nHAM,W1AW,14080.0(p3),3,360,0,2200,0600\r\nHAM,W1AW,10140.0(p3) 7000.0,-2,360,0,1200,1300\r\n");
  ASSERT_TRUE(rig.Fill());
  ASSERT_EQ(rig.table.DataRows(), 3);
  EXPECT_EQ(rig.day.requests[0].frequencies, (std::vector<double>{14075, 14080, 10140}));
  EXPECT_EQ(rig.table.CellGet(1, kHoursFirstColumn + 7), "47");
  EXPECT_EQ(rig.Bold(1), "");
  EXPECT_EQ(rig.Bold(2), "00010203040506" "2223");
  EXPECT_EQ(rig.table.CellGet(2, kHoursFirstColumn + 23), "66.0") << "63 and the offset";
  EXPECT_EQ(rig.Bold(3), "1213");
  ASSERT_EQ(rig.messages.entries.size(), 1u) << "7000.0 is not W1AW's, told once, not once an hour";
  EXPECT_TRUE(rig.messages.Texts()[0].starts_with("Station's Offset Frequency 10140.0(p3) 7000.0 not found in HAM"));

  // The present hour's mark: PropagationWindowsTest on the real window, and
  // moved on by the hour timer: ChannelOccupancyWindowTest.
  struct Case { int row, column; std::string tip; } cases[] = {
      {0, kHoursFirstColumn, "Zulu Time (00), Current Hour"}, {0, kHoursFirstColumn + 5, "Zulu Time (05)"},
      {2, kHoursFirstColumn + 4, "Station Offset of 3.0 dB"}, {1, kHoursFirstColumn + 4, "Signal-to-Noise (dB)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PropagationHoursToolTip(rig.table, c.row, c.column, kHoursFirstColumn), c.tip) << c.row << "," << c.column;

  rig.settings.stationOffset = false;
  ASSERT_TRUE(rig.Fill());
  EXPECT_EQ(rig.Bold(2), "");

  // SAILMAIL records name a station by the name the user sees, quoted for
  // its comma, or by its call sign; a name of no station is told once, not
  // every hour.
  HoursRig sailmail;
  testing::WriteBytes(sailmail.program / kStationOffsetDataFile,
                      "SAILMAIL, \"Mobile, AL\" ,6318.5(p3),3,,,0,2400\r\nSAILMAIL,wlo,8420.5(p3),2\r\n"
                      "SAILMAIL,Nowhere,6318.5(p3),1\r\n");
  ASSERT_TRUE(sailmail.Fill("WLO", "SAILMAIL"));
  EXPECT_EQ(sailmail.Bold(1).size(), 48u) << "Mobile, AL's offset at every hour";
  EXPECT_EQ(sailmail.Bold(2).size(), 48u) << "WLO's";
  ASSERT_EQ(sailmail.messages.entries.size(), 1u);
  EXPECT_TRUE(sailmail.messages.Texts()[0].starts_with("Unable to find AirMail's Nowhere, HP2B in "));
  // A station without a position keeps its rows empty.
  HoursRig none;
  EXPECT_FALSE(none.Fill("N0LOC"));
  EXPECT_EQ(none.table.DataRows(), 1);
  EXPECT_EQ(none.table.CellGet(1, kHoursFirstColumn), "");
  EXPECT_TRUE(none.day.requests.empty());
}

// Off HAM every frequency stays checked: the details window with the real
// VOACAP (PropagationWindowsTest); the columns it adds: the column table's
// declaration.
TEST(PropagationDetails, OnHamTheStationsChoiceAndTheSettingsLeftAlone) {
  testing::SelectionRig rig;
  rig.predictions.snr = [](const std::string&, double kHz) { return kHz / 200; };
  rig.settings.stationStations = false;
  const AutoConnectSettings before = rig.settings;
  ASSERT_TRUE(UpdatePropagationDetails(rig.table, rig.settings, kModeMultipleFrequencies, "HAM", "W1AW",
                                       {2024, 3, 10, 12, 30, 0, 0},
                                       {rig.Rows(), rig.window, rig.clock, testing::TemplateWidth}));
  // Pactor 3 only, the best SNR, in frequency order.
  EXPECT_EQ(rig.TxColumn(), (std::vector<std::string>{"!10140.0(p3)", "!14075.0", "14080.0(p3)"}));
  EXPECT_EQ(rig.settings, before);
  const UtcDateTime& asked = rig.predictions.requests.at(0).time;
  EXPECT_EQ(std::pair(asked.hour, asked.minute), std::pair(12, 30)) << "to the minute, as the window shows it";
}

// Mode 2 over the fixture's SAILMAIL stations, all four in range, predicted
// by the runner through a stand-in for VOACAP.
struct RunnerRig : testing::SelectionRig {
  std::filesystem::path itshfbc = folder.path() / "itshfbc";
  testing::StandInProgram standIn{itshfbc};
  ModelOutputCache outputs;
  PredictionStatusPanel progress{window};
  PropagationRunner runner{standIn, messages, {itshfbc.string(), 2024, 5, &outputs, &progress}};
  ModelPredictions model{runner, data, settings};
  AirmailStationGeometry airmail{data};

  RunnerRig() {
    standIn.output = testing::ReadBytes(VELMORA_SOURCE_DIR "/tests/propagation/fixture/voacap-14-15.out");
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
