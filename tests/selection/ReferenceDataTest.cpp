// Reference and no-connect data: the fit, the files written, read back and
// refused, what they keep of the table and tell of themselves, and the
// reference lookup.
#include "selection/ReferenceData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>

#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextFileLines.h"
#include "selection/NoConnectData.h"
#include "selection/ReferenceFigures.h"
#include "selection/ReferenceLookup.h"
#include "selection/TableColumns.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

using Cells = std::map<int, std::string>;

const UtcDateTime kSaved{2005, 3, 14, 18, 30, 0, 0};
const DataConditions kConditions{kSaved, "HAM", {41.5, -71.25}, 112.5f};
const std::string kNoConnectHead = "2005-03-14 18:30:00,5\r\nHAM,41.5,-71.25,112.5\r\nheading\r\n";

struct DataRig : testing::SelectionRig {
  explicit DataRig(int mode) : SelectionRig(mode) {}
  int Add(const Cells& cells) {
    int row = table.RowAdd();
    for (const auto& [column, text] : cells) {
      if (table.Column(column).checkBoxes) table.CheckCellSet(row, column, text, true);
      else table.CellSet(row, column, text);
    }
    return row;
  }
  std::filesystem::path Write(std::string_view name, std::string_view text) {
    testing::WriteBytes(program / name, text);
    return program / name;
  }
};

using testing::RefFile;
using testing::RefLine;

Cells Measured(std::string station, std::string frequency, std::string ref, std::string snr) {
  return {{kColumnStation, station}, {kColumnFrequency, frequency}, {kColumnRef, ref}, {kColumnSnr, snr}};
}

TEST(ReferenceFit, ErrorsAboutTheirMeanPerStationAndTheRmsOverStations) {
  DataRig rig(kModeReferenceData);
  // A: errors 6 and 4, mean 5, RMS 1; its rows without Ref or Snr are not
  // taken. B: errors 10, 6, 2, mean 6, RMS sqrt(32 / 3). C: nothing measured.
  struct Case { Cells row; std::string fitErr, fitRms; } cases[] = {
      {Measured("A", "7000.0", "10", "4.0"), "6", "1.0"},  {Measured("A", "10000.0", "12", "8.0"), "4", "1.0"},
      {Measured("A", "14000.0", "5", ""), "", "1.0"},       {Measured("A", "18000.0", "", "7.0"), "", "1.0"},
      {Measured("B", "7000.0", "20", "10.0"), "10", "3.3"}, {Measured("B", "10000.0", "20", "14.0"), "6", "3.3"},
      {Measured("B", "14000.0", "20", "18.0"), "2", "3.3"}, {Measured("C", "7000.0", "", "9.0"), "", "0.0"},
  };
  for (const auto& c : cases) rig.Add(c.row);
  FitSummary fit = ReferenceFitStations(rig.table);
  for (int row = 1; row < rig.table.Rows(); ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(rig.table.CellGet(row, kColumnFitErr), cases[row - 1].fitErr);
    EXPECT_EQ(rig.table.CellGet(row, kColumnFitRms), cases[row - 1].fitRms);
  }
  // A station without a measured row stays out of the fit, rather than
  // spreading a division by zero ("NaN") over every figure.
  EXPECT_EQ(fit.matched, 5);
  EXPECT_EQ(fit.stations, 2);
  EXPECT_NEAR(fit.rms, std::sqrt((1 + 32.0 / 3) / 2), 1e-9);
}

TEST(ReferenceFigures, TooFewBuffersGiveNoFigureAQuietLevelOfNothingOrBelowZero) {
  struct Case { double busySum; int busy; double quietSum; int quiet; std::optional<double> snr; } cases[] = {
      {440, 4, 20, 2, 10},                   // busy mean 110, quiet 10
      {40, 4, 0, 0, std::nullopt},           // no quiet buffer
      {30, 3, 10, 1, std::nullopt},          // too few busy buffers
      {20, 4, 10, 1, 0},                     // busy below quiet
      {-120, 4, -20, 1, 0},                  // a quiet level of 0 dB or below: no ratio of levels
  };
  for (const auto& c : cases) EXPECT_EQ(ReferenceAirmailSnr(c.busySum, c.busy, c.quietSum, c.quiet), c.snr);
  EXPECT_EQ(ReferenceMean(12, 0), 0);
}

