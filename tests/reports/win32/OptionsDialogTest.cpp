// The AutoConnect options dialog as a user meets it: each page opened,
// a box or a grid cell edited, applied, and read back from the settings
// and the files; a bad cell refused with its row and column, storing nothing.
#include "reports/win32/AutoConnectOptionsDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "autoconnect/AutoConnectMenus.h"
#include "reports/win32/OptionsDialogLayout.h"
#include "selection/StationHistoryData.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/AccessKeyCheck.h"
#include "tests/common/win32/WindowChecks.h"

namespace velmora {
namespace {

using Dialog = AutoConnectOptionsDialog;

using testing::ReadBytes;
using testing::WriteBytes;

bool Has(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.stationStationsFile = 1;
    settings.airmailDirectoryData = folder.path().string();
    WriteBytes(folder.path() / "Airmail.ini",
        "[Settings]\r\nLast Program Version=3.2.100\r\n"
        "[Propagation]\r\nLatitude=10\xB0" "30.00'N\r\nLongitude=61\xB0" "15.00'W\r\n");
    WriteBytes(folder.path() / "StationOffsetData.txt", "System,Station,...\r\nHAM,K4CJX,14075.0,1,360,0,0,2400\r\n");
    WriteBytes(folder.path() / "StationHistoryData.txt", "[HAM,K4CJX]\r\n14075.0=1.5\r\n");
    WriteBytes(folder.path() / "StationRadioData.txt", "System,Station,Tx Rc,Frequency\r\nHAM,K4CJX,1,14075.0\r\n");
    WriteBytes(folder.path() / "StationOccupancyData.txt", "System,...\r\nHAM,K4CJX,14075.0,7,60.0,0.0,2026-01-05\r\n");
  }
  void Edit(Dialog::Grid grid, int row, int column, const char* text) {
    SetWindowTextA(dialog.CellEdit(grid, row, column), text);  // none: what follows fails
  }
  void Type(std::string_view key, const char* text) { SetWindowTextA(dialog.Box(key), text); }
  void Key(WPARAM key) { testing::PressKey(pump, key); }
  void AltKey(char letter) { testing::PressAltKey(pump, letter); }

