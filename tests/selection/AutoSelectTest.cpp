// AutoSelect's rules one by one, on the examples they were made for.
#include "selection/AutoSelect.h"

#include <gtest/gtest.h>

#include "airmail/StationRadioData.h"
#include "common/Format.h"
#include "selection/AirmailStationGeometry.h"
#include "selection/BusyShare.h"
#include "selection/NoiseSelect.h"
#include "selection/TableColumns.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

using Row = testing::TableRow;

TEST(AutoSelectSnr, TheHighestFrequencyCloseToTheBestOrTheTopNAreKept) {
  // The row coloured for the higher frequency's reason (0: none).
  struct Case { bool highest; int top; std::vector<Row> rows; std::vector<std::string> tx; int colouredRow; };
  const std::vector<Row> example = {{"K", "7102.0", 62}, {"K", "10145.5", 60}, {"K", "14105.5", 55}};
  const Case cases[] = {
      {true, 1, example, {"!7102.0", "10145.5", "!14105.5"}, 2},
      {false, 1, example, {"7102.0", "!10145.5", "!14105.5"}, 0},
      {true, 1, {{"K", "7102.0", 60}, {"K", "10145.5", 62}, {"K", "14105.5", 55}}, {"!7102.0", "10145.5", "!14105.5"}, 0},
      {true, 1, {{"K", "14105.5", 45}, {"K", "7102.0", 62}}, {"7102.0", "!14105.5"}, 0},  // below the threshold: out
      // Equal SNRs put the higher frequency first.
      {false, 2, {{"K", "3590.0", 51}, {"K", "7102.0", 60}, {"K", "10145.5", 58}, {"K", "14105.5", 60}},
       {"14105.5", "7102.0", "!10145.5", "!3590.0"}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.tx));
    testing::SelectionRig rig(kModeMultipleStations);
    rig.settings.autoSelectHighestFrequency = c.highest;
    rig.settings.autoSelectSnrTopFrequencies = c.top;
    rig.Add(c.rows);
    rig.Select().AutoSelectSnr(1, rig.table.DataRows());
    EXPECT_EQ(rig.TxColumn(), c.tx);
    for (int row = 1; row <= rig.table.DataRows(); ++row)
      EXPECT_EQ(rig.table.CellColor(row, kColumnTxConnect) == rig.colors[kReasonHigherFrequency], row == c.colouredRow)
          << "row " << row;
    EXPECT_EQ(rig.table.Columns(), kColumnCount) << "the ranking column is gone again";
  }
}

// W1AW's reference levels -5, 5 and 25 at 7, 10 and 14 MHz, and the
// station's three rows at W1AW's range.
void ReferenceLevels(testing::SelectionRig& rig, const std::string& station) {
  auto file = rig.program / "r.ref";
  auto line = [](std::string frequency, std::string level) {
    return testing::RefLine({{kColumnStation, "W1AW"}, {kColumnFrequency, frequency}, {kColumnRef, level}});
  };
  testing::WriteBytes(file, testing::RefFile({line("7000.0", "-5"), line("10000.0", "5"), line("14000.0", "25")},
                                             "HAM,41,-71,100"));
  rig.settings.referenceDataFile = file.string();
  rig.Add({{station, "7102.0", 0}, {station, "10145.5", 0}, {station, "14105.5", 0}});
  auto range = LatLonGetRange(*rig.geometry.ship, *rig.geometry.StationPosition("HAM", "W1AW"));
  for (int r = 1; r <= 3; ++r) rig.table.CellSet(r, kColumnRange, FormatNumber(range, "0"));
}

