#include "reports/win32/AutoConnectOptionsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "autoconnect/AutoConnectMenus.h"
#include "common/win32/MenuBuilder.h"
#include "common/win32/WindowFind.h"
#include "common/win32/WindowObject.h"
#include "common/win32/WindowText.h"
#include "common/SystemLib.h"
#include "reports/AutoConnectOptions.h"
#include "selection/StationHistoryData.h"
#include "selection/StationOccupancy.h"
#include "selection/StationOffsets.h"
#include "airmail/StationRadioData.h"

namespace velmora {
namespace {

constexpr char kClassName[] = "VelmoraAutoConnectOptions";
constexpr int kLeft = 20, kTop = 44;  // a page's controls, from the dialog's corner

constexpr int GridControl(int grid) { return AutoConnectOptionsDialog::kGridId + grid; }

enum class Kind { Label, Group, Check, Edit, Choice, ListEdit, RadioBool, RadioChoice, Button, Grid };

// One control of a page: where it sits and, for a box, the setting it edits.
struct Layout {
  int page;
  Kind kind;
  const char* key;      // the setting, or nullptr
  const char* caption;  // an option pair's two captions are separated by "|"
  int x, y, w, h;
  int id = 0;  // for a control bound to no setting
};

constexpr Layout kLayout[] = {
    {0, Kind::Label, nullptr, "AirMail Data Folder", 0, 3, 150, 18},
    {0, Kind::Edit, "Airmail Directory Data", nullptr, 160, 0, 440, 22},
    {0, Kind::Label, nullptr, "AirMail Program Folder", 0, 33, 150, 18},
    {0, Kind::Edit, "Airmail Directory Program", nullptr, 160, 30, 440, 22},
    {0, Kind::Check, "Airmail Lat/Lon Check", "Check the Position's Age", 0, 66, 220, 20},
    {0, Kind::Label, nullptr, "Days", 230, 68, 60, 18},
    {0, Kind::Edit, "Airmail Lat/Lon Check Days", nullptr, 300, 64, 60, 22},
    {0, Kind::Check, "Last Connect Check", "Check the Last Connection", 0, 96, 220, 20},
    {0, Kind::Label, nullptr, "Minutes", 230, 98, 60, 18},
    {0, Kind::Edit, "Last Connect Check Minutes", nullptr, 300, 94, 60, 22},
    {0, Kind::Check, "Airmail Resize", "Resize AirMail's Windows", 0, 126, 300, 20},
    {0, Kind::Check, "Airmail Startup", "Start AirMail when it is not Running", 0, 152, 300, 20},
    {0, Kind::Check, "Log File", "Log File", 0, 178, 300, 20},
    {0, Kind::Group, nullptr, "Connection Status", 0, 208, 400, 74},
    {0, Kind::RadioBool, "Terminal Connect Check File", "Read the Terminal's Status Line|Watch AirMail's Debug Log", 12,
     228, 370, 20},
    {0, Kind::Label, nullptr, "", 0, 300, 600, 34, AutoConnectOptionsDialog::kVersionId},
    {0, Kind::Label, nullptr, "", 0, 342, 600, 34, AutoConnectOptionsDialog::kPositionId},
    {1, Kind::Check, "Station Stations", "Use the Station Transceivers", 0, 0, 300, 20},
    {1, Kind::RadioChoice, "Station Stations File", "System.HAM.ini Frequency Groups|StationRadioData.txt", 0, 26,
     260, 20},
    {1, Kind::Button, nullptr, "Update", 520, 22, 80, 24, AutoConnectOptionsDialog::kUpdateId},
    {1, Kind::Button, nullptr, "Info", 520, 50, 80, 24, AutoConnectOptionsDialog::kRadioInfoId},
    {1, Kind::Check, nullptr, "", 310, 0, 290, 20, AutoConnectOptionsDialog::kCompareId},
    {1, Kind::Label, nullptr, "", 0, 54, 500, 18, AutoConnectOptionsDialog::kLastModifiedId},
    {1, Kind::Grid, nullptr, nullptr, 0, 78, 600, 300, GridControl(AutoConnectOptionsDialog::kRadioGrid)},
    {2, Kind::Check, "Station Offset", "Apply the Station Antenna Offsets", 0, 0, 300, 20},
    {2, Kind::Grid, nullptr, nullptr, 0, 28, 600, 320, GridControl(AutoConnectOptionsDialog::kOffsetGrid)},
    {2, Kind::Button, nullptr, "Insert", 0, 356, 80, 24, AutoConnectOptionsDialog::kInsertId},
    {2, Kind::Button, nullptr, "Delete", 90, 356, 80, 24, AutoConnectOptionsDialog::kDeleteId},
    {2, Kind::Button, nullptr, "Sort", 180, 356, 80, 24, AutoConnectOptionsDialog::kSortId},
    {2, Kind::Button, nullptr, "Check", 270, 356, 80, 24, AutoConnectOptionsDialog::kCheckId},
    {2, Kind::Button, nullptr, "Info", 360, 356, 80, 24, AutoConnectOptionsDialog::kOffsetInfoId},
    {3, Kind::Check, "Station History", "Apply the Station History", 0, 0, 220, 20},
    {3, Kind::Check, "Station History Debug", "Debug", 240, 0, 100, 20},
    {3, Kind::Label, nullptr, "Good", 0, 32, 40, 18},
    {3, Kind::Edit, "Station History Good", nullptr, 45, 28, 60, 22},
    {3, Kind::Label, nullptr, "Bad", 125, 32, 40, 18},
    {3, Kind::Edit, "Station History Bad", nullptr, 165, 28, 60, 22},
    {3, Kind::Label, nullptr, "Max", 245, 32, 40, 18},
    {3, Kind::Edit, "Station History Max", nullptr, 285, 28, 60, 22},
    {3, Kind::Label, nullptr, "Min", 365, 32, 40, 18},
    {3, Kind::Edit, "Station History Min", nullptr, 405, 28, 60, 22},
    {3, Kind::Grid, nullptr, nullptr, 0, 60, 600, 288, GridControl(AutoConnectOptionsDialog::kHistoryGrid)},
    {3, Kind::Button, nullptr, "Reset", 0, 356, 80, 24, AutoConnectOptionsDialog::kResetId},
    {3, Kind::Group, nullptr, "Channel Occupancy", 100, 348, 500, 50},
    {3, Kind::Label, nullptr, "Half Life (Days)", 112, 370, 100, 18},
    {3, Kind::Edit, "Station Occupancy Half Life", nullptr, 215, 366, 50, 22},
    {3, Kind::Button, nullptr, "Reset", 280, 365, 80, 24, AutoConnectOptionsDialog::kOccupancyResetId},
    {4, Kind::Label, nullptr, "Model", 0, 3, 150, 18},
    {4, Kind::Choice, "Propagation Model Model", "ICEPAC|VOACAP|REC533", 160, 0, 140, 200},
    {4, Kind::Label, nullptr, "Ionospheric Coefficients", 0, 33, 150, 18},
    {4, Kind::ListEdit, "Propagation Model Ion Coefficients", "URSI|CCIR", 160, 30, 140, 200},
    {4, Kind::Label, nullptr, "E Layer Adjust", 0, 69, 150, 18},
    {4, Kind::Edit, "Propagation Model Layer Adjust E", nullptr, 160, 66, 80, 22},
    {4, Kind::Label, nullptr, "Es Layer Adjust", 0, 99, 150, 18},
    {4, Kind::Edit, "Propagation Model Layer Adjust Es", nullptr, 160, 96, 80, 22},
    {4, Kind::Label, nullptr, "F1 Layer Adjust", 0, 129, 150, 18},
    {4, Kind::Edit, "Propagation Model Layer Adjust F1", nullptr, 160, 126, 80, 22},
    {4, Kind::Label, nullptr, "F2 Layer Adjust", 0, 159, 150, 18},
    {4, Kind::Edit, "Propagation Model Layer Adjust F2", nullptr, 160, 156, 80, 22},
    {4, Kind::Label, nullptr, "Multipath Delay (ms)", 0, 189, 150, 18},
    {4, Kind::Edit, "Propagation Model Multipath Delay", nullptr, 160, 186, 80, 22},
    {4, Kind::Label, nullptr, "Multipath Power (dB)", 0, 219, 150, 18},
    {4, Kind::Edit, "Propagation Model Multipath Power", nullptr, 160, 216, 80, 22},
    {4, Kind::Label, nullptr, "Noise Level (dBW)", 0, 249, 150, 18},
    {4, Kind::Edit, "Propagation Model Noise Level", nullptr, 160, 246, 80, 22},
    {4, Kind::Label, nullptr, "Q Index", 320, 69, 120, 18},
    {4, Kind::Edit, "Propagation Model Q Index", nullptr, 450, 66, 60, 22},
    {4, Kind::Label, nullptr, "", 520, 69, 80, 18, AutoConnectOptionsDialog::kKIndexId},
    {4, Kind::Label, nullptr, "Reliability (%)", 320, 99, 120, 18},
    {4, Kind::Edit, "Propagation Model Reliability", nullptr, 450, 96, 60, 22},
    {4, Kind::Check, "Propagation Model Sun Spot", "Sun Spots from AirMail", 320, 126, 200, 20},
    {4, Kind::Label, nullptr, "Sun Spot Number", 320, 159, 120, 18},
    {4, Kind::Edit, "Propagation Model Sun Spot Number", nullptr, 450, 156, 60, 22},
    {4, Kind::Label, nullptr, "Takeoff Angle (Deg)", 320, 189, 120, 18},
    {4, Kind::Edit, "Propagation Model Takeoff Angle", nullptr, 450, 186, 60, 22},
    {4, Kind::Label, nullptr, "Time Shift (Hours)", 320, 219, 120, 18},
    {4, Kind::Edit, "Propagation Model Time Shift", nullptr, 450, 216, 60, 22},
};

// Each grid's headers and the sample texts that set its columns' widths.
struct GridColumns {
  std::span<const char* const> headers;
  std::array<const char*, 8> samples;
};
const GridColumns kGrids[] = {
    {kRadioGridHeaders, {"--System-", "-----Station-", "-Tx Rc-", "------------------------Frequency-"}},
    {kOffsetGridHeaders,
     {"--------System-", "-------------------Station-", "-----10000.0(p3)--", "-Offset-", "-Ant Bw-", "-Ant Az-",
      "--Start--", "--Stop--"}},
    {kHistoryGridHeaders, {"--------System-", "-------------------Station-", "-----10000.0(p3)--", "--Offset--"}},
};

int BindingIndex(std::string_view key) {
  auto bindings = AutoConnectOptionBindings();
  for (size_t i = 0; i < bindings.size(); ++i)
    if (bindings[i].key == key) return static_cast<int>(i);
  return -1;
}

// A label or frame of its own has an id of its own, so each shows with its page.
int IdOf(const Layout& l) {
  if (l.key) return AutoConnectOptionsDialog::kBoxId + BindingIndex(l.key);
  return l.id ? l.id : 2000 + static_cast<int>(&l - kLayout);
}

std::vector<std::string> Parts(const char* caption) {
  std::vector<std::string> parts;
  std::string_view rest = caption ? caption : "";
  for (size_t bar; (bar = rest.find('|')) != std::string_view::npos; rest.remove_prefix(bar + 1))
    parts.emplace_back(rest.substr(0, bar));
  parts.emplace_back(rest);
  return parts;
}

// A label's lines: the messages' CR as a line break the control shows.
void SetLines(HWND label, std::string_view text) {
  std::string lines;
  for (char c : text) lines += c == '\r' ? std::string("\r\n") : std::string(1, c);
  SetWindowTextA(label, lines.c_str());
}

bool ClassIs(HWND window, const char* cls) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpiA(name, cls) == 0;
}

// Each kind of control numbers its notifications its own way.
int KillFocusCode(HWND editor) {
  if (ClassIs(editor, "ListBox")) return LBN_KILLFOCUS;
  return ClassIs(editor, "ComboBox") ? CBN_KILLFOCUS : EN_KILLFOCUS;
}

bool Checked(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Check(HWND control, bool on) { SendMessageA(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

}  // namespace

AutoConnectOptionsDialog::AutoConnectOptionsDialog(std::function<HWND()> owner, AutoConnectSettings& settings,
                                                   std::filesystem::path folder, Messenger& messages,
                                                   MessagePump& pump, std::function<void()> afterApply)
    : owner_(std::move(owner)), settings_(settings), folder_(std::move(folder)), messages_(messages), pump_(pump),
      afterApply_(std::move(afterApply)) {}

AutoConnectOptionsDialog::~AutoConnectOptionsDialog() {
  if (hwnd_) {
    pump_.RemoveModeless(hwnd_);
    DestroyWindow(hwnd_);
  }
}

HWND AutoConnectOptionsDialog::Box(std::string_view key) const { return Control(kBoxId + BindingIndex(key)); }

std::filesystem::path AutoConnectOptionsDialog::FileOf(Grid grid) const {
  const char* names[] = {kStationRadioDataFile, kStationOffsetDataFile, kStationHistoryDataFile};
  return folder_ / names[grid];
}

// The settings profile is the AutoConnect window's: its own Recall and
// Save serve this menu, so both read and write the same keys.
HMENU AutoConnectOptionsDialog::SettingsMenu() {
  using namespace autoconnect_menu;
  const MenuDefinition settings{"mnuSettings",
                                "Settings",
                                true,
                                {{"mnuSettingsRecall", "Recall...", kSettingsRecall},
                                 {"mnuSettingsSave", "Save...", kSettingsSave}}};
  return BuildMenuBar(std::span(&settings, 1), [](int) { return true; });
}

void AutoConnectOptionsDialog::SettingsRecall() {
  CellCommit();
  SendMessageA(owner_(), WM_COMMAND, autoconnect_menu::kSettingsRecall, 0);
  DataSet();
}

// What the pages show is what is saved.
void AutoConnectOptionsDialog::SettingsSave() {
  if (Apply()) SendMessageA(owner_(), WM_COMMAND, autoconnect_menu::kSettingsSave, 0);
}

bool AutoConnectOptionsDialog::Create() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &AutoConnectOptionsDialog::WndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);  // fails harmlessly when registered before
  RECT r{0, 0, 664, 500};
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  AdjustWindowRect(&r, style, TRUE);
  hwnd_ = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, "AutoConnect - Options", style, CW_USEDEFAULT,
                          CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, owner_(), SettingsMenu(),
                          GetModuleHandleA(nullptr), this);
  if (!hwnd_) return false;
  CreateControls();
  pump_.AddModeless(hwnd_);
  PlaceBeside(hwnd_, owner_());
  return true;
}

