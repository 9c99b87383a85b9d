// The windows on a screen scaled to 150 % (see scaled-screen.sh): every
// caption, label and value shows whole in its control, and every control
// lies within its window. The controls' font grows with the scaling; a
// layout kept in pixels cut "Noise" to "Nois" and pushed buttons off.
#include <windows.h>
#include <commctrl.h>

#include "app/MenuModel.h"
#include "common/win32/ScreenWorkArea.h"
#include "reports/win32/AutoConnectOptionsDialog.h"
#include "reports/win32/HistoryWindow.h"
#include "reports/win32/RadioDifferenceWindow.h"
#include "reports/win32/StationInfoWindow.h"
#include "tests/autoconnect/win32/AutoConnectFixture.h"

namespace velmora {
namespace {

using testing::ClassOf;
using testing::WindowText;

SIZE TextSize(HWND control, const std::string& text, UINT format, int width) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, width, 0};
  DrawTextA(dc, text.c_str(), -1, &r, format | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {r.right, r.bottom};
}

// The room a control's text has beside its check mark, frame or borders.
int TextRoom(HWND control, const std::string& cls, LONG style) {
  RECT client{};
  GetClientRect(control, &client);
  int room = client.right;
  if (cls == "Button") {
    LONG type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX) return room - 16;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) return room - 6;
    return room - GetSystemMetrics(SM_CXMENUCHECK) - 4;
  }
  if (cls == "Edit") {
    DWORD margins = static_cast<DWORD>(SendMessageA(control, EM_GETMARGINS, 0, 0));
    return room - LOWORD(margins) - HIWORD(margins) - 2;
  }
  if (cls == "ComboBox") return room - GetSystemMetrics(SM_CXVSCROLL) - 6;
  return room;
}

// What of a control's text does not show: its text, the room it needs and the room it has.
std::string Cut(HWND control) {
  std::string cls = ClassOf(control), text = WindowText(control);
  LONG style = GetWindowLongA(control, GWL_STYLE);
  RECT client{};
  GetClientRect(control, &client);
  if (cls == "ListBox") {
    LRESULT lines = SendMessageA(control, LB_GETCOUNT, 0, 0), height = SendMessageA(control, LB_GETITEMHEIGHT, 0, 0);
    if (lines * height <= client.bottom) return {};
    return std::to_string(lines) + " lines need " + std::to_string(lines * height) + ", have " +
           std::to_string(client.bottom);
  }
  std::vector<std::string> texts{text};
  if (cls == "SysDateTimePick32") {
    SYSTEMTIME day{};
    SendMessageA(control, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&day));
    char shown[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, shown, sizeof shown);
    texts = {shown};
    cls = "ComboBox";  // a date beside its drop-down button
  } else if (cls == "ComboBox") {
    texts.clear();
    char item[256];
    for (LRESULT i = 0, n = SendMessageA(control, CB_GETCOUNT, 0, 0); i < n; ++i)
      if (SendMessageA(control, CB_GETLBTEXTLEN, i, 0) < LRESULT{sizeof item}) {
        SendMessageA(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        texts.emplace_back(item);
      }
  } else if (cls == "Static") {
    LONG type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP) return {};
  } else if (cls == "Edit" && text.find('\\') != std::string::npos) {
    return {};  // a folder's path scrolls in its box at any scaling
  } else if (cls != "Button" && cls != "Edit") {
    return {};
  }
  bool wraps = (cls == "Static" && (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP) ||
               (cls == "Button" && (style & BS_MULTILINE));
  int room = TextRoom(control, cls, style);
  for (const auto& shown : texts) {
    if (shown.empty()) continue;
    SIZE need = TextSize(control, shown, wraps ? DT_WORDBREAK : DT_SINGLELINE, room);
    bool tooHigh = cls != "Edit" && cls != "ComboBox" && (style & BS_TYPEMASK) != BS_GROUPBOX &&
                   need.cy > client.bottom - (cls == "Button" && (style & BS_MULTILINE) ? 6 : 0);
    if (need.cx > room || tooHigh)
      return "\"" + shown + "\" needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) + ", has " +
             std::to_string(room) + "x" + std::to_string(client.bottom);
  }
  return {};
}

