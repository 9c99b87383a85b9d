// The report windows as the AutoConnect window opens them on the AirMail
// fixture: "FreqList.rtf" read back from the rich-text view by colour, the
// station's entry, beams and bearings; both summaries as their windows show
// them, over the whole log and a period; all closed with the AutoConnect window.
#include "reports/win32/AutoConnectReports.h"

#include <richedit.h>

#include <cstdlib>
#include <thread>

#include "autoconnect/AutoConnectMenus.h"
#include "common/SystemLib.h"
#include "reports/AirmailSummary.h"
#include "reports/LogFileSummary.h"
#include "reports/win32/AutoConnectOptionsDialog.h"
#include "reports/win32/RichEditColours.h"
#include "selection/TableColumns.h"
#include "tests/autoconnect/win32/AutoConnectFixture.h"
#include "tests/common/InPlaceRewriter.h"

namespace velmora {
namespace {

using namespace std::chrono;
using namespace autoconnect_menu;
using testing::MessageBoxAnswerer;

class ReportWindowsTest : public testing::AutoConnectFixture {
 protected:
  void SetUp() override {
    AutoConnectFixture::SetUp();
    Open();
  }
  void BeforeMain() override {
    reports = std::make_unique<AutoConnectReports>(*window, folder.path());
    window->ReportWindowsSet(reports.get());
  }
  void AfterMain() override { reports.reset(); }