  testing::TempFolder folder;
  AutoConnectSettings settings;
  RecordingMessenger messages{true};
  MessagePump pump;
  int applied = 0;
  Dialog dialog{[] { return HWND{}; }, settings, folder.path(), messages, pump, [this] { ++applied; }};
};

// A scheme chosen while the program runs: the dialog's ground was painted
// with the brush of the scheme it was first opened in, which the system
// may let go with that scheme.
TEST_F(OptionsDialogTest, TheGroundFollowsASchemeChosenWhileItRuns) {
  dialog.OptionsShow(Dialog::kHistoryPage);
  ASSERT_TRUE(dialog.Visible());
  testing::DarkScheme dark;
  RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT client;
  GetClientRect(dialog.Handle(), &client);
  HDC dc = GetDC(dialog.Handle());
  const COLORREF ground = GetPixel(dc, client.right - 2, client.bottom - 2);
  ReleaseDC(dialog.Handle(), dc);
  EXPECT_EQ(ground, GetSysColor(COLOR_BTNFACE));
}

// (The AirMail page's boxes stored: the folder browser's test; the offsets
// grid written: the bad line's test.)
TEST_F(OptionsDialogTest, EachPageEditsItsSettingsAndFiles) {
  dialog.OptionsShow(Dialog::kStationsPage);
  ASSERT_TRUE(dialog.Visible());
  Edit(Dialog::kRadioGrid, 0, 3, "14075.0, 10147.3");
  // A look at AirMail's groups and back keeps the file's table as edited (it was read anew).
  HWND file = dialog.Box("Station Stations File"), groups = GetWindow(file, GW_HWNDPREV);
  for (HWND source : {groups, file}) SendMessageA(source, BM_CLICK, 0, 0);
  EXPECT_TRUE(SendMessageA(file, BM_GETCHECK, 0, 0));
  ASSERT_TRUE(dialog.Apply());
  EXPECT_TRUE(Has(ReadBytes(folder.path() / "StationRadioData.txt"), "HAM,K4CJX,1,14075.0 10147.3\r\n"));

  dialog.OptionsShow(Dialog::kHistoryPage);
  // A run learns a value while the page stands open: Apply asks before writing over it (it did not).
  StationHistoryFile(folder.path() / "StationHistoryData.txt", settings, messages).StationHistorySet("HAM", "W1AW", "7102.0", 1);
  Type("Station History Good", "2");
  Type("Station Occupancy Half Life", "14");
  Edit(Dialog::kHistoryGrid, 0, 3, "-1.25");
  // The AutoConnect window's "HF Model..." meanwhile turns the page; what was typed stays (it was read anew).
  dialog.OptionsShow(Dialog::kPropagationPage);
  EXPECT_EQ(dialog.CurrentPage(), Dialog::kPropagationPage);
  ASSERT_TRUE(dialog.Apply());
  EXPECT_EQ(settings.stationHistoryGood, 2.0f);
  EXPECT_EQ(settings.stationOccupancyHalfLife, 14.0f);
  EXPECT_TRUE(Has(ReadBytes(folder.path() / "StationHistoryData.txt"), "14075.0=-1.25"));
  // The occupancy's "Reset" forgets what was heard, and nothing else.
  SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(Dialog::kOccupancyResetId, BN_CLICKED),
               LPARAM(dialog.Control(Dialog::kOccupancyResetId)));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "StationOccupancyData.txt"));
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "StationHistoryData.txt"));
  // The history's own "Reset" (a delete that fails: OptionsGrids' test).
  SendMessageA(dialog.Handle(), WM_COMMAND, Dialog::kResetId, 0);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "StationHistoryData.txt"));

  dialog.OptionsShow(Dialog::kPropagationPage);
  HWND model = dialog.Box("Propagation Model Model");
  SendMessageA(model, CB_SETCURSEL, 0, 0);  // ICEPAC
  SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(model), CBN_SELCHANGE), LPARAM(model));
  EXPECT_EQ(testing::WindowText(dialog.Box("Propagation Model Layer Adjust Es")), "0.7");
  Type("Propagation Model Q Index", "4");
  EXPECT_EQ(testing::WindowText(dialog.Control(Dialog::kKIndexId)), "2.5");
  ASSERT_TRUE(dialog.Apply());
  EXPECT_EQ(settings.propagationModelModel, kModelIcepac);
  EXPECT_EQ(settings.propagationModelLayerAdjustEs, 0.7f);
  EXPECT_EQ(settings.propagationModelQIndex, 4.0f);
  EXPECT_EQ(applied, 3);
  ASSERT_EQ(messages.entries.size(), 2u) << "the groups without a System.HAM.ini, and the changed history file";
  EXPECT_EQ(messages.entries[1].text.rfind("HistoryDataSave, StationHistoryData.txt was changed since it was shown", 0), 0u);
}

// Every grid and box is checked before anything is stored: a bad cell is
// named, and no setting or file changes, not even the other grid's (each
// grid's refusals: OptionsGrids' test).
TEST_F(OptionsDialogTest, ABadCellInAnyGridIsNamedAndNothingIsStored) {
  const std::string offsets = ReadBytes(folder.path() / "StationOffsetData.txt");
  dialog.OptionsShow(Dialog::kOffsetPage);
  SendMessageA(dialog.Box("Station Offset"), BM_SETCHECK, BST_UNCHECKED, 0);
  Edit(Dialog::kOffsetGrid, 0, 3, "2.5");
  Edit(Dialog::kHistoryGrid, 0, 3, "high");
  EXPECT_FALSE(dialog.Apply());
  EXPECT_EQ(messages.Texts().back(), "HistoryDataSave, Row 1, Column Offset: \"high\" is not a number");
  EXPECT_TRUE(settings.stationOffset);
  EXPECT_EQ(ReadBytes(folder.path() / "StationOffsetData.txt"), offsets);
  EXPECT_EQ(applied, 0);

  SendMessageA(dialog.Handle(), WM_COMMAND, Dialog::kDeleteId, 0);
  EXPECT_EQ(messages.Texts().back(), "Please Select the Row to Delete and then Press Delete");
  EXPECT_EQ(dialog.Rows(Dialog::kOffsetGrid).size(), 1u);
}

