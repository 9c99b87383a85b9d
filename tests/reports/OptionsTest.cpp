// The AutoConnect options dialog's model: its settings table and the three
// grids over real files, above all the offsets grid's check of its cells;
// and AirMail's "FreqList.rtf" of the fixture, read by its colours, that the
// radio grid and the beam stations come from.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <thread>

#include "common/SystemLib.h"
#include "common/TextFileLines.h"
#include "reports/AutoConnectOptions.h"
#include "reports/FreqListDocument.h"
#include "reports/OptionsGrids.h"
#include "reports/RtfAutomaticBlack.h"
#include "reports/StationInfoLabels.h"
#include "tests/common/InPlaceRewriter.h"
#include "tests/common/TempFolder.h"
#include "tests/reports/GridContract.h"

namespace velmora {
namespace {

using testing::GridKind;
using testing::ReadBytes;

// Each grid's file calls and the name its save's messages go by, by GridKind.
struct GridCalls {
  std::optional<std::string> (*text)(const GridRows&, Messenger&);
  GridRecall (*recall)(const std::filesystem::path&, Messenger&);
  const char* operation;
};
const GridCalls kGrids[] = {{OffsetGridText, OffsetGridRecall, "OffsetDataSave"},
                            {RadioGridText, RadioGridRecall, "StationsFileDataSave"},
                            {HistoryGridText, HistoryGridRecall, "HistoryDataSave"}};
const GridCalls& Grid(GridKind kind) { return kGrids[static_cast<int>(kind)]; }

// The rows saved as the dialog's Apply saves them: checked into the file's
// text, then the text written whole.
bool GridSave(GridKind kind, const std::filesystem::path& file, const GridRows& rows, Messenger& messages) {
  auto text = Grid(kind).text(rows, messages);
  return text && GridFileWrite(file, *text, Grid(kind).operation, messages);
}

// A fresh folder for the files, and the messages told.
class OptionsGrids : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  RecordingMessenger messages;
};

// Whatever a grid agrees to write reads back as typed; what would come
// back changed, or is no value of its column, is refused by row and column
// before anything is written: the file there stays whole as it was.
TEST_F(OptionsGrids, AGridWritesOnlyWhatReadsBackAsTyped) {
  const std::string longText(100000, 'x');
  // The refusal: the message's end, or nullptr when written.
  struct Case { GridKind kind; size_t column; std::string cell; const char* refusal; } cases[] = {
      {GridKind::Offset, 1, "Cape Town, ZA", nullptr}, {GridKind::Offset, 1, "\"Quoted\" and \"", nullptr},
      {GridKind::Offset, 1, longText, nullptr},
      {GridKind::Offset, 1, "two\r\nlines", "Column Station: \"two\r\nlines\" would not read back as typed"},
      {GridKind::Offset, 3, "nan", "Column Offset: \"nan\" is not a number"},
      {GridKind::Offset, 4, "1e-50", "Column Ant Bw: \"1e-50\" would be stored as 0"},
      {GridKind::Offset, 7, "2460", "Column Stop: \"2460\" is not a time hhmm from 0000 to 2400"},
      {GridKind::Offset, 1, " ", "Column Station: is empty"},
      {GridKind::Radio, 1, "W1,AW", "Column Station: \"W1,AW\" would not read back as typed"},
      {GridKind::Radio, 3, "14075.0,7102.0 3590.0", nullptr}, {GridKind::Radio, 3, "", nullptr},
      {GridKind::Radio, 2, "1e21", "Column Tx Rc: \"1e21\" is not a transceiver number"},
      {GridKind::History, 0, "A,B", "Column System: \"A,B\" would not read back as typed"},
      {GridKind::History, 1, "K]X1", nullptr}, {GridKind::History, 1, "W1,AW", nullptr},
      {GridKind::History, 2, "10140=5", "Column Frequency: \"10140=5\" would not read back as typed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell.substr(0, 20));
    testing::TempFolder folder;
    const auto file = folder.path() / "grid.txt";
    testing::WriteBytes(file, "old\r\n");
    GridRow row = c.kind == GridKind::Offset  ? GridRow{"HAM", "W1AW", "14075.0", "1", "", "", "", ""}
                  : c.kind == GridKind::Radio ? GridRow{"HAM", "W1AW", "1", "14075.0"}
                                              : GridRow{"HAM", "W1AW", "14075.0", "1.5"};
    row[c.column] = c.cell;
    GridRows typed = c.kind == GridKind::History ? GridRows{row, {"HAM", "KX1", "7000.0", "2"}} : GridRows{row, row};
    RecordingMessenger messages;
    bool saved = GridSave(c.kind, file, typed, messages);
    EXPECT_EQ(saved, c.refusal == nullptr);
    if (!saved) {
      EXPECT_EQ(messages.Texts(), std::vector<std::string>{Grid(c.kind).operation + std::string(", Row 1, ") + c.refusal});
      EXPECT_EQ(ReadBytes(file), "old\r\n") << "the file as it was";
      continue;
    }
    auto back = Grid(c.kind).recall(file, messages);
    EXPECT_TRUE(back.dropped.empty());
    EXPECT_TRUE(testing::GridReadsBack(c.kind, typed, back.rows));
  }
  // One key twice would be one value in the file (names without regard to case).
  RecordingMessenger twice;
  EXPECT_FALSE(HistoryGridText({{"HAM", "W1AW", "14075.0", "1"}, {"ham", "w1aw", "14075.0", "2"}}, twice));
  EXPECT_EQ(twice.Texts(),
            std::vector<std::string>{"HistoryDataSave, Row 2, Column Frequency: \"14075.0\" is in Row 1 already"});
  // A file that cannot be written is named: the user must know which one to free.
  RecordingMessenger held;
  const auto away = folder.path() / "no folder" / "StationOffsetData.txt";
  EXPECT_FALSE(GridSave(GridKind::Offset, away, {{"HAM", "W1AW", "14075.0", "1", "", "", "", ""}}, held));
  ASSERT_EQ(held.Texts().size(), 1u);
  EXPECT_EQ(held.Texts()[0].rfind("OffsetDataSave, ", 0), 0u);
  EXPECT_NE(held.Texts()[0].find(NotWrittenText(away)), std::string::npos) << held.Texts()[0];
}

// A file with a line the grid cannot read is shown up to that line; the
// grid is written over it only after a question that names what would go.
TEST_F(OptionsGrids, AFileNotReadWholeIsShownToItsErrorAndWrittenOverOnlyWhenAsked) {
  struct Case { GridKind kind; std::string text; size_t rows; std::vector<std::string> dropped; const char* told; };
  const Case cases[] = {
      {GridKind::Offset, "heading\r\nHAM,W1AW,14075.0,1\r\nHAM,KX1,7000.0,x\r\n\r\nHAM,K4CJX,3590.0,2\r\n", 1,
       {"Line 3: HAM,KX1,7000.0,x", "Line 5: HAM,K4CJX,3590.0,2"},
       "OffsetDataRecall - Read, Type mismatch in line 3: \"HAM,KX1,7000.0,x\""},
      {GridKind::Radio, "heading\r\nHAM,W1AW,1,14075.0\r\nHAM,KX1\r\nHAM,K4CJX,1,3590.0\r\n", 1,
       {"Line 3: HAM,KX1", "Line 4: HAM,K4CJX,1,3590.0"},
       "StationsFileDataRecall - Read, Type mismatch in line 3: \"HAM,KX1\""},
      {GridKind::History, "[HAM,W1AW]\r\n14075.0=1.5\r\njunk\r\n7000.0=abc\r\n14075.0=2\r\n[FOO]\r\n1=2\r\n", 1,
       {"Line 3: junk", "Line 4: 7000.0=abc", "Line 5: 14075.0=2", "Line 6: [FOO]", "Line 7: 1=2"}, nullptr},
  };
  for (const auto& c : cases) {
    const std::string operation = Grid(c.kind).operation;
    SCOPED_TRACE(operation);
    testing::TempFolder folder;
    const auto file = folder.path() / "data.txt";
    testing::WriteBytes(file, c.text);
    RecordingMessenger told;
    auto recall = Grid(c.kind).recall(file, told);
    EXPECT_EQ(recall.rows.size(), c.rows);
    EXPECT_EQ(recall.dropped, c.dropped);
    EXPECT_EQ(told.Texts(), c.told ? std::vector<std::string>{c.told} : std::vector<std::string>{});
    RecordingMessenger no(false);
    EXPECT_FALSE(GridDropAsk(operation, file, recall.dropped, no));
    ASSERT_EQ(no.entries.size(), 1u);
    EXPECT_EQ(no.entries[0].text.rfind(operation + ", data.txt was not read whole", 0), 0u);
    EXPECT_NE(no.entries[0].text.find("\r" + c.dropped.back() + "\r\rDo you wish to Continue?"), std::string::npos);
  }
  RecordingMessenger none;
  EXPECT_TRUE(GridDropAsk("OffsetDataSave", "x.txt", {}, none));
  EXPECT_TRUE(none.entries.empty());
  // A radio file without its header line: its first record is no header, and is written back.
  const auto radio = folder.path() / "radio.txt";
  testing::WriteBytes(radio, "HAM,W1AW,1,14075.0\r\nHAM,K4CJX,2,3590.0\r\n");
  EXPECT_EQ(RadioGridRecall(radio, none).rows.size(), 2u);
  // One that cannot be read at all (past any real one's size, or held shut) is named.
  std::filesystem::resize_file(radio, kDataFileLimit + 1);
  RadioGridRecall(radio, none);
  ASSERT_EQ(none.Texts().size(), 1u);
  EXPECT_EQ(none.Texts()[0].rfind("StationsFileDataRecall - Read, ", 0), 0u);
  EXPECT_TRUE(none.Texts()[0].ends_with("\r" + NotReadText(radio) + ".")) << none.Texts()[0];
#ifndef _WIN32
  // So is one the system cannot tell is there (a link back to itself standing
  // for a failing drive): Apply asks before it writes the grid over it.
  const auto unknown = folder.path() / "unknown.txt";
  std::filesystem::create_symlink(unknown.filename(), unknown);
  EXPECT_FALSE(HistoryGridRecall(unknown, none).dropped.empty());
#endif
}

// The grid shows "0.00"; a value nobody edited keeps its own text.
TEST_F(OptionsGrids, HistoryValuesNotEditedKeepTheirFullText) {
  const auto file = folder.path() / "StationHistoryData.txt";
  testing::WriteBytes(file, "[HAM,W1AW]\r\n14075.0=0.333\r\n7000.0=3.995\r\n10140.0=1,25\r\n");
  auto rows = HistoryGridRecall(file, messages).rows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], (GridRow{"HAM", "W1AW", "7000.0", "4.00", "3.995"})) << "shown with two decimals, kept whole";
  rows[0][3] = "1.5";
  ASSERT_TRUE(GridSave(GridKind::History, file, rows, messages));
  EXPECT_EQ(testing::ReadBytes(file), "[HAM,W1AW]\r\n14075.0=1.5\r\n7000.0=3.995\r\n10140.0=1,25\r\n");
  // Saved as "Unicode" by an editor, it shows what the table fill reads from it.
  std::string wide = "\xFF\xFE";
  for (char c : std::string("[HAM,W1AW]\r\n14075.0=0.333\r\n")) wide += {c, '\0'};
  testing::WriteBytes(file, wide);
  EXPECT_EQ(HistoryGridRecall(file, messages).rows, (GridRows{{"HAM", "W1AW", "14075.0", "0.33", "0.333"}}));
  // A value the fill cannot take as a single is not shown as one either.
  testing::WriteBytes(file, "[HAM,W1AW]\r\n14075.0=1e300\r\n");
  EXPECT_TRUE(HistoryGridRecall(file, messages).rows.empty());
}