// Whatever a cell can hold comes back from a save as it was shown, or the
// save refuses it before writing; a measured cell that is no number is not
// known and comes back empty, as does a ship's position not known.
TEST(DataFiles, WhatASaveWritesARecallReadsBackOrTheSaveRefuses) {
  const std::vector<std::string> texts = {"W1AW",     "a,b",       "\"quoted\"", "\"",    "\"a\" b",
                                          "  blanks  ", "NaN",      "Infinity",   "-Infinity", "-12.5",
                                          std::string(5000, 'y')};
  // An odd text in the first row's Station cell, and the message after the
  // operation's name (empty: every text comes back).
  struct Case { std::string odd, refused; } cases[] = {{"", ""}, {"a\r\nb", "Row 1, Station holds a line break"}};
  const DataConditions unknown{kSaved, "A,\"B\"", {NAN, NAN}, NAN};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refused);
    DataRig measured(kModeReferenceStations);
    DataRig failed(kModeNoConnectData);
    // Each text in every column, a row per shift of them.
    for (size_t shift = 0; shift < (c.odd.empty() ? texts.size() : 1); ++shift) {
      Cells cells;
      for (int column = 0; column < kColumnCount; ++column) cells[column] = texts[(shift + column) % texts.size()];
      if (shift == 0 && !c.odd.empty()) cells[kColumnStation] = c.odd;
      measured.Add(cells);
      failed.Add(cells);
    }
    // A no-connect row keeps its colours, boxes and alignment too.
    failed.table.CheckSet(1, kColumnRxCheck, false);
    failed.table.CellColorSet(1, kColumnTxConnect, failed.colors[kReasonSameFrequency]);
    failed.table.CellSet(1, kColumnRange, "120", CellAlign::Right);
    auto reference = ReferenceStationSave(measured.table, measured.program, unknown, measured.messages);
    auto noConnect = NoConnectSave(failed.table, failed.program, unknown, kModeMultipleStations, failed.messages);
    if (!c.refused.empty()) {
      EXPECT_FALSE(reference || noConnect);
      EXPECT_EQ(measured.messages.Texts(), std::vector<std::string>{"ReferenceStationSave, " + c.refused});
      EXPECT_EQ(failed.messages.Texts(), std::vector<std::string>{"NoConnectSave, " + c.refused});
      EXPECT_FALSE(std::filesystem::exists(measured.program / "Data" / "2005-03-14 183000.ref"));
      continue;
    }
    ASSERT_TRUE(reference && noConnect);
    DataRig rig(kModeReferenceData);
    auto recall = ReferenceDataRecall(rig.table, *reference, 0, rig.messages);
    ASSERT_TRUE(recall) << rig.messages.Texts().at(0);
    EXPECT_EQ(recall->conditions.system, unknown.system);
    EXPECT_EQ(DataTimeText(recall->conditions.time), "2005-03-14 18:30:00");
    EXPECT_FALSE(ShipKnown(recall->conditions) || std::isfinite(recall->conditions.sunSpotNumber));
    DataRig again(kModeNoConnectData);
    auto recalled = NoConnectDataRecall(again.table, *noConnect, again.messages);
    ASSERT_TRUE(recalled);
    EXPECT_EQ(recalled->mode, kModeMultipleStations);
    ASSERT_EQ(rig.table.Rows(), measured.table.Rows());
    for (int row = 1; row < rig.table.Rows(); ++row) {
      for (int column = 0; column < kColumnCount; ++column) {
        SCOPED_TRACE(::testing::Message() << "row " << row << ", column " << column);
        EXPECT_EQ(again.table.CellAt(row, column), failed.table.CellAt(row, column));
        if (column == kColumnRef || column == kColumnFitErr || column == kColumnFitRms) continue;  // worked out
        std::string shown = measured.table.CellGet(row, column);
        bool unknownMeasure = (column == kColumnRxPwr || column == kColumnRxSnr) && !FieldNumber(shown);
        EXPECT_EQ(rig.table.CellGet(row, column), unknownMeasure ? "" : shown);
      }
    }
  }
}