void AutoConnectOptionsDialog::CreateControls() {
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HINSTANCE instance = GetModuleHandleA(nullptr);
  auto make = [&](const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
                  DWORD exStyle = 0) {
    HWND w32 = CreateWindowExA(exStyle, cls, text, WS_CHILD | style, x, y, w, h, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(w32, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return w32;
  };
  // The tabs alone, over a frame: the pages' controls then sit on the
  // dialog's own face, whatever colour a theme gives a tab's body.
  tab_ = make(WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPSIBLINGS, 8, 8, 648, 24, 1000);
  make("STATIC", "", WS_VISIBLE | SS_ETCHEDFRAME, 8, 31, 648, 417, 999);
  for (int i = 0; i < 5; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kOptionsPageNames[i]);
    SendMessageA(tab_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  for (const auto& l : kLayout) {
    int x = kLeft + l.x, y = kTop + l.y, id = IdOf(l);
    auto parts = Parts(l.caption);
    switch (l.kind) {
      case Kind::Label: make("STATIC", l.caption, 0, x, y, l.w, l.h, id); break;
      case Kind::Group: make("BUTTON", l.caption, BS_GROUPBOX, x, y, l.w, l.h, id); break;
      case Kind::Check: make("BUTTON", l.caption, WS_TABSTOP | BS_AUTOCHECKBOX, x, y, l.w, l.h, id); break;
      case Kind::Edit:
        make("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, x, y, l.w, l.h, id, WS_EX_CLIENTEDGE);
        break;
      case Kind::Choice:
      case Kind::ListEdit: {
        DWORD listStyle = l.kind == Kind::Choice ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
        HWND list = make("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | listStyle, x, y, l.w, l.h, id);
        for (const auto& part : parts) SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(part.c_str()));
        break;
      }
      case Kind::RadioBool:
      case Kind::RadioChoice: {
        // Side by side when the pair sits on one line, else one under the other.
        bool across = l.kind == Kind::RadioChoice;
        make("BUTTON", parts[0].c_str(), WS_TABSTOP | BS_AUTORADIOBUTTON | WS_GROUP, x, y, l.w, l.h,
             kOtherRadioId + BindingIndex(l.key));
        make("BUTTON", parts[1].c_str(), BS_AUTORADIOBUTTON, across ? x + l.w + 10 : x, across ? y : y + l.h + 4,
             l.w, l.h, id);
        break;
      }
      case Kind::Button: make("BUTTON", l.caption, WS_TABSTOP | BS_PUSHBUTTON, x, y, l.w, l.h, id); break;
      case Kind::Grid: {
        HWND grid = make(WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, x, y, l.w,
                         l.h, id, WS_EX_CLIENTEDGE);
        SendMessageA(grid, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        const auto& columns = kGrids[id - kGridId];
        HDC dc = GetDC(grid);
        HGDIOBJ old = SelectObject(dc, font_);
        for (size_t c = 0; c < columns.headers.size(); ++c) {
          SIZE size{};
          GetTextExtentPoint32A(dc, columns.samples[c], static_cast<int>(strlen(columns.samples[c])), &size);
          LVCOLUMNA column{};
          column.mask = LVCF_TEXT | LVCF_WIDTH;
          column.pszText = const_cast<char*>(columns.headers[c]);
          // The header too must fit, whatever the font makes of the sample.
          SIZE header{};
          GetTextExtentPoint32A(dc, columns.headers[c], static_cast<int>(strlen(columns.headers[c])), &header);
          column.cx = std::max(size.cx, header.cx) + 12;
          SendMessageA(grid, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
        }
        SelectObject(dc, old);
        ReleaseDC(grid, dc);
        break;
      }
    }
  }
  make("BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 404, 460, 80, 26, kOkId);
  make("BUTTON", "Apply", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 490, 460, 80, 26, kApplyId);
  make("BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 576, 460, 80, 26, kCancelId);
}

void AutoConnectOptionsDialog::OptionsShow(Page page) {
  if (!hwnd_ && !Create()) return;
  DataSet();
  SelectPage(page);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (settings_.stationStationsFile == 1 && RadioDataOutOfDate(FreqListFile(), FileOf(kRadioGrid)) &&
      messages_.AskYesNo("The Radio Data File is out-of-date.\r\rWould you like to Update it?"))
    RadioUpdate();
}

std::filesystem::path AutoConnectOptionsDialog::FreqListFile() const {
  return std::filesystem::path(settings_.airmailDirectoryData) / "FreqList.rtf";
}

void AutoConnectOptionsDialog::RadioUpdate() {
  CellCommit();
  if (status_) status_("Working");
  auto rows = RadioGridFromFreqList(FreqListFile(), messages_);
  if (status_) status_("");
  if (rows) {
    rows_[kRadioGrid] = std::move(*rows);
    edited_[kRadioGrid] = true;
    GridShow(kRadioGrid);
  }
}

// The transceivers of the source: AirMail's HAM groups, or the file.
void AutoConnectOptionsDialog::RadioRecall(int source) {
  CellCommit();
  if (source == 1) {
    rows_[kRadioGrid] = RadioGridRecall(FileOf(kRadioGrid), messages_);
  } else {
    AirmailDataFolder data(settings_.airmailDirectoryData, messages_);
    rows_[kRadioGrid] = RadioGridFromHamGroups(data, messages_).value_or(GridRows{});
  }
  edited_[kRadioGrid] = false;
  radioSource_ = source;
  GridShow(kRadioGrid);
}

// The Update button and the dates by the transceiver source chosen.
void AutoConnectOptionsDialog::StationsSourceShow() {
  int source = Checked(Box("Station Stations File")) ? 1 : 0;
  SetWindowTextA(Control(kCompareId),
                 source == 0 ? "Check System.Ham.ini and FreqList.rtf" : "Check FreqList.rtf and SystemRadioData.txt");
  EnableWindow(Control(kUpdateId), source == 1);
  SetWindowTextA(Control(kLastModifiedId), LastModifiedLabel(FreqListFile(), FileOf(kRadioGrid), source).c_str());
}

// The source shown against "FreqList.rtf": AirMail's HAM groups, or the
// grid as it stands.
void AutoConnectOptionsDialog::RadioSourcesCheck() {
  CellCommit();
  if (status_) status_("Working");
  auto freqList = RadioGridFromFreqList(FreqListFile(), messages_);
  std::optional<GridRows> other = rows_[kRadioGrid];
  if (radioSource_ == 0) {
    AirmailDataFolder data(settings_.airmailDirectoryData, messages_);
    other = RadioGridFromHamGroups(data, messages_);
  }
  if (status_) status_("");
  if (!freqList || !other) return;
  const bool ham = radioSource_ == 0;
  const GridRows& first = ham ? *other : *freqList;
  const GridRows& second = ham ? *freqList : *other;
  RadioSourcesCompare(first, second, messages_);
  if (status_) status_("Check for Difference");
  const auto tables = RadioSourcesDifference(first, second);
  if (status_) status_("");
  differences_.Show(hwnd_, font_, tables, ham ? "System.HAM.ini Data" : "FreqList.rtf Data",
                    ham ? "FreqList.rtf Data" : "StationRadioData.txt Data");
}

void AutoConnectOptionsDialog::Hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void AutoConnectOptionsDialog::SelectPage(int page) {
  CellCommit();
  page_ = std::clamp(page, 0, 4);
  SendMessageA(tab_, TCM_SETCURSEL, page_, 0);
  for (const auto& l : kLayout) {
    int show = l.page == page_ ? SW_SHOW : SW_HIDE;
    ShowWindow(Control(IdOf(l)), show);
    if (l.kind == Kind::RadioBool || l.kind == Kind::RadioChoice)
      ShowWindow(Control(kOtherRadioId + BindingIndex(l.key)), show);
  }
}

void AutoConnectOptionsDialog::DataSet() {
  auto values = OptionsDataSet(settings_);
  for (const auto& l : kLayout) {
    if (!l.key) continue;
    const std::string& value = values[l.key];
    HWND box = Control(IdOf(l));
    switch (l.kind) {
      case Kind::Check: Check(box, value == "True"); break;
      case Kind::Choice: SendMessageA(box, CB_SETCURSEL, std::atoi(value.c_str()), 0); break;
      case Kind::RadioBool:
      case Kind::RadioChoice: {
        bool second = value == "True" || value == "1";
        Check(box, second);
        Check(Control(kOtherRadioId + BindingIndex(l.key)), !second);
        break;
      }
      default: SetWindowTextA(box, value.c_str()); break;
    }
  }
  rows_ = {GridRows{}, OffsetGridRecall(FileOf(kOffsetGrid), messages_),
           HistoryGridRecall(FileOf(kHistoryGrid), messages_)};
  edited_ = {};
  for (int g = 0; g < kGridCount; ++g) GridShow(static_cast<Grid>(g));
  RadioRecall(settings_.stationStationsFile);
  EnableFollowers();
  StationsSourceShow();
  AirmailDataFolder data(settings_.airmailDirectoryData, messages_);
  SetLines(Control(kVersionId), AirmailVersionText(data));
  SetLines(Control(kPositionId), AirmailPositionText(data, UtcNow()));
  SetWindowTextA(Control(kKIndexId), ("K " + KIndexText(WindowString(Box("Propagation Model Q Index")))).c_str());
}

void AutoConnectOptionsDialog::GridShow(Grid grid) {
  HWND list = Control(GridControl(grid));
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (size_t r = 0; r < rows_[grid].size(); ++r) {
    const auto& row = rows_[grid][r];
    for (size_t c = 0; c < row.size(); ++c) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = static_cast<int>(c);
      item.pszText = const_cast<char*>(row[c].c_str());
      SendMessageA(list, c == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, c == 0 ? 0 : r, reinterpret_cast<LPARAM>(&item));
    }
  }
}

void AutoConnectOptionsDialog::EnableFollowers() {
  EnableWindow(Box("Airmail Lat/Lon Check Days"), Checked(Box("Airmail Lat/Lon Check")));
  EnableWindow(Box("Last Connect Check Minutes"), Checked(Box("Last Connect Check")));
  EnableWindow(Box("Propagation Model Sun Spot Number"), !Checked(Box("Propagation Model Sun Spot")));
  // REC533 takes no layer adjustments, multipath or Q index.
  bool ituModel = SendMessageA(Box("Propagation Model Model"), CB_GETCURSEL, 0, 0) + kModelIcepac != kModelRec533;
  for (const char* key : {"Propagation Model Layer Adjust E", "Propagation Model Layer Adjust Es",
                          "Propagation Model Layer Adjust F1", "Propagation Model Layer Adjust F2",
                          "Propagation Model Multipath Delay", "Propagation Model Multipath Power",
                          "Propagation Model Q Index"})
    EnableWindow(Box(key), ituModel);
  EnableWindow(Control(kKIndexId), ituModel);
}

void AutoConnectOptionsDialog::ModelChosen() {
  int model = static_cast<int>(SendMessageA(Box("Propagation Model Model"), CB_GETCURSEL, 0, 0)) + kModelIcepac;
  HWND es = Box("Propagation Model Layer Adjust Es");
  SetWindowTextA(es, EsAdjustAfterModel(model, WindowString(es)).c_str());
  EnableFollowers();
}

bool AutoConnectOptionsDialog::Apply() {
  CellCommit();
  OptionValues values;
  for (const auto& l : kLayout) {
    if (!l.key) continue;
    HWND box = Control(IdOf(l));
    switch (l.kind) {
      case Kind::Check:
      case Kind::RadioBool: values[l.key] = Checked(box) ? "True" : "False"; break;
      case Kind::RadioChoice: values[l.key] = Checked(box) ? "1" : "0"; break;
      case Kind::Choice: values[l.key] = std::to_string(SendMessageA(box, CB_GETCURSEL, 0, 0)); break;
      default: values[l.key] = WindowString(box); break;
    }
  }
  AutoConnectSettings edited = settings_;
  if (!OptionsApply(values, edited, messages_)) return false;
  if (edited_[kOffsetGrid] && !OffsetGridSave(FileOf(kOffsetGrid), rows_[kOffsetGrid], messages_)) return false;
  edited_[kOffsetGrid] = false;
  if (edited_[kHistoryGrid] && !HistoryGridSave(FileOf(kHistoryGrid), rows_[kHistoryGrid], messages_)) return false;
  edited_[kHistoryGrid] = false;
  // The radio table is the file's only with that source chosen.
  if (edited_[kRadioGrid] && edited.stationStationsFile == 1 &&
      !RadioGridSave(FileOf(kRadioGrid), rows_[kRadioGrid], messages_))
    return false;
  edited_[kRadioGrid] = false;
  settings_ = edited;
  if (afterApply_) afterApply_();
  return true;
}

// The offsets grid's system and station cells take a drop-down list, its
// frequency cell a list of the station's labels to pick one or more from;
// every other cell, or one whose choices cannot be read, a text box.
HWND AutoConnectOptionsDialog::MakeEditor(Grid grid, int row, int column, RECT cell) {
  const std::string& text = rows_[grid][row][column];
  std::vector<std::string> choices;
  if (grid == kOffsetGrid) {
    AirmailDataFolder data(settings_.airmailDirectoryData, messages_);
    choices = OffsetCellChoices(rows_[grid][row], column, data);
  }
  // What the cell holds stays offered, found in the lists or not.
  std::vector<std::string> held = column == 2 ? CellLabels(text) : std::vector<std::string>{text};
  if (!choices.empty())
    for (const auto& value : held)
      if (!value.empty() && std::find(choices.begin(), choices.end(), value) == choices.end()) choices.push_back(value);
  const char* cls = "EDIT";
  DWORD style = WS_BORDER | ES_AUTOHSCROLL;
  int height = cell.bottom - cell.top;
  if (!choices.empty()) {
    bool labels = column == 2;
    cls = labels ? "LISTBOX" : "COMBOBOX";
    style = labels ? WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT
                   : WS_VSCROLL | CBS_DROPDOWNLIST;
    height = 200;
  }
  HWND editor = CreateWindowExA(0, cls, choices.empty() ? text.c_str() : "", WS_CHILD | WS_VISIBLE | style, cell.left,
                                cell.top, cell.right - cell.left, height, hwnd_, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
  SendMessageA(editor, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  bool list = column == 2 && !choices.empty();
  for (const auto& choice : choices) {
    auto at = SendMessageA(editor, list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
    if (std::find(held.begin(), held.end(), choice) == held.end()) continue;
    SendMessageA(editor, list ? LB_SETSEL : CB_SETCURSEL, list ? TRUE : at, list ? at : 0);
  }
  // The list drops down under the cell over the rows below, tall enough
  // for eight labels.
  if (list && !choices.empty()) {
    auto rows = static_cast<int>(std::min<size_t>(choices.size(), 8));
    auto itemHeight = static_cast<int>(SendMessageA(editor, LB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(editor, nullptr, cell.left, cell.bottom, cell.right - cell.left,
                 rows * itemHeight + 2 * GetSystemMetrics(SM_CYBORDER), SWP_NOZORDER);
    SendMessageA(editor, LB_SETTOPINDEX, 0, 0);
  }
  return editor;
}

HWND AutoConnectOptionsDialog::CellEdit(Grid grid, int row, int column) {
  CellCommit();
  HWND list = Control(GridControl(grid));
  if (row < 0 || row >= static_cast<int>(rows_[grid].size())) return nullptr;
  SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
  RECT cell{};
  cell.top = column;
  cell.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
  SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
  MapWindowPoints(list, hwnd_, reinterpret_cast<POINT*>(&cell), 2);
  editGrid_ = grid;
  editRow_ = row;
  editColumn_ = column;
  editor_ = MakeEditor(grid, row, column, cell);
  SetWindowPos(editor_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetFocus(editor_);
  SendMessageA(editor_, EM_SETSEL, 0, -1);
  // The grid repaints the row it lost the focus from: first, then the editor over it.
  UpdateWindow(list);
  RedrawWindow(editor_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return editor_;
}

// The editor's value: a list's picked labels with ", " between them, else its text.
std::string AutoConnectOptionsDialog::EditorText() const {
  if (!ClassIs(editor_, "ListBox")) return WindowString(editor_);
  std::vector<std::string> picked;
  auto count = SendMessageA(editor_, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    if (SendMessageA(editor_, LB_GETSEL, i, 0) <= 0) continue;
    std::string label(SendMessageA(editor_, LB_GETTEXTLEN, i, 0), '\0');
    SendMessageA(editor_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(label.data()));
    picked.push_back(label);
  }
  return LabelsCell(picked);
}

void AutoConnectOptionsDialog::CellCommit() {
  if (!editor_) return;
  std::string text = EditorText();
  DestroyWindow(std::exchange(editor_, nullptr));
  auto& cell = rows_[editGrid_][editRow_][editColumn_];
  if (cell == text) return;
  cell = text;
  edited_[editGrid_] = true;
  GridShow(editGrid_);
}

void AutoConnectOptionsDialog::OnGridClick(Grid grid, const NMITEMACTIVATE& click) {
  LVHITTESTINFO hit{};
  hit.pt = click.ptAction;
  SendMessageA(click.hdr.hwndFrom, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iItem >= 0) CellEdit(grid, hit.iItem, hit.iSubItem);
}

void AutoConnectOptionsDialog::InsertRow() {
  CellCommit();
  rows_[kOffsetGrid].push_back(GridRow(std::size(kOffsetGridHeaders)));
  edited_[kOffsetGrid] = true;
  GridShow(kOffsetGrid);
}

void AutoConnectOptionsDialog::DeleteRow() {
  CellCommit();
  int row = static_cast<int>(SendMessageA(Control(GridControl(kOffsetGrid)), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  if (row < 0) {
    messages_.Show("Please Select the Row to Delete and then Press Delete");
    return;
  }
  rows_[kOffsetGrid].erase(rows_[kOffsetGrid].begin() + row);
  edited_[kOffsetGrid] = true;
  GridShow(kOffsetGrid);
}

void AutoConnectOptionsDialog::SortRows() {
  CellCommit();
  std::stable_sort(rows_[kOffsetGrid].begin(), rows_[kOffsetGrid].end());
  edited_[kOffsetGrid] = true;
  GridShow(kOffsetGrid);
}

void AutoConnectOptionsDialog::StationInfo(Grid grid) {
  CellCommit();
  int row = static_cast<int>(SendMessageA(Control(GridControl(grid)), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  std::string station;
  // "FreqList.rtf" describes the HAM stations only.
  if (row >= 0 && rows_[grid][row].at(0) == "HAM") station = rows_[grid][row].at(1);
  if (stationInfo_) stationInfo_(station);
}

void AutoConnectOptionsDialog::HistoryReset() {
  CellCommit();
  std::error_code ignored;
  std::filesystem::remove(FileOf(kHistoryGrid), ignored);
  rows_[kHistoryGrid] = HistoryGridRecall(FileOf(kHistoryGrid), messages_);
  edited_[kHistoryGrid] = false;
  GridShow(kHistoryGrid);
}

void AutoConnectOptionsDialog::OnCommand(int id, int code) {
  switch (id) {
    case kOkId:
      if (Apply()) Hide();
      return;
    case kApplyId:
      if (Apply()) DataSet();
      return;
    case kCancelId:
    case IDCANCEL: CellCommit(); Hide(); return;
    case kInsertId: return InsertRow();
    case kDeleteId: return DeleteRow();
    case kSortId: return SortRows();
    case kResetId: return HistoryReset();
    case kOccupancyResetId: return StationOccupancyReset(folder_ / kStationOccupancyDataFile);
    case kUpdateId: return RadioUpdate();
    case kCompareId:
      if (code == BN_CLICKED && Checked(Control(kCompareId))) RadioSourcesCheck();
      return;
    case autoconnect_menu::kSettingsRecall: return SettingsRecall();
    case autoconnect_menu::kSettingsSave: return SettingsSave();
    case kRadioInfoId: return StationInfo(kRadioGrid);
    case kOffsetInfoId: return StationInfo(kOffsetGrid);
    case kCheckId: {
      CellCommit();
      AirmailDataFolder data(settings_.airmailDirectoryData, messages_);
      return OffsetGridCheck(rows_[kOffsetGrid], data, messages_);
    }
    default: break;
  }
  if (id == kBoxId + BindingIndex("Propagation Model Model") && code == CBN_SELCHANGE) return ModelChosen();
  if (id == kBoxId + BindingIndex("Propagation Model Q Index") && code == EN_CHANGE)
    SetWindowTextA(Control(kKIndexId), ("K " + KIndexText(WindowString(Box("Propagation Model Q Index")))).c_str());
  int stationsSource = BindingIndex("Station Stations File");
  if (code == BN_CLICKED && (id == kBoxId + stationsSource || id == kOtherRadioId + stationsSource) &&
      (id == kBoxId + stationsSource ? 1 : 0) != radioSource_)
    RadioRecall(id == kBoxId + stationsSource ? 1 : 0);
  if (code == BN_CLICKED) {
    EnableFollowers();
    StationsSourceShow();
  }
}

LRESULT AutoConnectOptionsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (editor_ && reinterpret_cast<HWND>(lParam) == editor_) {
        if (HIWORD(wParam) == KillFocusCode(editor_)) CellCommit();
        return 0;
      }
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE)
        SelectPage(static_cast<int>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0)));
      int grid = static_cast<int>(header->idFrom) - kGridId;
      if (grid >= 0 && grid < kGridCount && header->code == NM_CLICK)
        OnGridClick(static_cast<Grid>(grid), *reinterpret_cast<NMITEMACTIVATE*>(lParam));
      return 0;
    }
    case WM_CLOSE:
      CellCommit();
      Hide();
      return 0;
    default: return DefWindowProcA(hwnd_, message, wParam, lParam);
  }
}

LRESULT CALLBACK AutoConnectOptionsDialog::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObjectOf<AutoConnectOptionsDialog>(hwnd, message, lParam);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    WindowObjectClear(hwnd);
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  if (!self->hwnd_) self->hwnd_ = hwnd;
  return self->OnMessage(message, wParam, lParam);
}

}  // namespace velmora