// "Reset" deletes the file; a delete that fails says why, naming the file
// as the program's folder is named (an accented letter in the code page).
TEST_F(OptionsGrids, AFailedDeleteTellsTheSystemsErrorText) {
  const std::filesystem::path accented = folder.path().string() + "/J\xfcrgen";
  std::filesystem::create_directory(accented);
  const auto file = accented / "StationHistoryData.txt";
  EXPECT_TRUE(DataFileDelete(file, "HistoryDataReset", messages)) << "nothing to delete";
  std::filesystem::create_directories(file / "in the way");
  EXPECT_FALSE(DataFileDelete(file, "HistoryDataReset", messages));
  ASSERT_EQ(messages.entries.size(), 1u);
  const std::string& text = messages.entries[0].text;
  EXPECT_EQ(text.rfind("HistoryDataReset, Unable to delete \"" + PathText(file) + "\"\r", 0), 0u) << text;
  EXPECT_GT(text.size(), text.find('\r') + 1) << "the system's error text";
}

// The process's time zone, as "TZ" gives it (nullptr: the system's).
void ZoneSet(const char* zone) {
#ifdef _WIN32
  _putenv_s("TZ", zone ? zone : "");
  _tzset();
#else
  if (zone) setenv("TZ", zone, 1);
  else unsetenv("TZ");
  tzset();
#endif
}