  std::unique_ptr<AutoConnectReports> reports;
};

TEST_F(ReportWindowsTest, TheViewReadsTheDocumentsColoursAndTheBeamsTheStationFileOnceUntilItChanges) {
  MessageBoxAnswerer unexpected;
  // A run's state and status, which its log record takes, outlast the search for beams.
  window->Status().SetText(1, "Running");
  window->Status().SetText(2, "Waiting, Disconnect ");
  window->Command(kViewStationInfoBeamList);
  EXPECT_EQ(window->Status().Text(1), "Running");
  EXPECT_EQ(window->Status().Text(2), "Waiting, Disconnect ");
  StationInfoWindow* info = reports->StationInfo();
  ASSERT_TRUE(info && IsWindowVisible(info->Handle()));
  // The offsets the view counts are those the colour-run scan is tested on.
  ColouredText read = RtfColouredText(testing::ReadBytes(data.path() / "FreqList.rtf"));
  ColouredText shown = RichEditColouredText(info->View());
  EXPECT_EQ(shown.text, read.text);
  EXPECT_EQ(shown.colours, read.colours);
  // Beams nearest first from the ship in Washington; the station's name selected.
  EXPECT_EQ(info->BeamList(), (std::vector<std::string>{"K4CJX", "W1AW"}));
  // No station chosen in the table: the nearest with a beam is shown.
  EXPECT_EQ(info->SelectedText(), "K4CJX");
  EXPECT_GT(info->Labels().range.size(), std::string("Range: ").size());
  EXPECT_GT(info->Labels().bearingFrom.size(), std::string("Bearing From: ").size());
  // The Frequency pop-up's entry shows the station of the row clicked.
  ClickCell(1, kColumnStation);
  window->Command(kFrequencyStationInfo);
  EXPECT_EQ(info->SelectedText(), window->Table().CellGet(1, kColumnStation));
  // A station named only in black text is not found: nothing is selected.
  info->ShowStation("Station");
  EXPECT_EQ(info->SelectedText(), "");
  // The beams' ranges come from AirMail's station file read once, not once
  // for each station of a list of thousands (seconds), and read again when
  // AirMail has changed it. A change that keeps the size and the time
  // written shows which reading the ranges came from: K4CJX moved to Europe.
  const auto file = data.path() / "System.HAM.ini";
  const auto written = std::filesystem::last_write_time(file);
  std::string text = testing::ReadBytes(file);
  text.replace(text.find("K4CJX=EM66QC"), 12, "K4CJX=JN66QC");
  testing::WriteBytes(file, text);
  std::filesystem::last_write_time(file, written);
  window->Command(kViewStationInfoBeamList);
  EXPECT_EQ(info->BeamList(), (std::vector<std::string>{"K4CJX", "W1AW"})) << "the file as read before";
  std::filesystem::last_write_time(file, written + seconds(2));
  window->Command(kViewStationInfoBeamList);
  EXPECT_EQ(info->BeamList(), (std::vector<std::string>{"W1AW", "K4CJX"})) << "the file as AirMail changed it";
  // Closed by the user, a tool window hides and keeps its state for the next show.
  SendMessageA(info->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(info->Handle()) && !IsWindowVisible(info->Handle()));
  EXPECT_EQ(unexpected.Texts(), std::vector<std::string>{});
}

// One click, one message per cause: a ship without a position was told
// twice, once for the beams and once for the labels. A missing document,
// or one that is no rich text, leaves the view empty. (A document past any real one's size is refused by
// the same reader: RecordFileTest.)
TEST_F(ReportWindowsTest, AShipWithoutAPositionOrAMissingDocumentIsToldOnce) {
  // The file's new content (nullptr: removed), and the message's part.
  const struct { const char *file, *content, *message; } cases[] = {
      {"Airmail.ini", "[Settings]\r\nLast Program Version=3.4.062\r\n",
       "Unable to find AirMail's Propagation, Latitude in \"Airmail.ini\"."},
      {"FreqList.rtf", "W1AW. B Station 1: 14075\r\n",
       "\nUnable to open AirMail's \"FreqList.rtf\" file.\r\n\r\nPlease check that the AirMail's Data Folder \""},
      {"FreqList.rtf", nullptr,
       "\nUnable to open AirMail's \"FreqList.rtf\" file.\r\n\r\nPlease check that the AirMail's Data Folder \""}};
  for (const auto& c : cases) {
    const auto file = data.path() / c.file;
    const std::string before = testing::ReadBytes(file);
    c.content ? testing::WriteBytes(file, c.content) : void(std::filesystem::remove(file));
    EXPECT_TRUE(testing::ToldOnce(testing::Answered(IDOK, [&] { window->Command(kViewStationInfoBeamList); }),
                                  c.message))
        << c.file;
    EXPECT_EQ(reports->StationInfo()->BeamList(), std::vector<std::string>{});
    testing::WriteBytes(file, before);
  }
  EXPECT_EQ(RichEditColouredText(reports->StationInfo()->View()).text, "") << "the missing document's";
}

// AirMail empties "FreqList.rtf" and writes it again in place, not at once:
// the view shows the document whole, never half, and tells of no fault.
TEST_F(ReportWindowsTest, TheDocumentIsReadWholeWhileAirmailRewritesIt) {
  const auto file = data.path() / "FreqList.rtf";
  const std::string whole = testing::ReadBytes(file);
  std::vector<std::string> told;
  int cut = 0;
  {
    testing::InPlaceRewriter airmail(file, whole, whole.size() / 2);
    for (int show = 0; show < 20; ++show) {
      auto answered = testing::Answered(IDOK, [&] { window->Command(kViewStationInfoBeamList); });
      told.insert(told.end(), answered.begin(), answered.end());
      cut += RichEditColouredText(reports->StationInfo()->View()).text != RtfColouredText(whole).text;
      std::this_thread::sleep_for(milliseconds(1));
    }
  }
  EXPECT_EQ(cut, 0);
  EXPECT_EQ(told, std::vector<std::string>{});
}

// Under a dark scheme the document's black text lay on the view's black
// ground; text in the automatic colour must show on the page as well.
TEST_F(ReportWindowsTest, TheDocumentShowsUnderADarkScheme) {
  testing::DarkScheme dark;
  testing::WriteBytes(data.path() / "FreqList.rtf",
                      "{\\rtf1\\ansi{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;"
                      "\\red0\\green0\\blue255;}\\cf1 HAM Stations\\par\\cf2 W1AW\\cf0 . Newington CT\\par "
                      "Station 1: \\cf3 14075\\cf0  B\\par}");
  MessageBoxAnswerer unexpected;
  window->Command(kViewStationInfoBeamList);
  HWND view = reports->StationInfo()->View();
  const COLORREF page = static_cast<COLORREF>(SendMessageA(view, EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)));
  auto brightness = [](COLORREF c) { return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000; };
  const std::string text = RichEditColouredText(view).text;
  ASSERT_GT(text.size(), 40u);
  for (long at = 0; at < static_cast<long>(text.size()); ++at) {
    CHARRANGE one{at, at + 1};
    SendMessageA(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(view, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    const COLORREF ink = (format.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : format.crTextColor;
    ASSERT_GE(std::abs(brightness(ink) - brightness(page)), 100) << "character " << at << " of " << text;
  }
}

// What each summary window shows is what its summary returns, over the
// whole log when it opens and over the pickers' days on "Update".
TEST_F(ReportWindowsTest, BothSummariesShowTheirLinesAndTablesAndAllCloseWithTheWindow) {
  std::filesystem::path autoConnectLog = folder.path() / "AutoConnectLog.txt";
  testing::WriteBytes(autoConnectLog,
                      "03/01/25 10:00:00,1,2,5,0,30,20,600,1,Connected ,2,WLO,12.5,-61.25,20,10,150\r\n"
                      "03/05/25 12:00:00,2,2,0,0,30,20,900,1,Connected ,2,KPH,12.5,-61.25,0,0,0\r\n");
  using Summary = HistorySummary (*)(const std::filesystem::path&, std::optional<HistoryPeriod>);
  struct Case { int command; std::filesystem::path log; Summary summary; std::function<HistoryWindow*()> window;
                const char* caption; };
  const Case cases[] = {
      {kViewAirmailHistory, data.path() / "Logfiles" / "Debug.log", AirmailSummary,
       [&] { return reports->AirmailHistory(); }, "AirMail - History"},
      {kViewLogFileHistory, autoConnectLog, LogFileSummary, [&] { return reports->LogFileHistory(); },
       "AutoConnect - History"},
  };
  MessageBoxAnswerer unexpected;
  for (const auto& c : cases) {
    window->Command(c.command);
    HistoryWindow* shown = c.window();
    ASSERT_TRUE(shown && IsWindowVisible(shown->Handle())) << c.caption;
    EXPECT_EQ(testing::WindowText(shown->Handle()), c.caption);
    auto expect = [&](const HistorySummary& summary) {
      EXPECT_EQ(shown->Lines(), summary.lines) << c.caption;
      ASSERT_EQ(shown->Table().DataRows(), static_cast<int>(summary.rows.size())) << c.caption;
      for (int c2 = 0; c2 < shown->Table().Columns(); ++c2) {
        EXPECT_EQ(shown->Table().CellGet(0, c2), summary.headers[c2]);
        for (int r = 1; r <= shown->Table().DataRows(); ++r)
          EXPECT_EQ(shown->Table().CellGet(r, c2), summary.rows[r - 1][c2]);
      }
    };
    HistorySummary whole = c.summary(c.log, std::nullopt);
    ASSERT_FALSE(whole.rows.empty()) << c.caption;
    expect(whole);
    // The first day only.
    shown->PeriodSet(*whole.first, *whole.first);
    SendMessageA(shown->Handle(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0);
    expect(c.summary(c.log, HistoryPeriod{*whole.first, *whole.first + days(1) - seconds(1)}));
  }
  // A cell's tool-tip, the column's own: the one check of the grid's tips
  // (the frequency table's busy notes come the same way).
  HistoryWindow* shown = reports->LogFileHistory();
  RECT cell = shown->Grid().CellRect(1, 7);
  SendMessageA(shown->Grid().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 3, cell.top + 3));
  EXPECT_EQ(shown->Grid().ToolTipText(), "Difference between Predicted and Measusred");
  window->Command(kViewStationInfoBeamList);
  EXPECT_EQ(unexpected.Texts(), std::vector<std::string>{});
  window->Close();
  EXPECT_EQ(reports->StationInfo(), nullptr);
  EXPECT_EQ(reports->AirmailHistory(), nullptr);
  EXPECT_EQ(reports->LogFileHistory(), nullptr);
}

// What a summary window's list was given, as it was given: AirMail's debug
// log runs to hundreds of megabytes, some seconds of reading with the window
// thread held, which showed nothing and kept the arrow pointer.
struct ListedLine { std::string text; bool windowShown, waitPointer; };
std::vector<ListedLine>& Listed() {
  static std::vector<ListedLine> listed;
  return listed;
}
LRESULT CALLBACK ListingWatch(int code, WPARAM w, LPARAM l) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(l);
  if (code == HC_ACTION && sent->message == LB_ADDSTRING)
    Listed().push_back({reinterpret_cast<const char*>(sent->lParam), IsWindowVisible(GetParent(sent->hwnd)) != FALSE,
                        GetCursor() == LoadCursor(nullptr, IDC_WAIT)});
  return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(ReportWindowsTest, ASummarySaysItIsReadingWhileItReads) {
  testing::WriteBytes(folder.path() / "AutoConnectLog.txt",
                      "03/01/25 10:00:00,1,2,5,0,30,20,600,1,Connected ,2,WLO,12.5,-61.25,20,10,150\r\n");
  Listed().clear();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, ListingWatch, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  MessageBoxAnswerer unexpected;
  window->Command(kViewLogFileHistory);
  UnhookWindowsHookEx(hook);
  ASSERT_GE(Listed().size(), 2u);
  EXPECT_EQ(Listed().front().text, "Reading \"AutoConnectLog.txt\", please wait...");
  EXPECT_TRUE(Listed().front().windowShown);
  for (const auto& line : Listed()) EXPECT_TRUE(line.waitPointer) << line.text;
  EXPECT_EQ(reports->LogFileHistory()->Lines(), LogFileSummary(folder.path() / "AutoConnectLog.txt", {}).lines);
  EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_WAIT)) << "the pointer comes back";
  EXPECT_EQ(unexpected.Texts(), std::vector<std::string>{});
}

// A summary took clicks under the box of its own Update (a log that cannot
// be read): a second Update stacked a second box over the first.
TEST_F(ReportWindowsTest, ASummaryTakesNoClicksUnderItsBox) {
  std::filesystem::create_directory(folder.path() / "AutoConnectLog.txt");  // a folder where the log should be
  ASSERT_EQ(testing::Answered(IDOK, [&] { window->Command(kViewLogFileHistory); }).size(), 1u);
  HWND history = reports->LogFileHistory()->Handle();
  EXPECT_TRUE(
      testing::NoClicksUnderItsBox(history, [&] { SendMessageA(history, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0); }));
}

// The options dialog open while the AutoConnect window recalls or
// defaults its settings shows what replaced them: its OK stored its stale
// boxes over them.
TEST_F(ReportWindowsTest, TheOpenOptionsDialogShowsSettingsReplacedBehindIt) {
  RecordingMessenger told(true);
  AutoConnectOptionsDialog dialog([&] { return window->Handle(); }, window->Settings(), folder.path(), told, pump, [] {});
  window->OptionsDialogSet(&dialog);
  testing::WriteBytes(folder.path() / "Other.ini", "[Airmail Data]\r\nStation History Bad=-2\r\n");
  for (bool recall : {true, false}) {  // then Default
    dialog.OptionsShow(AutoConnectOptionsDialog::kHistoryPage);
    recall ? window->SettingsRecallFrom(folder.path() / "Other.ini") : window->Command(kSettingsDefault);
    SendMessageA(dialog.Handle(), WM_COMMAND, AutoConnectOptionsDialog::kOkId, 0);
    EXPECT_EQ(window->Settings().stationHistoryBad, recall ? -2.0f : -0.5f);
  }
  window->OptionsDialogSet(nullptr);
}

// The program reads its texts in the system's code page, where "é" is a
// letter: it must still end an RTF control word, as in any RTF reader.
TEST(StandInRtfReader, ALetterOfTheCodePageIsTextAfterAControlWord) {
  PathTextInCodePage();
  EXPECT_EQ(RtfColouredText("{\\rtf1 \\b\xe9t\\b0}").text, "\xe9t");
}

}  // namespace
}  // namespace velmora