// Every shown control of a window whose text is cut or that lies outside the window.
std::vector<std::string> CutControls(HWND window) {
  std::vector<std::string> found;
  RECT inside{};
  GetClientRect(window, &inside);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&inside), 2);
  for (HWND control : testing::Windows(EnumChildWindows, window)) {
    if (!IsWindowVisible(control)) continue;
    RECT r{};
    GetWindowRect(control, &r);
    std::string name = ClassOf(control) + " \"" + WindowText(control) + "\"";
    if (r.left < inside.left || r.top < inside.top || r.right > inside.right || r.bottom > inside.bottom)
      found.push_back(name + " lies outside its window");
    if (std::string cut = Cut(control); !cut.empty()) found.push_back(ClassOf(control) + " " + cut);
  }
  return found;
}

class ScaledScreenTest : public testing::AutoConnectFixture {};

TEST_F(ScaledScreenTest, TheScreenIsScaled) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 144) << "run through scaled-screen.sh";
  ReleaseDC(nullptr, screen);
}

TEST_F(ScaledScreenTest, TheAutoConnectWindowAndItsOptionsDialogShowEveryModeAndPageWhole) {
  Open();
  testing::MessageBoxAnswerer answerer(IDNO);
  for (int mode = 0; mode < static_cast<int>(ModeItems().size()); ++mode) {
    window->ModeChoose(mode);
    pump.RunPending();
    EXPECT_EQ(CutControls(window->Handle()), std::vector<std::string>{}) << "mode " << mode;
  }
  RecordingMessenger messages{true};
  AutoConnectOptionsDialog dialog{[this] { return window->Handle(); }, window->Settings(), data.path(), messages, pump,
                                  [] {}};
  for (auto page : {OptionsDialogLink::kAirmailPage, OptionsDialogLink::kStationsPage, OptionsDialogLink::kOffsetPage,
                    OptionsDialogLink::kHistoryPage, OptionsDialogLink::kPropagationPage}) {
    dialog.OptionsShow(page);
    pump.RunPending();
    EXPECT_EQ(CutControls(dialog.Handle()), std::vector<std::string>{}) << "page " << page;
  }
}