// As the user's file manager shows it: in the computer's own time zone.
TEST_F(OptionsGrids, LastModifiedIsTheLocalDate) {
  const auto file = folder.path() / "FreqList.rtf";
  testing::WriteBytes(file, "");
  // 2005-03-14 12:00 UTC, which is already the 15th fourteen hours east.
  std::chrono::sys_seconds noon = std::chrono::sys_days(std::chrono::year(2005) / 3 / 14) + std::chrono::hours(12);
  std::filesystem::last_write_time(file, std::chrono::file_clock::from_sys(noon));
  const char* zone = std::getenv("TZ");
  const std::string before = zone ? zone : "";
  ZoneSet("UTC-14");
  EXPECT_EQ(LastModifiedLabel(file, folder.path() / "none", 1), "Last Modified:  03/15/2005, n/a");
  ZoneSet(zone ? before.c_str() : nullptr);
}

TEST_F(OptionsGrids, TheStationFilesFeedTheOffsetsCheckAndCellChoices) {
  AirmailDataFolder data(VELMORA_SOURCE_DIR "/tests/airmail/fixture/data", messages);
  // The offsets' "Check": each frequency its station lacks is asked about, and No ends it. A system
  // whose station file cannot be read is told once with the reason (its frequencies were all "not found").
  OffsetGridCheck({{"HAMX", "W1AW", "1.0"}, {"HAMX", "K4CJX", "1.0"}, {"HAM", "W1AW", "14075.0, 9999.0"},
                   {"HAM", "K4CJX", "1.0"}}, data, messages);
  EXPECT_EQ(messages.Texts().at(0).rfind("OffsetDataCheck, Unable to open Airmail \"HAMX\" Station data.\r", 0), 0u);
  EXPECT_EQ(messages.Texts().at(1), "HAM W1AW frequency 9999.0 not found in Station's Frequency List\r\rDo you wish to Continue?");

  // The offsets grid's editors: systems, the system's stations by name (the
  // station's labels: the dialog's test).
  using Choices = std::vector<std::string>;
  EXPECT_EQ(OffsetCellChoices({"HAM", "W1AW"}, 0, data), (Choices{"HAM", "SAILMAIL"}));
  EXPECT_EQ(OffsetCellChoices({"SAILMAIL", "WPE"}, 1, data).at(0), "Friday Harbor, WA");
  AirmailDataFolder none(VELMORA_SOURCE_DIR "/tests/no such folder", messages);
  EXPECT_FALSE(RadioGridFromHamGroups(none, messages));
  EXPECT_EQ(messages.Texts().back().rfind("StationsAirmailSetStations, Unable to open Airmail \"HAM\" Station data.\r", 0),
            0u);
  EXPECT_NE(messages.Texts().back().find("\r\rPlease check that the AirMail's Data Folder \""), std::string::npos)
      << "with the system's reason between";
  // AirMail's frequency document is refused unread past the size any real one has.
  const auto rtf = folder.path() / "FreqList.rtf";
  testing::WriteBytes(rtf, "");
  std::filesystem::resize_file(rtf, kDataFileLimit + 1);
  EXPECT_FALSE(RadioGridFromFreqList(rtf, messages));
  // Either with the folder to check, as every message about AirMail's files.
  const std::string hint =
      "\r\rPlease check that the AirMail's Data Folder \"" + folder.path().string() + "\" is correct.";
  EXPECT_EQ(messages.Texts().back().rfind("StationsFileUpdate - Read, ", 0), 0u) << messages.Texts().back();
  EXPECT_TRUE(messages.Texts().back().ends_with(hint)) << messages.Texts().back();
  // One that is no rich text holds no station: it leaves the table as it was, and says so.
  testing::WriteBytes(rtf, "W1AW. Station 1: 14075\r\n");
  EXPECT_FALSE(RadioGridFromFreqList(rtf, messages));
  EXPECT_EQ(messages.Texts().back(), "Unable to open AirMail's \"FreqList.rtf\" file." + hint);
  testing::WriteBytes(rtf, "{\\rtf1 no station named in red}");
  EXPECT_FALSE(RadioGridFromFreqList(rtf, messages));
  EXPECT_EQ(messages.Texts().back(), "StationsFileUpdate, No Station found in AirMail's \"FreqList.rtf\" file.");
}