// The grid scrolled under an open editor: the edit is taken before the
// editor stands over another row (it stayed, and went to the row it was opened on).
TEST_F(OptionsDialogTest, AnEditIsTakenBeforeTheGridScrollsUnderIt) {
  std::string offsets = "System,Station,...\r\n";
  for (int i = 0; i < 40; ++i) offsets += "HAM,K4CJX,14075.0," + std::to_string(i) + ",360,0,0,2400\r\n";
  WriteBytes(folder.path() / "StationOffsetData.txt", offsets);
  dialog.OptionsShow(Dialog::kOffsetPage);
  HWND list = dialog.Control(options_layout::GridControl(Dialog::kOffsetGrid));
  HWND box = dialog.CellEdit(Dialog::kOffsetGrid, 5, 3);
  SetWindowTextA(box, "7.5");
  SendMessageA(list, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(dialog.Rows(Dialog::kOffsetGrid)[5][3], "7.5");
  EXPECT_GT(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0) << "the page went down, not back to the top";
}

// One bad line in the offsets file: the grid shows what was read before
// it, and an Insert then Apply asks before the lines it could not show go;
// No keeps every file and setting as it was.
TEST_F(OptionsDialogTest, AFileReadToABadLineIsWrittenOverOnlyAfterAsking) {
  const auto offsets = folder.path() / "StationOffsetData.txt";
  WriteBytes(offsets, "System,Station,...\r\nHAM,K4CJX,14075.0,1\r\nHAM,W1AW,14075.0,x\r\nHAM,KX1,7102.0,2\r\n");
  for (bool yes : {false, true}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    const std::string before = ReadBytes(offsets), history = ReadBytes(folder.path() / "StationHistoryData.txt");
    RecordingMessenger answers(yes);
    Dialog asking{[] { return HWND{}; }, settings, folder.path(), answers, pump, [] {}};
    asking.OptionsShow(Dialog::kOffsetPage);
    ASSERT_EQ(answers.Texts(), std::vector<std::string>{
                                   "OffsetDataRecall - Read, Type mismatch in line 3: \"HAM,W1AW,14075.0,x\""});
    ASSERT_EQ(asking.Rows(Dialog::kOffsetGrid).size(), 1u);
    SendMessageA(asking.Handle(), WM_COMMAND, Dialog::kInsertId, 0);
    for (auto [column, text] : {std::pair{0, "HAM"}, {1, "VE2AFQ"}, {2, "3587.5"}, {3, "3"}})
      SetWindowTextA(asking.CellEdit(Dialog::kOffsetGrid, 1, column), text);
    SetWindowTextA(asking.CellEdit(Dialog::kHistoryGrid, 0, 3), "2");
    SetWindowTextA(asking.Box("Station History Good"), "3");
    EXPECT_EQ(asking.Apply(), yes);
    // (No AirMail here: the system cell's list tells so.)
    auto question = [](const RecordingMessenger::Entry& entry) { return entry.question; };
    ASSERT_EQ(std::ranges::count_if(answers.entries, question), 1);
    const std::string& asked = std::ranges::find_if(answers.entries, question)->text;
    EXPECT_EQ(asked.rfind("OffsetDataSave, StationOffsetData.txt was not read whole", 0), 0u) << asked;
    EXPECT_EQ(ReadBytes(offsets) == before, !yes);
    EXPECT_EQ(ReadBytes(folder.path() / "StationHistoryData.txt") == history, !yes);
    EXPECT_EQ(settings.stationHistoryGood, yes ? 3.0f : 1.0f);
  }
  EXPECT_TRUE(Has(ReadBytes(offsets), "HAM,K4CJX,14075.0,1,360,0,0000,2400\r\nHAM,VE2AFQ,3587.5,3,360,0,0000,2400\r\n"));
}

// The dialog's boxes belong to the AutoConnect window: while one is up the
// dialog itself takes no click or key (a second Apply, a Cancel, an edit
// under the question).
TEST_F(OptionsDialogTest, TheDialogTakesNoInputWhileItsOwnBoxIsUp) {
  struct Watching final : Messenger {
    HWND dialog = nullptr;
    std::vector<bool> enabled;
    void Show(std::string_view, MessageIcon, std::string_view) override { enabled.push_back(IsWindowEnabled(dialog)); }
    bool AskYesNo(std::string_view, MessageIcon, std::string_view) override {
      enabled.push_back(IsWindowEnabled(dialog));
      return true;
    }
  } watching;
  Dialog watched{[] { return HWND{}; }, settings, folder.path(), watching, pump, [] {}};
  watched.OptionsShow(Dialog::kOffsetPage);
  watching.dialog = watched.Handle();
  SetWindowTextA(watched.Box("Station History Good"), "high");
  for (int button : {Dialog::kDeleteId, Dialog::kApplyId, Dialog::kOkId})
    SendMessageA(watched.Handle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(watched.Control(button)));
  EXPECT_EQ(watching.enabled, std::vector<bool>(3, false));
  EXPECT_TRUE(IsWindowEnabled(watched.Handle())) << "and takes them again after";
  EXPECT_TRUE(watched.Visible());
}

// From the keyboard alone: Tab reaches the page tabs, whose arrows turn the
// pages. Another window used meanwhile (AirMail, the AutoConnect window, a
// box), the focus comes back to the control that had it, not to the dialog's face.
TEST_F(OptionsDialogTest, TheKeyboardReachesEveryPageAndTheFocusComesBackWhereItWas) {
  dialog.OptionsShow(Dialog::kAirmailPage);
  SetActiveWindow(dialog.Handle());
  SetFocus(dialog.Control(Dialog::kOkId));
  HWND tabs = FindWindowExA(dialog.Handle(), nullptr, WC_TABCONTROLA, nullptr);
  for (int i = 0; i < 40 && GetFocus() != tabs; ++i) Key(VK_TAB);
  ASSERT_EQ(GetFocus(), tabs) << "Tab reaches the page tabs";
  Key(VK_RIGHT);
  EXPECT_EQ(dialog.CurrentPage(), Dialog::kStationsPage);
  // Turned to another page from the AutoConnect window's menu, the focus
  // leaves the box of the page turned away for the tabs.
  SetFocus(dialog.Box("Station Stations"));
  dialog.OptionsShow(Dialog::kHistoryPage);
  EXPECT_EQ(GetFocus(), tabs);
  EXPECT_TRUE(testing::FocusComesBack(dialog.Box("Station History Bad")));
  // Alt and a letter: a label's key goes to its box.
  AltKey('g');
  EXPECT_EQ(GetFocus(), dialog.Box("Station History Good"));
}

// Every page's buttons, checks, options and the labels of its boxes have an
// access key, none shared in the page with the dialog's own buttons or its
// menu.
TEST_F(OptionsDialogTest, EveryCaptionOfAPageHasAnAccessKeyOfItsOwn) {
  for (int page = Dialog::kAirmailPage; page <= Dialog::kPropagationPage; ++page) {
    dialog.OptionsShow(static_cast<OptionsDialogLink::Page>(page));
    auto captions = testing::KeyedCaptions(dialog.Handle());
    captions.push_back("&Settings");  // its menu
    EXPECT_EQ(testing::AccessKeyFaults(captions), std::vector<std::string>{}) << "page " << page;
  }
  // What AirMail's files hold shows its "&" as it is, and gives no access key.
  WriteBytes(folder.path() / "Airmail.ini", "[Settings]\r\nLast Program Version=3.2.100 R&D\r\n");
  SendMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
  dialog.OptionsShow(Dialog::kAirmailPage);
  HWND version = GetDlgItem(dialog.Handle(), Dialog::kVersionId);
  ASSERT_NE(testing::WindowText(version).find("R&D"), std::string::npos);
  EXPECT_TRUE(GetWindowLongA(version, GWL_STYLE) & SS_NOPREFIX);
}

// A grid's cells are edited from the keyboard as with the mouse: F2 opens
// the focused row's first cell, Tab goes on from cell to cell. Enter in a
// cell's editor takes the cell, on a button it presses that button, elsewhere OK.
TEST_F(OptionsDialogTest, TheKeyboardEditsTheCellsOfTheFocusedRowAndEnterPressesOk) {
  dialog.OptionsShow(Dialog::kOffsetPage);
  SetActiveWindow(dialog.Handle());
  HWND list = dialog.Control(options_layout::GridControl(Dialog::kOffsetGrid));
  SetFocus(list);
  LVITEMA focused{};
  focused.stateMask = focused.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&focused));
  Key(VK_F2);
  ASSERT_NE(GetFocus(), list) << "an editor over the first cell";
  EXPECT_EQ(testing::WindowText(GetFocus()), "HAM");
  for (int i = 0; i < 4; ++i) Key(VK_TAB);
  SetWindowTextA(GetFocus(), "9");
  Key(VK_RETURN);
  EXPECT_EQ(dialog.Rows(Dialog::kOffsetGrid)[0][4], "9");
  EXPECT_EQ(applied, 0);
  Key(VK_F2);
  for (int i = 0; i < 2; ++i) Key(VK_TAB);
  SetWindowTextA(GetFocus(), "14080.0");
  Key(VK_TAB);
  Key(VK_ESCAPE);  // the next cell's editor given up: the one before it taken
  EXPECT_EQ(dialog.Rows(Dialog::kOffsetGrid)[0][2], "14080.0");
  EXPECT_EQ(GetFocus(), list);
  SetFocus(dialog.Control(Dialog::kInsertId));
  Key(VK_RETURN);
  ASSERT_EQ(dialog.Rows(Dialog::kOffsetGrid).size(), 2u);
  for (auto [column, text] : {std::pair{0, "HAM"}, {1, "VE2AFQ"}, {2, "3587.5"}, {3, "3"}})
    Edit(Dialog::kOffsetGrid, 1, column, text);
  dialog.OptionsShow(Dialog::kHistoryPage);
  Type("Station History Good", "2");
  SetFocus(dialog.Box("Station History Good"));
  Key(VK_RETURN);
  EXPECT_EQ(applied, 1);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(settings.stationHistoryGood, 2.0f);
  EXPECT_TRUE(Has(ReadBytes(folder.path() / "StationOffsetData.txt"), "HAM,K4CJX,14080.0,1,9,"));
}