// A screen 720 pixels high at 150 %: the AutoConnect window comes up within
// its work area, the options dialog too, scrolled to reach its buttons, and
// the tool windows.
TEST_F(ScaledScreenTest, OnASmallScreenTheWindowsAndTheOptionsDialogFitTheScreen) {
  struct SmallScreen {
    SmallScreen() {
      DEVMODEA mode{};
      mode.dmSize = sizeof mode;
      mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
      mode.dmPelsWidth = 1280, mode.dmPelsHeight = 720;
      changed = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    }
    ~SmallScreen() { ChangeDisplaySettingsA(nullptr, 0); }
    bool changed = false;
  } screen;
  ASSERT_TRUE(screen.changed);
  auto outside = [](HWND w) {
    RECT r{}, within{};
    GetWindowRect(w, &r);
    const RECT work = ScreenWorkArea(r);
    return !UnionRect(&within, &r, &work) || !EqualRect(&within, &work);
  };
  Open();
  EXPECT_FALSE(outside(window->Handle()));
  RecordingMessenger messages{true};
  AutoConnectOptionsDialog dialog{[this] { return window->Handle(); }, window->Settings(), data.path(), messages, pump,
                                  [] {}};
  dialog.OptionsShow(OptionsDialogLink::kAirmailPage);
  pump.RunPending();
  EXPECT_FALSE(outside(dialog.Handle()));
  SendMessageA(dialog.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  RECT client{}, ok{};
  GetClientRect(dialog.Handle(), &client);
  MapWindowPoints(dialog.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  GetWindowRect(GetDlgItem(dialog.Handle(), AutoConnectOptionsDialog::kOkId), &ok);
  EXPECT_LE(ok.bottom, std::min(client.bottom, ScreenWorkArea(ok).bottom)) << "OK within reach";
  // Tabbed to, a control out of sight comes into it.
  SendMessageA(dialog.Handle(), WM_VSCROLL, SB_TOP, 0);
  SetFocus(GetDlgItem(dialog.Handle(), AutoConnectOptionsDialog::kCancelId));
  GetWindowRect(GetDlgItem(dialog.Handle(), AutoConnectOptionsDialog::kCancelId), &ok);
  EXPECT_LE(ok.bottom, client.bottom) << "Cancel in sight";
  // The tool windows whose frames grew with the font.
  StationInfoWindow info{window->Handle(), messages, [](const std::string&) { return StationInfoLabels{}; }};
  info.ShowStation("K4CJX");
  EXPECT_FALSE(outside(info.Handle())) << "Station Info";
  main->HelpShow(MainWindowLink::HelpTopic::Diagram);
  EXPECT_FALSE(outside(main->Diagram()->Handle())) << "Block Diagram";
}

// Shrunk beside the AutoConnect window ("Airmail Resize"), the main window
// keeps its toolbar's buttons in reach, all but the one that opened AutoConnect.
TEST_F(ScaledScreenTest, TheMainWindowShrunkBesideAutoConnectKeepsItsToolbar) {
  Settings("Mode Index=1\r\nAirmail Resize=True\r\n");
  Open();
  HWND toolbar = main->Tools().Handle();
  RECT room{};
  GetClientRect(main->Handle(), &room);
  for (const ToolbarButton& button : kMainToolbar) {
    if (std::string_view(button.key) == "Airmail") continue;
    LRESULT index = SendMessageA(toolbar, TB_COMMANDTOINDEX, main->Tools().IdOf(button.key), 0);
    RECT r{};
    SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    EXPECT_LE(r.right, room.right) << button.key;
  }
}

TEST_F(ScaledScreenTest, TheOptionsDialogAndTheToolWindowsShowTheirTextsWhole) {
  OpenMain();
  for (int tab = OptionsDialog::kInputTab; tab <= OptionsDialog::kOutputTab; ++tab) {
    main->Command(menu::kOptionsInput + tab);
    ASSERT_TRUE(main->Options()->Visible());
    EXPECT_EQ(CutControls(main->Options()->Handle()), std::vector<std::string>{}) << "tab " << tab;
  }
  main->HelpShow(MainWindowLink::HelpTopic::About);
  ASSERT_TRUE(IsWindowVisible(main->About()->Handle()));
  EXPECT_EQ(CutControls(main->About()->Handle()), std::vector<std::string>{}) << "About";
  main->HelpShow(MainWindowLink::HelpTopic::Diagram);
  SendMessageA(main->Diagram()->Handle(), WM_COMMAND, 100, 0);  // its "Velmora Program" box
  ASSERT_TRUE(IsWindowVisible(main->DiagramMain()->Handle()));
  EXPECT_EQ(CutControls(main->Diagram()->Handle()), std::vector<std::string>{}) << "Block Diagram";
  EXPECT_EQ(CutControls(main->DiagramMain()->Handle()), std::vector<std::string>{}) << "Block Diagram - Program";

  RecordingMessenger messages{true};
  StationInfoWindow info{main->Handle(), messages, [](const std::string&) {
                           return StationInfoLabels{"Range: 10800", "Bearing To: 359", "Bearing From: 359"};
                         }};
  info.ShowBeams({"K4CJX"});
  info.ShowStation("K4CJX");
  EXPECT_EQ(CutControls(info.Handle()), std::vector<std::string>{}) << "Station Info";

  RadioDifferenceWindow differences;
  differences.Show(main->Handle(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), {},
                   "StationRadioData.txt Data", "System.HAM.ini Data");
  EXPECT_EQ(CutControls(differences.Handle()), std::vector<std::string>{}) << "Check for Difference";

  testing::WriteBytes(data.path() / "AutoConnectLog.txt",
                      "03/01/25 10:00:00,1,2,5,0,30,20,600,1,Connected ,2,WLO,12.5,-61.25,20,10,150\r\n"
                      "12/28/25 12:00:00,2,2,0,0,30,20,900,1,Connected ,2,KPH,12.5,-61.25,0,0,0\r\n");
  HistoryWindow history{main->Handle(), HistoryKind::LogFile, messages};
  history.Show(data.path() / "AutoConnectLog.txt");
  EXPECT_EQ(CutControls(history.Handle()), std::vector<std::string>{}) << "AutoConnect - History";
}

}  // namespace
}  // namespace velmora