// The levels decide. No reference data to rank by (none selected, or a file
// that cannot be read) leaves the rows as they were, not cut to the first one
// listed. The best level's frequency left out before the top is counted, as
// usually busy at this hour or by an earlier rule (a HAM station's Pactor
// filter): the next best takes its place among the top.
TEST(AutoSelectReference, LevelsFromTheSelectedReferenceDataDecideAFrequencyLeftOutTakesNoPlace) {
  enum Setup { kLevels, kNoneSelected, kProgramMoved, kBusyAtThisHour, kLeftOutBefore };
  const struct { const char* name; Setup setup; std::vector<std::string> tx, told; } cases[] = {
      {"the levels decide", kLevels, {"!7102.0", "!10145.5", "14105.5"}, {}},
      {"none selected", kNoneSelected, {"7102.0", "10145.5", "14105.5"}, {"No Reference Data has been Selected."}},
      // The settings name the file as it was on the computer the program folder was copied from.
      {"the program folder moved", kProgramMoved, {"!7102.0", "!10145.5", "14105.5"}, {}},
      {"the best usually busy at this hour", kBusyAtThisHour, {"!7102.0", "10145.5", "!14105.5"}, {}},
      {"the best left out by an earlier rule", kLeftOutBefore, {"!7102.0", "10145.5", "!14105.5"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::SelectionRig rig(kModeMultipleFrequencies);
    if (c.setup == kNoneSelected) rig.Add({{"K", "7102.0", 60}, {"K", "10145.5", 60}, {"K", "14105.5", 60}});
    else ReferenceLevels(rig, c.setup < kBusyAtThisHour ? "K" : "W1AW");
    if (c.setup == kProgramMoved) {
      std::filesystem::create_directories(rig.program / "Data");
      std::filesystem::rename(rig.program / "r.ref", rig.program / "Data" / "r.ref");
      rig.settings.referenceDataFile = "D:\\Old Laptop\\Velmora\\Data\\r.ref";
    }
    rig.settings.autoSelectBusy = c.setup == kBusyAtThisHour;
    if (c.setup == kLeftOutBefore) rig.table.CheckSet(3, kColumnTxConnect, false);
    struct Heard final : OccupancySource {
      StationOccupancy record;
      OccupancyNow now{record, 14, OccupancyDayOf({2024, 3, 10, 14, 0, 0, 0}), 30};
      const OccupancyNow* OccupancyAtThisHour() override { return &now; }
    } heard;
    heard.record.Add({"HAM", "W1AW", "14105.5", 14}, 1800, 1700, heard.now.today, 30);
    StationRowsServices rows = rig.Rows();
    rows.occupancy = &heard;
    AutoSelect(rig.table, rig.settings, kModeMultipleFrequencies, "HAM", {rows, rig.window, rig.clock})
        .AutoSelectReference(1, 3);
    EXPECT_EQ(rig.TxColumn(), c.tx);
    EXPECT_EQ(rig.messages.Texts(), c.told);
    if (c.setup != kLevels) continue;
    EXPECT_EQ(rig.table.CellGet(3, kColumnRef), "25");
    EXPECT_EQ(rig.table.CellGet(3, kColumnRefStn), "W1AW");
    EXPECT_EQ(rig.table.CellGet(2, kColumnRef), "5");  // nearer 10000, whose row was read first
    EXPECT_FALSE(rig.table.CheckGet(1, kColumnRxCheck)) << "a level below 0";
  }
}

// Told once a fill, not at every row or station: a reference station whose
// locator is too short (ZZ9BAD), a radio data file that is missing.
TEST(AutoSelect, WhatCannotBeHadIsToldOnceAFill) {
  testing::SelectionRig rig(kModeMultipleStations);
  auto line = testing::RefLine({{kColumnStation, "ZZ9BAD"}, {kColumnFrequency, "7000.0"}, {kColumnRef, "5"}});
  testing::WriteBytes(rig.program / "r.ref", testing::RefFile({line}));
  rig.settings.referenceDataFile = (rig.program / "r.ref").string();
  rig.settings.stationStationsFile = 1;
  rig.Add({{"K", "7102.0", 0}, {"K", "10145.5", 0}, {"L", "7102.0", 0}});
  AirmailStationGeometry geometry(rig.data, rig.geometry.ship);
  AutoSelect select(rig.table, rig.settings, kModeMultipleStations, "HAM",
                    {{rig.predictions, geometry, rig.data, rig.program, rig.colors}, rig.window, rig.clock});
  for (auto [first, last] : {std::pair{1, 2}, std::pair{3, 3}}) {
    select.AutoSelectReference(first, last);
    select.MultipleRadioReduce(rig.table.CellGet(first, kColumnStation), first, last);
  }
  EXPECT_EQ(rig.messages.entries.size(), 2u) << "a grid square that is no place, a file that cannot be opened";
}

// Nothing selected is told and shown on the status line; with Tx Only the
// unchecked rows go in mode 2 and lose their Rx box in mode 1.
TEST(AutoSelectCheck, NothingLeftIsToldAndWithTxOnlyUncheckedRowsGoOrLoseTheirRxBox) {
  const struct { int mode; bool txOnly, firstTx; std::vector<std::string> tx; bool firstRx, selected; } cases[] = {
      {kModeMultipleStations, false, false, {"!7102.0", "!10145.5"}, true, false},
      {kModeMultipleFrequencies, true, true, {"!7102.0", "10145.5"}, false, true},
      {kModeMultipleStations, true, true, {"10145.5"}, true, true},
  };
  const std::string nothing =
      "Unable to select any of the listed connect frequencies given the current AutoSelect requirements.";
  for (const auto& c : cases) {
    testing::SelectionRig rig(c.mode);
    rig.settings.connectTxOnly = c.txOnly;
    rig.Add({{"K", "7102.0", 60}, {"K", "10145.5", 60}});
    for (int row = 1; row <= 2; ++row) rig.table.CheckSet(row, kColumnTxConnect, c.firstTx && row == 2);
    EXPECT_EQ(rig.Select().AutoSelectCheck(), c.selected) << "mode " << c.mode;
    EXPECT_EQ(rig.TxColumn(), c.tx);
    EXPECT_EQ(rig.table.CheckGet(1, kColumnRxCheck), c.firstRx) << "the first row's Rx box";
    using Texts = std::vector<std::string>;
    EXPECT_EQ(rig.messages.Texts(), c.selected ? Texts{} : Texts{nothing});
    EXPECT_EQ(rig.window.statuses, c.selected ? Texts{} : Texts{"AutoSelect, No Frequencies"});
    EXPECT_EQ(rig.window.activations, c.selected ? 0 : 1);
  }
}

TEST(AutoSelectAllStations, RowsTooFarBelowTheBestGoTheRestAreRankedAndCut) {
  testing::SelectionRig rig(kModeMultipleStations);
  rig.Add({{"A", "7102.0", 19}, {"B", "7102.0", 70}, {"C", "3590.0", 20}, {"D", "3590.0", 40}});
  auto select = rig.Select();
  select.AutoSelectAllStations(kColumnSnr, 50);
  EXPECT_EQ(rig.table.DataRows(), 3);
  EXPECT_EQ(rig.table.CellGet(1, kColumnStation), "B");
  EXPECT_EQ(rig.table.CellGet(3, kColumnStation), "C") << "20 stays, 19 goes";
  rig.settings.autoSelectAllStationsLimit = 2;
  select.AutoSelectAllStations(kColumnSnr, 50);
  EXPECT_EQ(rig.table.DataRows(), 2);
}

// Each station keeps its highest frequency, 2 dB below its best: ranked by
// SNR and cut to the limit, the table holds only a row left out, which is
// told as nothing selected.
TEST(AutoSelectStations, ACutThatLeavesNothingToCallIsTold) {
  testing::SelectionRig rig(kModeMultipleStations);
  rig.settings.stationStations = false;
  rig.settings.autoSelectAllStationsLimit = 1;
  rig.predictions.snr = [](const std::string&, double kHz) { return kHz < 14076 ? 70 : 68; };
  EXPECT_FALSE(rig.Select().AutoSelectStations({"W1AW", "KX1"}, *rig.geometry.ship));
  EXPECT_EQ(rig.TxColumn().size(), 1u);
  EXPECT_EQ(rig.window.statuses, std::vector<std::string>{"AutoSelect, No Frequencies"});
}

// Per station the two lowest figures; equal ones by higher SNR, then higher
// frequency (one block kept to its quietest: the AutoConnect window's noise
// step under Wine).
TEST(NoiseSelect, TheQuietestRowsOfEachBlockStay) {
  testing::SelectionRig rig(kModeMultipleStations);
  rig.Add({{"K", "7102.0", 50}, {"K", "10145.5", 55}, {"K", "14105.5", 55}, {"K", "18105.0", 50},
           {"L", "3590.0", 60}, {"L", "7104.0", 60}});
  const char* noise[] = {"30", "20", "20", "20", "41", "100"};
  for (int row = 1; row <= 6; ++row) rig.table.CellSet(row, kColumnNoise, noise[row - 1]);
  NoiseSelectByMode(rig.table, kModeMultipleStations, 2, rig.messages);
  EXPECT_EQ(rig.TxColumn(), (std::vector<std::string>{"14105.5", "10145.5", "!18105.0", "!7102.0", "3590.0", "7104.0"}));
  EXPECT_TRUE(rig.table.Redraw());
}

// A frequency one station lists for Pactor 3 and another not is shared all the same.
TEST(AutoSelectSameFrequency, SharedFrequenciesOfOtherStationsAreMarked) {
  for (bool txOnly : {false, true}) {
    testing::SelectionRig rig(kModeMultipleStations);
    rig.settings.connectTxOnly = txOnly;
    rig.Add({{"A", "7102.0", 60}, {"B", "7102.0(p3)", 60}, {"C", "3590.0", 60}});
    rig.Select().AutoSelectSameFrequency();
    Bgr shared = rig.colors[kReasonSameFrequency];
    EXPECT_EQ(rig.table.CellColor(1, kColumnTxConnect), shared);
    EXPECT_EQ(rig.table.CellColor(2, kColumnTxConnect), shared);
    EXPECT_EQ(rig.table.CellColor(2, kColumnRxCheck) == shared, !txOnly);
    EXPECT_NE(rig.table.CellColor(3, kColumnTxConnect), shared);
  }
}

TEST(AutoSelectPactor, TheModeFiltersOnlyAHamSystem) {
  const struct { std::string system, station; int pactorMode; std::vector<std::string> tx; } cases[] = {
      {"HAM", "W1AW", 1, {"14075.0", "!14080.0(p3)", "!10140.0(p3)"}},
      {"HAM", "W1AW", 0, {"!14075.0", "14080.0(p3)", "10140.0(p3)"}},
      {"HAM", "W1AW", 2, {"14075.0", "14080.0(p3)", "10140.0(p3)"}}, {"SAILMAIL", "HP1A", 0, {"8146.5", "12464.0"}},
  };
  for (const auto& c : cases) {
    testing::SelectionRig rig(kModeMultipleFrequencies);
    rig.settings.autoSelectSnr = false;
    rig.settings.stationStations = false;
    rig.settings.autoSelectPactorMode = c.pactorMode;
    auto select = rig.Select(c.system);
    EXPECT_TRUE(select.AutoSelectOneStation(c.station));
    EXPECT_EQ(rig.TxColumn(), c.tx) << c.system << " " << c.pactorMode;
  }
}

// By Velmora's own radio data file (AirMail's groups: the configuration's test).
TEST(MultipleRadioReduce, OnlyTheFrequenciesOfTheCheckedRowsTransceiverStay) {
  testing::SelectionRig rig(kModeMultipleFrequencies);
  std::filesystem::copy_file(testing::FixturePath("velmora") / kStationRadioDataFile,
                             rig.program / kStationRadioDataFile);
  rig.settings.stationStationsFile = 1;
  rig.Add({{"K4CJX", "3590.0", 1}, {"K4CJX", "7102.0(p3)", 1}, {"K4CJX", "10145.5", 1}, {"K4CJX", "14105.5(p3)", 1},
           {"K4CJX", "21105.0(p3)", 1}});
  for (int row = 1; row <= 5; ++row) rig.table.CheckSet(row, kColumnTxConnect, row == 3);
  int last = 5;
  rig.Select().MultipleRadioReduce("K4CJX", 1, last);
  EXPECT_EQ(rig.TxColumn(), (std::vector<std::string>{"10145.5", "!14105.5(p3)", "!21105.0(p3)"})) << "the second line";
  EXPECT_EQ(last, 3);
  EXPECT_EQ(rig.table.CellColor(1, kColumnStation), rig.colors[kReasonMultipleRadios]);
}

// A system "BIG" of stations S100, S101, ... around the ship, the first
// `selected` of them in AirMail's "Selected" list.
void BigSystemWrite(const testing::SelectionRig& rig, int selected, int stations = 60) {
  std::string info = "[Station Info]\r\n", frequencies = "[Frequency List]\r\n", keys;
  for (int i = 0; i < stations; ++i) {
    std::string key = "S" + std::to_string(100 + i);
    info += key + "=FN" + std::to_string(i % 10) + std::to_string(i / 10 % 10) + ":x\r\n";
    frequencies += key + "=7102\r\n";
    if (i < selected) keys += (i ? "," : "") + key;
  }
  testing::WriteBytes(rig.data.File("System.BIG.ini"),
                      info + "\r\n" + frequencies + "\r\n[Frequency Setup]\r\nSelected=" + keys + "\r\n");
}

// The nearest twenty or AirMail's whole selected list; a list past 20 is
// kept whole and in its order, and its stations in range past the limit are
// left out and named once, the first twenty by name: a box naming 800 of
// them grew past the screen, its caption and OK button out of reach.
TEST(AutoSelectStations, StationsInRangePastTheLimitAreLeftOutAndNamedOnce) {
  testing::SelectionRig rig(kModeMultipleStations);
  // 225 stations make a list of 1124 characters: none is cut at 1023.
  const struct { bool all; int selected; size_t size; } cases[] = {
      {true, 30, 20}, {false, 30, 30}, {false, 0, 20}, {false, 225, 225}};
  for (const auto& c : cases) {
    BigSystemWrite(rig, c.selected, std::max(c.selected, 60));
    rig.settings.autoSelectAllStations = c.all;
    auto set = AutoSelectStationSet(rig.data, "BIG", rig.settings, rig.geometry.ship);
    EXPECT_EQ(set.value_or(std::vector<std::string>{}).size(), c.size) << c.all << " " << c.selected;
  }
  const int limit = static_cast<int>(kAutoSelectStationLimit);
  for (int past : {3, 25}) {
    testing::SelectionRig many(kModeMultipleStations);
    BigSystemWrite(many, limit + past, limit + past);
    many.settings.autoSelectAllStations = false;
    auto set = AutoSelectStationSet(many.data, "BIG", many.settings, many.geometry.ship).value();
    set.insert(set.begin(), "S999");  // without a position it is passed over and takes no place
    many.Select("BIG").AutoSelectStations(set, *many.geometry.ship);
    ASSERT_EQ(many.predictions.requests.size(), kAutoSelectStationLimit);
    std::string named;
    for (int i = limit; i < limit + std::min(past, 20); ++i)
      named += (i > limit ? ", S" : "S") + std::to_string(100 + i);
    if (past > 20) named += " and " + std::to_string(past - 20) + " more";
    EXPECT_EQ(many.messages.Texts(), std::vector<std::string>{"AutoSelectStations, Predicted only the first " +
                                                              std::to_string(limit) + " of the " +
                                                              std::to_string(limit + past) +
                                                              " stations in range; left out: " + named + "."});
  }
}

}  // namespace
}  // namespace velmora