// A click into a folder box opens the shell's folder browser; Cancel keeps the text.
TEST_F(OptionsDialogTest, AClickIntoAFolderBoxBrowsesForTheFolder) {
  dialog.OptionsShow(Dialog::kAirmailPage);
  // The boxes the browser showed, each answered so.
  auto click = [](HWND box, int answer) {
    testing::MessageBoxAnswerer answerer(answer);
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    return answerer.Texts();
  };
  HWND data = dialog.Box("Airmail Directory Data"), program = dialog.Box("Airmail Directory Program");
  const std::string dataText = testing::WindowText(data);
  auto shown = click(data, IDCANCEL);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].rfind("[AirMail's Data Folder]\n", 0), 0u) << shown[0];
  EXPECT_EQ(testing::WindowText(data), dataText);
  // OK takes the folder the browser opened on: the test's own.
  SetWindowTextA(program, (folder.path().string() + "\\").c_str());
  shown = click(program, IDOK);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].rfind("[AirMail's Program Folder]\n", 0), 0u) << shown[0];
  EXPECT_EQ(lstrcmpiA(testing::WindowText(program).c_str(), folder.path().string().c_str()), 0)
      << testing::WindowText(program);
  ASSERT_TRUE(dialog.Apply());
  EXPECT_EQ(settings.airmailDirectoryProgram, testing::WindowText(program)) << "the page's boxes stored";
}