// AirMail empties "FreqList.rtf" and writes it again in place: the table is
// made of the whole document, never of the half read, which would drop the
// stations beyond it when saved.
TEST_F(OptionsGrids, TheRadioTableIsMadeOfTheWholeDocumentWhileAirmailRewritesIt) {
  const auto rtf = folder.path() / "FreqList.rtf";
  const std::string whole = testing::ReadBytes(VELMORA_SOURCE_DIR "/tests/airmail/fixture/data/FreqList.rtf");
  testing::WriteBytes(rtf, whole);
  const auto all = RadioGridFromFreqList(rtf, messages);
  ASSERT_TRUE(all);
  int cut = 0;
  {
    testing::InPlaceRewriter airmail(rtf, whole, whole.size() * 3 / 4);
    for (int read = 0; read < 30; ++read) {
      cut += RadioGridFromFreqList(rtf, messages) != all;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  EXPECT_EQ(cut, 0);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
}

TEST_F(OptionsGrids, TwoRadioSourcesAreComparedUntilTheUserSaysNoAndTheirDifferenceShown) {
  const GridRows file{{"HAM", "W1AW", "1", "14075.0, 14080.0(p3)"}, {"HAM", "W1AW", "2", "10140.0(p3)"},
                      {"HAM", "KX1", "1", "7101.0"}, {"HAM", "K4CJX", "1", "3590.0"}};
  const GridRows ham{{"HAM", "W1AW", "1", "14075.0 14080.0(p3)"}, {"HAM", "KX1", "1", "7103.0"},
                     {"HAM", "VE2AFQ", "1", "3587.5"}, {"HAM", "VE2AFQ", "2", "14098.0(p3)"}};
  const std::string more = "\r\rWould you like to continue checking?";
  RecordingMessenger yes(true);
  RadioSourcesCompare(file, ham, yes);
  EXPECT_EQ(yes.Texts(), (std::vector<std::string>{"Missing Station K4CJX" + more,
                                                   "Different Frequency Data for Station KX1 and TxRc 1" + more,
                                                   "Missing Data for Station W1AW and TxRc 2" + more,
                                                   "Missing Station VE2AFQ" + more}));
  RecordingMessenger no(false);
  RadioSourcesCompare(file, ham, no);
  EXPECT_EQ(no.Texts().size(), 1u);
  // The difference view keeps the rows without a partner.
  const GridRow w1{"HAM", "W1AW", "1", "14075.0"}, w1b{"HAM", "W1AW", "1", "7101.0"}, w2{"HAM", "W1AW", "2", "x"},
      kx{"HAM", "KX1", "1", "7103.0"};
  const GridRows none{{"No Errors"}};
  struct Case { GridRows first, second, firstLeft, secondLeft; } cases[] = {
      {{w1, kx}, {kx, w1b}, none, none},        // matched by the first three cells only
      {{w1, w1, kx}, {w1}, {w1, kx}, none},     // each row takes one partner
      {{w2}, {w1, kx}, {w2}, {w1, kx}},         // a single row left is still a difference
  };
  for (const auto& c : cases) {
    auto [first, second] = RadioSourcesDifference(c.first, c.second);
    EXPECT_EQ(first, c.firstLeft);
    EXPECT_EQ(second, c.secondLeft);
  }
}

TEST(AutoConnectOptions, NanAndOverflowingNumbersAreRefusedAndNothingIsStored) {
  struct Case { const char *key, *text, *message; } cases[] = {
      {"Airmail Lat/Lon Check Days", "x", nullptr},
      {"Station History Good", "-NaN", "History Option Error, Station History Good: Type mismatch"},
      {"Propagation Model Model", "2147483647", "Propagation Option Error, Propagation Model Model: Overflow"},
      {"Station Occupancy Half Life", "0",
       "History Option Error, Station Occupancy Half Life: must be more than 0 days"},
  };
  for (const auto& c : cases) {
    AutoConnectSettings settings;
    auto values = OptionsDataSet(settings);
    values["Station History Max"] = "9";
    values["Airmail Lat/Lon Check"] = "False";
    values[c.key] = c.text;
    RecordingMessenger messages;
    EXPECT_EQ(OptionsApply(values, settings, messages), !c.message) << c.key;
    if (!c.message) {
      EXPECT_EQ(settings.airmailLatLonCheckDays, 7);
      continue;
    }
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(settings, AutoConnectSettings{});
  }
  EXPECT_EQ(KIndexText("nan"), "");  // the number's own text: the window test
  // Each model has its own Es adjustment (ICEPAC's is in the window test).
  EXPECT_EQ(EsAdjustAfterModel(kModelVoacap, "0.7"), "0");
}

// A day-first system's AirMail writes 5 June as 05/06/2024.
TEST(AutoConnectOptions, ThePositionsAgeReadsItsDateInTheRegionalOrder) {
  testing::TempFolder temp;
  testing::WriteBytes(temp.path() / "Airmail.ini",
                      "[Position Report]\r\nCurrent Latitude=48\xB0" "07.20'N\r\nCurrent Longitude=123\xB0"
                      "25.80'W\r\nCurrent Time=05/06/2024 08:30:00\r\n");
  RecordingMessenger messages;
  AirmailDataFolder data(temp.path().string(), messages);
  EXPECT_TRUE(AirmailPositionText(data, {2024, 6, 7, 12, 0, 0}, DateOrder::DayMonthYear).ends_with(" is 2 days old."));
}

// Anchored beside the station, or at its antipode, the ship has no one
// bearing to it: the range shows, the bearings stay bare.
TEST(StationInfoLabels, ARangeAlwaysBearingsOnlyWhereThereIsOne) {
  using L = StationInfoLabels;
  const LatLon ship{-78, -160};
  struct Case { std::optional<LatLon> station; L labels; } cases[] = {
      {LatLon{-41.3, 174.8}, {"Range: 2286", "Bearing To: 329", "Bearing From: 172"}},  // past the pole's side
      {ship, {"Range: 0", "Bearing To: ", "Bearing From: "}},
      {LatLon{78, 20}, {"Range: 10800", "Bearing To: ", "Bearing From: "}},
      {std::nullopt, {}},
  };
  for (const auto& c : cases) {
    auto labels = StationInfoLabelsOf(ship, c.station);
    EXPECT_EQ(std::vector({labels.range, labels.bearingTo, labels.bearingFrom}),
              std::vector({c.labels.range, c.labels.bearingTo, c.labels.bearingFrom}));
  }
}

// Text in the automatic colour is drawn in the system's window text colour,
// white under a dark scheme: on the view's white page it takes a black entry
// of its own, and the colours read back stay as they were.
TEST(RtfAutomaticBlack, AutomaticTextTakesABlackEntryAndReadsTheSame) {
  const struct { const char *rtf, *made; } cases[] = {
      {"{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 W1AW\\cf0 . A\\cf B}",
       "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}\\cf2 \\cf1 W1AW\\cf2 . A\\cf2 B}"},
      {"{\\rtf1 A\\plain B}", "{\\rtf1 {\\colortbl;\\red0\\green0\\blue0;}\\cf1 A\\plain\\cf1 B}"},
      {"{\\rtf1 a\\\\cf0 b}", "{\\rtf1 {\\colortbl;\\red0\\green0\\blue0;}\\cf1 a\\\\cf0 b}"},  // a backslash as text
      {"{\\rtf1{\\colortbl ;", "{\\rtf1{\\colortbl;\\red0\\green0\\blue0;}\\cf1 {\\colortbl ;"},  // cut short
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RtfAutomaticMadeBlack(c.rtf), c.made);
    EXPECT_EQ(RtfColouredText(c.made).colours, RtfColouredText(c.rtf).colours) << c.rtf;
  }
}

// A station's name is a whole red name: the tail of a longer call sign
// (W1AW in KW1AW, VE2/W1AW) led to the other station's entry and its beam.
TEST(FreqListDocument, AStationIsNotFoundInsideALongerName) {
  const std::string red = "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}";
  for (auto [body, at] : {std::pair<std::string, long>{"\\cf1 KW1AW\\cf0 . B .\\par \\cf1 W1AW\\cf0 .}", 11},
                          {"\\cf1 VE2/W1AW\\cf0 . B .}", -1}})  // the beam list and the view look it up so
    EXPECT_EQ(FreqListDocument(RtfColouredText(red + body)).FindStation("W1AW"), at) << body;
}

// A station without a position goes after every one with a range, the
// farthest of which (from the ship at sea) lies 10800 nmi away.
TEST(FreqListBeams, NearestFirstAndTheUnplacedLast) {
  FreqListDocument document(RtfColouredText("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 FAR\\cf0 . B .\\par "
                                            "\\cf1 NOWHERE\\cf0 . B .\\par \\cf1 NEAR\\cf0 . B .}"));
  auto range = [](const std::string& station) -> std::optional<double> {
    if (station == "NOWHERE") return std::nullopt;
    return station == "FAR" ? 10712 : 480;
  };
  EXPECT_EQ(FreqListBeams(document, {"FAR", "NOWHERE", "NEAR"}, range),
            (std::vector<std::string>{"NEAR", "FAR", "NOWHERE"}));
}

// Blue blanks between blue frequencies (or after one) start no frequency:
// they once stopped the reading of the list in its place for ever.
TEST(FreqListDocument, BlueBlanksSeparateFrequencies) {
  FreqListDocument document(RtfColouredText(
      "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
      "\\cf1 W1AW\\cf0 . Station 1: \\cf2 14075 14080# - list\\cf0 .}"));
  std::vector<std::string> found;
  for (auto f = document.GetStationFrequency(0, document.Last()); f && found.size() < 5;
       f = document.GetStationFrequency(f->next, document.Last()))
    found.push_back(f->text);
  EXPECT_EQ(found, (std::vector<std::string>{"14075", "14080#", "-", "list"}));
  EXPECT_EQ(FreqListTransceivers(document),
            (std::vector<StationRadioRecord>{{"HAM", "W1AW", "1", {"14075.0", "14080.0(p3)"}}}));
  // A list's separators coloured with its frequencies lose none of them.
  FreqListDocument listed(RtfColouredText("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                                          "\\cf1 W1AW\\cf0 . Station 1: \\cf2 3590, 7102#;10145.5,14075\\cf0 .}"));
  EXPECT_EQ(FreqListTransceivers(listed),
            (std::vector<StationRadioRecord>{{"HAM", "W1AW", "1", {"3590.0", "7102.0(p3)", "10145.5", "14075.0"}}}));
  // Nor does a name whose full stop (or a blank before it) is red with it lose its station.
  for (const char* name : {"\\cf1 W1AW.\\cf0  Station 1: ", "\\cf1 W1AW \\cf0 . Station 1: "}) {
    FreqListDocument named(RtfColouredText(std::string("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}") + name + "}"));
    ASSERT_EQ(FreqListTransceivers(named).size(), 1u) << name;
    EXPECT_EQ(FreqListTransceivers(named)[0].station, "W1AW") << name;
  }
}

}  // namespace
}  // namespace velmora
