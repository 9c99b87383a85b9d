// The occupancy record: its fading, its file (read, refused, bounded), the
// "Busy" column and AutoSelect's "Busy" rule, and the occupancy window's
// table (the rule in a whole run of the program: OccupancyRunTest).
#include <gtest/gtest.h>

#include <algorithm>

#include "selection/BusyShare.h"
#include "selection/FrequencyToolTip.h"
#include "selection/OccupancyHoursTable.h"
#include "selection/StationOccupancy.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora {
namespace {

using std::chrono::days;
using testing::ReadBytes;
using testing::WriteBytes;

const OccupancyDay kToday = OccupancyDayOf({2024, 3, 10, 23, 30, 0, 0});  // the rig's clock
const std::string kHeading = "System,Station,Frequency,Hour,Heard(Sec),Busy(Sec),Last Heard\r\n";

// A channel that changed its habits: what is heard now outweighs what was heard a month ago.
TEST(StationOccupancy, WhatIsHeardAddsToTheOldKnowledgeFadedToItsDayAndWhatFadedAwayIsForgotten) {
  // Heard and busy added today to 3600 s heard, all busy; it halves every
  // half-life, counted in whole days. A day ahead of today (the clock set
  // back) and a half-life of 0 (a hand-edited setting) fade nothing.
  struct Case { int ageDays; double halfLife, heard, busy, heardAfter, shareAfter; };
  const Case cases[] = {{0, 30, 3600, 0, 7200, 0.5}, {30, 30, 3600, 0, 5400, 1.0 / 3}, {60, 30, 1800, 1800, 2700, 1},
                        {-3, 30, 3600, 0, 7200, 0.5}, {10, 0, 3600, 0, 7200, 0.5}};
  for (const auto& c : cases) {
    StationOccupancy record;
    OccupancyKey key{"HAM", "W1AW", "14075.0", 14};
    record.Add(key, 3600, 3600, kToday - days(c.ageDays), c.halfLife);
    record.Add(key, c.heard, c.busy, kToday, c.halfLife);
    const OccupancyEntry* entry = record.Find(key);
    ASSERT_NE(entry, nullptr);
    EXPECT_DOUBLE_EQ(entry->heard, c.heardAfter) << c.ageDays;
    EXPECT_DOUBLE_EQ(entry->Share(), c.shareAfter) << c.ageDays;
    EXPECT_EQ(entry->lastHeard, std::max(kToday, kToday - days(c.ageDays))) << "the later of the two";
  }
  // What faded away is forgotten, and the newest kept within the bound.
  StationOccupancy record;
  record.Add({"HAM", "OLD", "7102.0", 0}, 60, 0, kToday - days(200), 30);   // 60 s / 2^6.7: under a second
  record.Add({"HAM", "KEPT", "7102.0", 0}, 60, 0, kToday - days(150), 30);  // 60 s / 2^5: nearly two
  // Of two heard the same day, one past the bound: the one heard less goes.
  record.Add({"HAM", "AAA", "7102.0", 0}, 3600, 0, kToday - days(10), 30);
  record.Add({"HAM", "ZZZ", "7102.0", 0}, 60, 0, kToday - days(10), 30);
  for (size_t i = 0; i + 1 < kOccupancyEntriesMost; ++i)
    record.Add({"HAM", "NEW" + std::to_string(i / 24), "7102.0", static_cast<int>(i % 24)}, 60, 0, kToday, 30);
  record.Bound(kToday, 30);
  EXPECT_EQ(record.All().size(), kOccupancyEntriesMost);
  EXPECT_EQ(record.Find({"HAM", "OLD", "7102.0", 0}), nullptr) << "faded away";
  EXPECT_EQ(record.Find({"HAM", "KEPT", "7102.0", 0}), nullptr) << "heard longest ago, beyond the bound";
  EXPECT_NE(record.Find({"HAM", "NEW0", "7102.0", 0}), nullptr);
  EXPECT_NE(record.Find({"HAM", "AAA", "7102.0", 0}), nullptr) << "an hour heard";
  EXPECT_EQ(record.Find({"HAM", "ZZZ", "7102.0", 0}), nullptr) << "a minute heard";
}

// AirMail's list came to mark the frequency Pactor 3 ("14080#"): what was
// heard on it is shown and kept under its new label, and so back.
TEST(StationOccupancy, AFrequencyMarkedPactor3SinceKeepsWhatWasHeardOnIt) {
  for (auto [before, after] : {std::pair{"14080.0", "14080.0(p3)"}, std::pair{"14080.0(p3)", "14080.0"}}) {
    StationOccupancy record;
    record.Add({"HAM", "W1AW", before, 5}, 3600, 1800, kToday, 30);
    auto shown = OccupancyNow{record, 5, kToday, 30}.At("HAM", "W1AW", after);
    ASSERT_TRUE(shown) << after;
    EXPECT_EQ(shown->Percent(), 50);
    record.Add({"HAM", "W1AW", after, 5}, 1200, 1200, kToday, 30);
    ASSERT_EQ(record.All().size(), 1u);
    EXPECT_EQ(record.All().begin()->first.frequency, after);
    EXPECT_DOUBLE_EQ(record.All().begin()->second.heard, 4800);
  }
}

TEST(StationOccupancyFile, AMalformedLineIsRefusedAndNothingElseIsLost) {
  const std::string good = "HAM,W1AW,14075.0,14,3600.0,2700.0,2024-03-01\r\n";
  // The first entry's seconds heard and share, read back from what was written.
  const struct { const char* name; std::string content; size_t entries; std::string problem;
                 double heard = 3600, share = 0.75; } cases[] = {
      {"no heading, LF ends", "HAM,W1AW,14075.0,14,3600.0,2700.0,2024-03-01\n", 1, ""},
      {"a heading saved with a byte order mark", "\xEF\xBB\xBF" + kHeading + good, 1, ""},
      {"an hour past 23", kHeading + "HAM,W1AW,14075.0,24,1,0,2024-03-01\r\n" + good, 1,
       "Read, Type mismatch in line 2: \"HAM,W1AW,14075.0,24,1,0,2024-03-01\""},
      {"a day that does not exist", kHeading + good + "HAM,W1AW,7102.0,3,1,0,2024-02-30\r\n", 1,
       "Read, Type mismatch in line 3: \"HAM,W1AW,7102.0,3,1,0,2024-02-30\""},
      {"no heading, a first line that does not read", "HAM,W1AW,7102.0,3,1,0,2024-02-30\r\n" + good, 1,
       "Read, Type mismatch in line 1: \"HAM,W1AW,7102.0,3,1,0,2024-02-30\""},
      {"a key met twice keeps its sum", kHeading + good + good, 1, "", 7200},
      // A year before 1000 (a slip of the hand) is written with its four digits.
      {"a year before 1000", kHeading + "HAM,W1AW,14075.0,14,3600.0,2700.0,0999-03-01\r\n", 1, ""},
      // Scaled down to the most a line holds, the share kept.
      {"a sum past the most a line holds", kHeading + "HAM,W1AW,7102.0,3,900000000.0,0.0,2024-03-01\r\n" +
                                               "HAM,W1AW,7102.0,3,900000000.0,900000000.0,2024-03-01\r\n", 1, "",
       1e9, 0.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder folder;
    auto file = folder.path() / kStationOccupancyDataFile;
    WriteBytes(file, c.content);
    RecordingMessenger messages;
    bool unreadable = true;
    StationOccupancy record = StationOccupancyGet(file, messages, &unreadable);
    EXPECT_FALSE(unreadable);
    EXPECT_EQ(record.All().size(), c.entries);
    EXPECT_EQ(messages.Texts(), c.problem.empty() ? std::vector<std::string>{}
                                                  : std::vector<std::string>{"StationOccupancyGet - " + c.problem});
    EXPECT_EQ(ReadBytes(file), c.content) << "reading changes nothing";
    // What was read is written so that it reads back whole.
    std::error_code error;
    ASSERT_TRUE(StationOccupancyWrite(folder.path() / "again.txt", record, error));
    OccupancyRead again = StationOccupancyRead(folder.path() / "again.txt");
    EXPECT_EQ(again.problem, "");
    ASSERT_EQ(again.record.All().size(), c.entries);
    EXPECT_DOUBLE_EQ(again.record.All().begin()->second.heard, c.heard);
    EXPECT_DOUBLE_EQ(again.record.All().begin()->second.Share(), c.share);
  }
#ifndef _WIN32
  // One the system cannot tell is there (a link back to itself standing for
  // a failing drive) is refused, not taken for a missing file and written over.
  testing::TempFolder folder;
  const auto unknown = folder.path() / kStationOccupancyDataFile;
  std::filesystem::create_symlink(unknown.filename(), unknown);
  EXPECT_NE(StationOccupancyRead(unknown).problem, "");
#endif
}

// One station's rows, heard at the rig's hour (23 UTC) as the cases say.
struct BusyRig : testing::SelectionRig {
  StationOccupancy record;
  OccupancyNow now{record, 23, kToday, 30};
  BusyRig() : SelectionRig(kModeMultipleFrequencies) {
    settings.autoSelectBusy = true;  // the column shown
    ColumnsBuild(table, kModeMultipleFrequencies, settings, testing::TemplateWidth);
  }
  void Heard(const std::string& label, double minutes, double busyShare, int ageDays = 0) {
    record.Add({"HAM", "W1AW", label, 23}, minutes * 60, minutes * 60 * busyShare, kToday - days(ageDays), 30);
  }
};

TEST(BusyColumn, ThePresentHoursShareOnceAMinuteWasHeard) {
  const struct { double minutes, share; int ageDays; const char *cell, *tip; } cases[] = {
      {42, 0.73, 0, "73", "Busy 73% of 42 Minutes Heard at 23 UTC, Last Heard Today"},
      {0.5, 1, 0, "", "Busy 100% of 0.5 Minutes Heard at 23 UTC, Last Heard Today"},
      {4, 0.25, 1, "25", "Busy 25% of 3.9 Minutes Heard at 23 UTC, Last Heard 1 Day Ago"},  // faded a day
      {10, 0, 30, "0", "Busy 0% of 5.0 Minutes Heard at 23 UTC, Last Heard 30 Days Ago"},
  };
  for (const auto& c : cases) {
    BusyRig rig;
    rig.Add({{"W1AW", "14075.0", 55}, {"W1AW", "14080.0(p3)", 55}});
    rig.Heard("14075.0", c.minutes, c.share, c.ageDays);
    BusyCellsFill(rig.table, 1, 2, "HAM", rig.now);
    EXPECT_EQ(rig.table.CellGet(1, kColumnBusy), c.cell);
    EXPECT_EQ(rig.table.CellGet(2, kColumnBusy), "") << "never heard";
    ToolTipContext context{kModeMultipleFrequencies, true, true, rig.colors};
    EXPECT_EQ(FrequencyMouseMove(rig.table, 1, kColumnBusy, context), c.tip);
    EXPECT_EQ(FrequencyMouseMove(rig.table, 2, kColumnBusy, context), "Busy at this Hour (%)");
  }
}

TEST(AutoSelectBusyRule, UsuallyBusyFrequenciesAreNotCalledUnlessNothingElseIsLeft) {
  // heard: minutes and share per row, 0 minutes never heard; coloured: rows whose Tx Connect cell tells the reason.
  struct Case { const char* name; std::vector<std::pair<double, double>> heard; std::vector<std::string> tx;
                std::vector<int> coloured; double minimumMinutes = 10; };
  const Case cases[] = {
      {"above the threshold", {{30, 0.9}, {30, 0.1}, {0, 0}}, {"!7102.0", "10140.0", "14075.0"}, {1}},
      {"at it", {{30, 0.5}, {30, 0.1}, {0, 0}}, {"7102.0", "10140.0", "14075.0"}, {}},
      {"heard too little", {{5, 1}, {30, 0.1}, {0, 0}}, {"7102.0", "10140.0", "14075.0"}, {}},
      {"all busy: the least busy stays", {{30, 0.9}, {30, 0.7}, {30, 0.8}}, {"!7102.0", "10140.0", "!14075.0"},
       {1, 3}},
      {"50.3% shows as 50: at it", {{30, 0.503}, {30, 0.1}, {0, 0}}, {"7102.0", "10140.0", "14075.0"}, {}},
      // The rule goes by what the "Busy" column shows: nothing under a minute heard.
      {"no minimum, a few busy seconds", {{0.1, 1}, {30, 0.1}, {0, 0}}, {"7102.0", "10140.0", "14075.0"}, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BusyRig rig;
    rig.Add({{"W1AW", "7102.0", 55}, {"W1AW", "10140.0", 55}, {"W1AW", "14075.0", 55}});
    const char* labels[] = {"7102.0", "10140.0", "14075.0"};
    for (size_t i = 0; i < c.heard.size(); ++i)
      if (c.heard[i].first > 0) rig.Heard(labels[i], c.heard[i].first, c.heard[i].second);
    AutoSelectBusy(rig.table, 1, 3, {rig.now, "HAM", 50, c.minimumMinutes, rig.colors[kReasonUsuallyBusy]});
    EXPECT_EQ(rig.TxColumn(), c.tx);
    for (int row = 1; row <= 3; ++row)
      EXPECT_EQ(rig.table.CellColor(row, kColumnTxConnect) == rig.colors[kReasonUsuallyBusy],
                std::count(c.coloured.begin(), c.coloured.end(), row) > 0)
          << "row " << row;
  }
}

TEST(OccupancyHoursTable, SharesFromGreenToRedGreyNeverHeardAndThePresentHourMarked) {
  StationOccupancy record;
  record.Add({"HAM", "W1AW", "14080.0(p3)", 7}, 90 * 60, 45 * 60, kToday - days(2), 30);
  record.Add({"HAM", "W1AW", "14075.0", 9}, 30, 30, kToday, 30);  // a scan's few seconds: too little to tell
  FrequencyTable table;
  OccupancyHoursFill(table, record, {"HAM", "W1AW", {"14075.0", "14080.0(p3)"}, kToday, 30}, testing::TemplateWidth);
  ASSERT_EQ(table.Rows(), 3);
  EXPECT_EQ(table.CellGet(2, 0), "14080.0") << "shown as the hours window shows it";
  EXPECT_EQ(table.CellGet(2, 8), "50");
  EXPECT_EQ(table.CellColor(2, 8), OccupancyShareColour(0.5));
  EXPECT_EQ(table.CellColor(1, 8), kNeverHeardColour);
  EXPECT_EQ(table.CellColor(1, 10), kNeverHeardColour) << "under the minute the Busy column needs";
  // The present hour's cells bold (its heading's colour: ChannelOccupancyWindowTest).
  OccupancyHoursMark(table, 8, {kColorBlack, kHeadingBack}, {kColorWhite, 0x800000});
  EXPECT_TRUE(table.CellAt(1, 8).bold);
  EXPECT_FALSE(table.CellAt(1, 9).bold);
  struct Tip { int row, column; std::string text; };
  const Tip tips[] = {{0, 8, "Zulu Time (07), Current Hour"}, {1, 8, "Never Heard at 07 UTC"},
                      {2, 8, "Busy 50% of 86 Minutes Heard, Last Heard 2024-03-08"},
                      {1, 10, "Busy 100% of 0.5 Minutes Heard, Last Heard 2024-03-10"}};

  for (const auto& t : tips) EXPECT_EQ(OccupancyHoursToolTip(table, t.row, t.column, 8), t.text);
}

}  // namespace
}  // namespace velmora