// The choices of each column: OptionsGrids' test; here the labels' list
// writes the cell back when the editor moves on.
TEST_F(OptionsDialogTest, OffsetCellsTakeAListOfSystemsStationsOrLabels) {
  std::filesystem::copy_file(testing::HostPath(VELMORA_SOURCE_DIR "/tests/airmail/fixture/data/System.HAM.ini"),
                             folder.path() / "System.HAM.ini");
  dialog.OptionsShow(Dialog::kOffsetPage);
  HWND labels = dialog.CellEdit(Dialog::kOffsetGrid, 0, 2);
  ASSERT_EQ(testing::ClassOf(labels), "ListBox");
  EXPECT_EQ(SendMessageA(labels, LB_GETCOUNT, 0, 0), 6);  // K4CJX's five, and the cell's own 14075.0
  EXPECT_EQ(SendMessageA(labels, LB_GETSELCOUNT, 0, 0), 1);
  SendMessageA(labels, LB_SETSEL, TRUE, 1);  // 7102.0(p3)
  dialog.CellEdit(Dialog::kOffsetGrid, 0, 0);
  EXPECT_EQ(dialog.Rows(Dialog::kOffsetGrid)[0][2], "7102.0(p3), 14075.0");
  // Esc in a cell's editor leaves that cell as it was, and the dialog open with its edits (it hid it).
  SetActiveWindow(dialog.Handle());
  HWND box = dialog.CellEdit(Dialog::kOffsetGrid, 0, 3);
  ASSERT_EQ(GetFocus(), box) << "typed into, as a user types";
  SetWindowTextA(box, "9");
  Key(VK_ESCAPE);
  EXPECT_TRUE(dialog.Visible());
  EXPECT_EQ(dialog.Rows(Dialog::kOffsetGrid)[0][3], "1");
  EXPECT_EQ(dialog.Rows(Dialog::kOffsetGrid)[0][2], "7102.0(p3), 14075.0");
}