// A row record of every column: these cells given, the others empty, left
// aligned, white and without a box.
std::string NoConnectRow(const std::map<int, std::string>& cells, std::string_view other = ",1,FFFFFF,0",
                         int columns = kColumnCount) {
  return RefLine(cells, columns, other);
}

// Both kinds of file read field by field: a malformed number or cell, a line
// that is no row of the table (it would cost a whole row of it) or a file
// past the size of any a save writes (refused unread) leaves the table as it
// was; fields past the table's columns and older forms are read, and a cell
// recalled without a box shows none (state 0, in a check-box column too).
TEST(DataFiles, MalformedFieldsAndLinesThatAreNoRowRefusedOlderFormsRead) {
  const std::string good = RefLine(Measured("W1AW", "7000.0", "12", "5.0"));
  // A frequency without a box (state 0) in a check-box column, and a box checked with no text beside it.
  const std::string row = NoConnectRow({{kColumnStation, "W1AW,4,FFFFFF,0"}, {kColumnRxCheck, "7102.0,1,FFFFFF,0"},
                                        {kColumnTxConnect, ",1,80FF80,2"}});
  const std::string refused = "ReferenceDataRecall - Read, Type mismatch in line ";
  const std::string mismatch = "NoConnectDataRecall Type mismatch in line 4";
  auto nct = [](const std::string& rows) { return kNoConnectHead + rows; };
  // Whether a no-connect file, its text, the message's start (empty: recalled), and what else to look at.
  enum Look { kNothingMore, kNoBoxSavedSo, kOlderBoxUnchecked };
  struct Case { bool noConnect; std::string text, message; Look look = kNothingMore; } cases[] = {
      {false, RefFile({good}), ""},
      {false, RefFile({RefLine(Measured("W1AW", "7000.0", "12", "5.0"), kColumnCount + 5)}), ""},
      {false, RefFile({good}, "HAM,4l.5,-71.25,112.5"), refused + "2"},
      {false, RefFile({good}, "HAM,41.5,-71.25,1e39"), refused + "2"},  // no single
      {false, RefFile({good}, "HAM,95,-71.25,112.5"), refused + "2"},    // no place on earth
      {false, RefFile({good}, "HAM,41.5,-251.25,112.5"), refused + "2"},
      {false, RefFile({good, RefLine({{kColumnStation, "W1AW"}, {kColumnRxSnr, "1O"}})}), refused + "5"},
      {false, RefFile({RefLine(Measured("W1AW", "7000.0", "12", "5.0"), kColumnsSaved - 1)}), refused + "4"},
      // Saved before the table had its "Busy" columns.
      {false, RefFile({RefLine(Measured("W1AW", "7000.0", "12", "5.0"), kColumnsSaved)}), ""},
      {false, RefFile({good}) + std::string(kDataFileLimit, '\n'), "ReferenceDataRecall - Read, File too large"},
      {true, nct(row), "", kNoBoxSavedSo},
      {true, nct(row.substr(0, row.size() - 2) + ",extra,1,0,0,past,1,0,0\r\n"), ""},
      // Older files mark cells without a box -1.
      {true, nct(NoConnectRow({{kColumnStation, "W1AW,1,FFFFFF,-1"}, {kColumnTxConnect, "7102.0,1,FFFFFF,1"}},
                              ",0,FFFFFF,-1")), "", kOlderBoxUnchecked},
      {true, nct(NoConnectRow({{kColumnStation, "W1AW,4,FFFFFF,0"}}, ",1,FFFFFF,0", kColumnsSaved)), ""},
      {true, nct("W1AW,4,FFFFFF,0,7102.0,1,80FF80,2\r\n"), mismatch},  // two cells: no row of the table
      {true, nct(NoConnectRow({{kColumnStation, "W1AW,4,FFFFFG,0"}})), mismatch},
      {true, nct(NoConnectRow({{kColumnStation, "W1AW,9999999999999999999,FFFFFF,0"}})), mismatch},  // no long long
      {true, nct(NoConnectRow({{kColumnStation, "W1AW,4,FFFFFF,3"}})), mismatch},
      {true, nct(std::string(kDataFileLimit, '\n')), "NoConnectDataRecall File too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 200));
    DataRig rig(c.noConnect ? kModeNoConnectData : kModeReferenceData);
    rig.Add(Measured("OLD", "1.0", "", ""));
    const auto file = rig.Write("x", c.text);
    bool recalled = c.noConnect ? NoConnectDataRecall(rig.table, file, rig.messages).has_value()
                                : ReferenceDataRecall(rig.table, file, 0, rig.messages).has_value();
    EXPECT_EQ(recalled, c.message.empty());
    EXPECT_EQ(rig.table.Columns(), kColumnCount);
    EXPECT_EQ(rig.table.Rows(), 2);
    EXPECT_EQ(rig.table.CellGet(1, kColumnStation), recalled ? "W1AW" : "OLD");  // else the table as it was
    if (!recalled) {
      EXPECT_TRUE(rig.messages.Texts().at(0).starts_with(c.message)) << rig.messages.Texts().at(0);
    }
    if (c.look == kNoBoxSavedSo) {  // no box shown, none to click, and saved so again
      EXPECT_FALSE(rig.table.HasCheckBox(1, kColumnRxCheck));
      EXPECT_EQ(rig.table.CellGet(1, kColumnRxCheck), "7102.0");
      EXPECT_TRUE(rig.table.CheckGet(1, kColumnTxConnect));
      ASSERT_EQ(NoConnectDataWrite(rig.table, file, kConditions, kModeNoConnectData), "");
      DataRig again(kModeNoConnectData);
      ASSERT_TRUE(NoConnectDataRecall(again.table, file, again.messages));
      EXPECT_FALSE(again.table.HasCheckBox(1, kColumnRxCheck));
      EXPECT_TRUE(again.table.HasCheckBox(1, kColumnTxConnect));
    }
    if (c.look == kOlderBoxUnchecked) {
      EXPECT_EQ(rig.table.CellGet(1, kColumnTxConnect), "7102.0");
      EXPECT_FALSE(rig.table.CheckGet(1, kColumnTxConnect));
    }
  }
  DataRig rig(kModeReferenceData);
  EXPECT_FALSE(ReferenceDataRecall(rig.table, rig.program / "none.ref", 0, rig.messages));
  EXPECT_FALSE(NoConnectDataRecall(rig.table, rig.program / "none.nct", rig.messages));
  EXPECT_EQ(rig.messages.entries.at(0).text.rfind("ReferenceDataRecall - Open, ", 0), 0u);
  // The file selected long before, gone since, is named: the reason alone does not say which.
  EXPECT_TRUE(rig.messages.entries.at(0).text.ends_with("\r" + NotReadText(rig.program / "none.ref") + "."));
  EXPECT_TRUE(rig.messages.entries.at(1).text.ends_with("\r" + NotReadText(rig.program / "none.nct") + "."));
}

TEST(ReferenceLookup, TheMostSimilarMeasurementWithinTheLimits) {
  DataRig rig(kModeMultipleStations);
  auto w1aw = *rig.geometry.StationPosition("HAM", "W1AW");
  auto kx1 = *rig.geometry.StationPosition("HAM", "KX1");
  double kx1Range = LatLonGetRange(w1aw, kx1);
  auto file = rig.Write("r.ref", RefFile({RefLine(Measured("W1AW", "7000.0", "10", "")),
                                          RefLine(Measured("W1AW", "10000.0(p3)", "20", "")),
                                          RefLine(Measured("W1AW", "14000.0", "", "")),
                                          RefLine(Measured("KX1", "10000.0", "40", ""))}));
  auto lookup = ReferenceLookup::Load(file, rig.messages);
  ASSERT_TRUE(lookup);
  struct Case {
    double frequency, range, frequencyLimit, rangeLimit;
    std::string station;
    double at, level, error;
  } cases[] = {
      // The ship at W1AW: its range 0 gives no range error, never "NaN".
      {10000, 0, 20, 50, "W1AW", 10000, 20, 0},
      // Between two of a station's frequencies: interpolated, at the nearer.
      {9500, 0, 20, 50, "W1AW", 10000, 18.33333333, std::sqrt(std::pow(500 / 2000.0, 2) / 2)},
      // Both limits 0: every row scores 0 and the first wins, even over a
      // level interpolated later.
      {10000, kx1Range, 0, 0, "W1AW", 7000, 10, 0}, {8000, kx1Range, 0, 0, "W1AW", 7000, 10, 0},
      // A row kept unmeasured beside measured ones ("Ref" empty) measured
      // nothing: no level of 0 to interpolate towards.
      {13000, 0, 20, 0, "W1AW", 10000, 20, std::sqrt(1.5 * 1.5 / 2)},
      // At KX1's range with a tight range limit, KX1 wins (W1AW, at range
      // 0, has no share to match against); without it W1AW.
      {10000, kx1Range, 20, 1, "KX1", 10000, 40, 0}, {10000, kx1Range, 20, 0, "W1AW", 10000, 20, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.frequency);
    auto match = lookup->Get(w1aw, c.frequency, c.range, c.frequencyLimit, c.rangeLimit, rig.geometry);
    ASSERT_TRUE(match);
    EXPECT_EQ(match->station, c.station);
    EXPECT_EQ(match->frequency, c.at);
    EXPECT_NEAR(match->level, c.level, 1e-6);
    EXPECT_NEAR(match->error, c.error, 1e-9);
  }
  EXPECT_FALSE(ReferenceLookup::Load({}, rig.messages));
  EXPECT_EQ(rig.messages.entries.back().text, "No Reference Data has been Selected.");
  // The file selected long before, gone since, is named: the reason alone does not say which.
  std::filesystem::remove(file);
  EXPECT_FALSE(ReferenceLookup::Load(file, rig.messages));
  EXPECT_EQ(rig.messages.entries.back().text.rfind("ReferenceDataGetReference, ", 0), 0u);
  EXPECT_TRUE(rig.messages.entries.back().text.ends_with("\r" + NotReadText(file) + "."))
      << rig.messages.entries.back().text;
}

TEST(ReferenceData, EveryFileListedWithItsFitRecomputedBesideTheOriginal) {
  DataRig rig(kModeReferenceData);
  std::filesystem::create_directories(rig.program / "Data");
  auto row = [](const char* kHz, const char* rxSnr) {
    return RefLine({{kColumnStation, "W1AW"}, {kColumnFrequency, kHz}, {kColumnRxSnr, rxSnr}, {kColumnSnr, "10.0"}});
  };
  for (auto name : {"2005-03-14 183000.ref", "2005-03-15 090000.ref"})
    rig.Write(std::string("Data/") + name, RefFile({row("7000.0", "20"), row("10000.0", "14")}));
  rig.predictions.snr = [](const std::string&, double kHz) { return kHz / 1000; };  // errors 13 and 4
  rig.settings.referenceDataRecompute = rig.settings.referenceDataRecomputeDifference = true;
  rig.settings.propagationModelTimeShift = 5;
  // An unreadable file is left out and told once, and again once changed
  // (the list is built again at every rebuild of the window's table).
  const auto bad = rig.Write("Data/2005-03-16 000000.ref", "no date\r\n");
  ReferenceFilesTold told;
  ReferenceList list;
  for (int build = 0; build < 3; ++build) {
    if (build == 2)
      std::filesystem::last_write_time(bad, std::filesystem::last_write_time(bad) + std::chrono::hours(1));
    list = ReferenceListBuild(rig.program, rig.settings, rig.Rows(), &told);
  }
  EXPECT_EQ(rig.messages.entries.size(), 2u);
  // Predicted for the moment measured, as mode 4's fit: the time shift moves the present only.
  ASSERT_FALSE(rig.predictions.requests.empty());
  EXPECT_EQ(DataTimeText(rig.predictions.requests.back().time), "2005-03-14 18:30:00");
  EXPECT_EQ(list.allFiles.stations, 2);
  EXPECT_EQ(ReferenceListTable(list, rig.settings),
            (std::vector<Record>{{"File", "# Stn", "# Freq", "Fit Rms", "Original", "Delta"},
                                 {"2005-03-14 183000", "1", "2", "4.5", "3.0", "1.5"},
                                 {"2005-03-15 090000", "1", "2", "4.5", "3.0", "1.5"}}));
}

// The whole table's round trip: DataFiles' test; a file kept and selected
// for mode 5: ConfigureTest, and AutoConnectWindowTest under Wine. A failed
// save is told and gives no file; a file kept in a folder named in the
// user's own letters is found again by the name the settings keep of it.
TEST(NoConnectData, AFailedSaveGivesNoFileAndAKeptFileIsFoundByTheNameKept) {
  for (bool fails : {true, false}) {
    DataRig rig(kModeNoConnectData), again(kModeNoConnectData);
    if (fails) rig.Write("Data", "a file where the folder should be");
    else rig.program = rig.folder.path() / std::filesystem::path(u8"Jörg Ø");
    rig.Add(Measured("W1AW", "7000.0", "", ""));
    auto file = NoConnectSave(rig.table, rig.program, kConditions, kModeMultipleStations, rig.messages);
    ASSERT_EQ(file.has_value(), !fails);
    const std::string kept = file ? PathText(*file) : "";
    EXPECT_EQ(NoConnectDataRecall(again.table, kept, again.messages).has_value(), !fails);
    EXPECT_EQ(rig.messages.Texts().size() == 1 && rig.messages.Texts()[0].starts_with("NoConnectSave, "), fails);
    if (fails) {
      EXPECT_NE(rig.messages.Texts()[0].find(NotWrittenText(DataFileName(rig.program, kConditions.time,
                                                                         kNoConnectExtension))),
                std::string::npos);
    }
  }
}

// "Rx Pwr" as the reference with a silent S-meter: "Ref" stays empty where
// "Rx Snr" was measured; such rows are saved, and a table with no measured
// row is refused, never saved as headings alone.
TEST(ReferenceKept, EveryMeasuredRowIsSavedAndATableWithoutOneIsRefused) {
  // Rows saved: the measured row and its neighbour of the same station, not
  // the neighbour of another station.
  struct Case { const char *pwr, *snr, *ref; size_t rows; } cases[] = {
      {"", "12", "", 2}, {"-80", "", "", 2}, {"", "", "14", 2}, {"", "", "", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pwr) + "/" + c.snr + "/" + c.ref);
    DataRig rig(kModeReferenceStations);
    rig.Add({{kColumnStation, "KX1"}, {kColumnFrequency, "7000.0"}});
    rig.Add({{kColumnStation, "W1AW"}, {kColumnFrequency, "7000.0"}, {kColumnRxPwr, c.pwr}, {kColumnRxSnr, c.snr},
             {kColumnRef, c.ref}});
    rig.Add({{kColumnStation, "W1AW"}, {kColumnFrequency, "10000.0"}});
    auto file = ReferenceStationSave(rig.table, rig.program, kConditions, rig.messages);
    ASSERT_EQ(file.has_value(), c.rows > 0);
    if (!file) {
      EXPECT_EQ(rig.messages.Texts(), std::vector<std::string>{kReferenceNothingMeasured});
      EXPECT_FALSE(std::filesystem::exists(rig.program / "Data" / "2005-03-14 183000.ref"));
      continue;
    }
    EXPECT_EQ(*file, rig.program / "Data" / "2005-03-14 183000.ref");
    EXPECT_EQ(SplitLines(testing::ReadBytes(*file)).size(), 3 + c.rows);
    // Recalled with either measure as the reference.
    for (int reference : {0, 1}) {
      DataRig recalled(kModeReferenceData);
      ASSERT_TRUE(ReferenceDataRecall(recalled.table, *file, reference, recalled.messages));
      EXPECT_EQ(recalled.table.CellGet(1, kColumnRef), reference == 0 ? c.snr : c.pwr);
    }
  }
}

}  // namespace
}  // namespace velmora