// The AutoConnect window as the Settings menu meets it: it takes the
// commands, and a recall changes the settings under the dialog.
struct OwnerStandIn {
  AutoConnectSettings& settings;
  std::vector<WPARAM> commands;
  Dialog* dialog = nullptr;  // told of a recall, as the window tells it
  static LRESULT CALLBACK Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OwnerStandIn*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (message != WM_COMMAND || !self) return DefWindowProcA(w, message, wParam, lParam);
    self->commands.push_back(wParam);
    if (wParam == autoconnect_menu::kSettingsRecall) {
      self->settings.stationHistoryGood = 7;
      self->dialog->OptionsSettingsReplaced();
    }
    return 0;
  }
};

TEST_F(OptionsDialogTest, SettingsMenuSavesWhatThePagesShowAndShowsWhatIsRecalled) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &OwnerStandIn::Proc;
  wc.lpszClassName = "VelmoraOwnerStandIn";
  RegisterClassA(&wc);
  OwnerStandIn standIn{settings, {}};
  HWND owner = CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(owner, GWLP_USERDATA, LONG_PTR(&standIn));
  Dialog owned{[&] { return owner; }, settings, folder.path(), messages, pump, [] {}};
  standIn.dialog = &owned;
  bool recallAllowed = true;
  owned.RecallAllowedLinkSet([&] { return recallAllowed; });
  owned.OptionsShow(Dialog::kHistoryPage);
  SetWindowTextA(owned.Box("Station History Bad"), "-3");
  SendMessageA(owned.Handle(), WM_COMMAND, autoconnect_menu::kSettingsSave, 0);
  EXPECT_EQ(settings.stationHistoryBad, -3.0f);
  SetWindowTextA(owned.CellEdit(Dialog::kOffsetGrid, 0, 3), "4");
  SendMessageA(owned.Handle(), WM_COMMAND, autoconnect_menu::kSettingsRecall, 0);
  EXPECT_EQ(testing::WindowText(owned.Box("Station History Good")), "7");
  EXPECT_EQ(owned.Rows(Dialog::kOffsetGrid)[0][3], "4") << "the files' grids are no settings: kept (they were read anew)";
  EXPECT_EQ(standIn.commands,
            (std::vector<WPARAM>{autoconnect_menu::kSettingsSave, autoconnect_menu::kSettingsRecall}));
  // During a run the window takes no recalled profile: greyed, and refused.
  recallAllowed = false;
  HMENU popup = GetSubMenu(GetMenu(owned.Handle()), 0);
  SendMessageA(owned.Handle(), WM_INITMENUPOPUP, WPARAM(popup), 0);
  EXPECT_TRUE(GetMenuState(popup, autoconnect_menu::kSettingsRecall, MF_BYCOMMAND) & MF_GRAYED);
  SendMessageA(owned.Handle(), WM_COMMAND, autoconnect_menu::kSettingsRecall, 0);
  EXPECT_EQ(standIn.commands.size(), 2u);
  DestroyWindow(owner);
}

TEST_F(OptionsDialogTest, ANewerFreqListOffersTheUpdateOnlyWithTheRadioDataSource) {
  namespace fs = std::filesystem;
  const fs::path rtf = folder.path() / "FreqList.rtf", radio = folder.path() / "StationRadioData.txt";
  for (const char* name : {"FreqList.rtf", "System.HAM.ini"})
    fs::copy_file(testing::HostPath(VELMORA_SOURCE_DIR "/tests/airmail/fixture/data/") / name, folder.path() / name);
  fs::last_write_time(radio, fs::last_write_time(rtf) - std::chrono::hours(1));
  settings.stationStationsFile = 0;
  dialog.OptionsShow(Dialog::kStationsPage);
  EXPECT_TRUE(messages.entries.empty());
  EXPECT_FALSE(IsWindowEnabled(dialog.Control(Dialog::kUpdateId)));
  EXPECT_EQ(dialog.Rows(Dialog::kRadioGrid).at(0), (GridRow{"HAM", "W1AW", "1", "14075.0, 14080.0(p3)"}));
  // AirMail's groups are shown, never written: no cell of theirs takes an edit Apply would drop.
  EXPECT_EQ(dialog.CellEdit(Dialog::kRadioGrid, 0, 3), nullptr);

  std::vector<std::string> states;
  dialog.StatusLinkSet([&](std::string_view text) {
    states.emplace_back(text);
    return std::string("Running");  // a run goes on: its state comes back
  });
  settings.stationStationsFile = 1;
  dialog.Hide();
  dialog.OptionsShow(Dialog::kStationsPage);
  EXPECT_EQ(states, (std::vector<std::string>{"Working", "Running"})) << "told while the document is read";
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text, "The Radio Data File is out-of-date.\r\rWould you like to Update it?");
  EXPECT_TRUE(messages.entries[0].question);
  const auto rows = dialog.Rows(Dialog::kRadioGrid);
  ASSERT_GT(rows.size(), 1u);
  // The rebuilt table matches its document: the comparison finds nothing.
  SendMessageA(dialog.Control(Dialog::kCompareId), BM_CLICK, 0, 0);
  EXPECT_EQ(messages.entries.size(), 1u);
  for (int side : {0, 1})
    EXPECT_EQ(SendMessageA(dialog.Differences().List(side), LVM_GETITEMCOUNT, 0, 0), 1) << "the \"No Errors\" row";
  ASSERT_TRUE(dialog.Apply());
  EXPECT_FALSE(RadioDataOutOfDate(rtf, radio));
  EXPECT_EQ(dialog.Rows(Dialog::kRadioGrid), rows);
}

}  // namespace
}  // namespace velmora
