#include "reports/win32/AutoConnectOptionsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "autoconnect/AutoConnectMenus.h"
#include "common/win32/EnterKey.h"
#include "common/win32/InputPause.h"
#include "common/win32/MenuBuilder.h"
#include "common/win32/NextControl.h"
#include "common/win32/WindowObject.h"
#include "common/win32/WindowText.h"
#include "common/SystemLib.h"
#include "propagation/win32/UserDateOrder.h"
#include "reports/AutoConnectOptions.h"
#include "reports/win32/OptionsDialogLayout.h"
#include "selection/StationHistoryData.h"
#include "selection/StationOccupancy.h"
#include "selection/StationOffsets.h"
#include "airmail/StationRadioData.h"

namespace velmora {

using namespace options_layout;

namespace {

// A label's lines: the messages' CR as a line break the control shows.
void SetLines(HWND label, std::string_view text) {
  std::string lines;
  for (char c : text) lines += c == '\r' ? std::string("\r\n") : std::string(1, c);
  SetWindowTextA(label, lines.c_str());
}

// Each kind of control numbers its notifications its own way.
int KillFocusCode(HWND editor) {
  if (ClassIs(editor, "ListBox")) return LBN_KILLFOCUS;
  return ClassIs(editor, "ComboBox") ? CBN_KILLFOCUS : EN_KILLFOCUS;
}


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
                                "&Settings",
                                true,
                                {{"mnuSettingsRecall", "&Recall...", kSettingsRecall},
                                 {"mnuSettingsSave", "&Save...", kSettingsSave}}};
  return BuildMenuBar(std::span(&settings, 1), [](int) { return true; });
}

void AutoConnectOptionsDialog::SettingsRecall() {
  if (recallAllowed_ && !recallAllowed_()) return;  // greyed in the menu meanwhile
  CellCommit();
  // A recall shows its settings here (OptionsSettingsReplaced); the grids'
  // files are no settings, and a chooser cancelled recalls nothing.
  SendMessageA(owner_(), WM_COMMAND, autoconnect_menu::kSettingsRecall, 0);
}

void AutoConnectOptionsDialog::OnInitMenuPopup(HMENU menu) {
  SetMenuItemEnabled(menu, autoconnect_menu::kSettingsRecall, !recallAllowed_ || recallAllowed_());
}

// What the pages show is what is saved.
void AutoConnectOptionsDialog::SettingsSave() {
  if (Apply()) SendMessageA(owner_(), WM_COMMAND, autoconnect_menu::kSettingsSave, 0);
}

void AutoConnectOptionsDialog::OptionsShow(Page page) {
  // Open already: the page asked for is turned to, and what was typed on
  // every page stays until Apply or Cancel.
  if (Visible()) {
    SelectPage(page);
    SetForegroundWindow(hwnd_);
    return;
  }
  if (!hwnd_ && !Create()) return;
  DataSet();
  SelectPage(page);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  InputPause pause(hwnd_);
  if (settings_.stationStationsFile == 1 && RadioDataOutOfDate(FreqListFile(), FileOf(kRadioGrid)) &&
      messages_.AskYesNo("The Radio Data File is out-of-date.\r\rWould you like to Update it?"))
    RadioUpdate();
}

void AutoConnectOptionsDialog::Hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void AutoConnectOptionsDialog::SelectPage(int page) {
  CellCommit();
  page_ = std::clamp(page, 0, 4);
  SendMessageA(tab_, TCM_SETCURSEL, page_, 0);
  const HWND focus = GetFocus();
  for (const auto& l : kLayout) {
    int show = l.page == page_ ? SW_SHOW : SW_HIDE;
    ShowWindow(Control(IdOf(l)), show);
    if (l.kind == Kind::RadioBool || l.kind == Kind::RadioChoice)
      ShowWindow(Control(kOtherRadioId + BindingIndex(l.key)), show);
  }
  // A box of the page turned away keeps no focus (hidden, it gave it to the dialog's face): it goes to the tabs.
  if (focus && IsChild(hwnd_, focus) && !IsWindowVisible(focus)) SetFocus(tab_);
}

void AutoConnectOptionsDialog::DataSet() {
  for (Grid grid : {kOffsetGrid, kHistoryGrid})
    Take(grid, grid == kOffsetGrid ? OffsetGridRecall(FileOf(grid), messages_)
                                   : HistoryGridRecall(FileOf(grid), messages_));
  edited_ = {};
  for (int g = 0; g < kGridCount; ++g) GridShow(static_cast<Grid>(g));
  radioFileKept_.reset();
  RadioRecall(settings_.stationStationsFile);
  SettingsShow();
}

void AutoConnectOptionsDialog::OptionsSettingsReplaced() {
  if (!Visible()) return;  // filled anew when it is shown
  CellCommit();
  SettingsShow();
  // The transceivers of the source the settings now name.
  if (settings_.stationStationsFile != radioSource_) RadioRecall(settings_.stationStationsFile);
}

void AutoConnectOptionsDialog::SettingsShow() {
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
  EnableFollowers();
  StationsSourceShow();
  AirmailDataFolder data(settings_.airmailDirectoryData, messages_);
  SetLines(Control(kVersionId), AirmailVersionText(data));
  SetLines(Control(kPositionId), AirmailPositionText(data, UtcNow(), UserDateOrder()));
  SetWindowTextA(Control(kKIndexId), KIndexText(WindowString(Box("Propagation Model Q Index"))).c_str());
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

void AutoConnectOptionsDialog::OnCommand(int id, int code) {
  switch (id) {
    case kOkId:
      if (Apply()) Hide();
      return;
    case kApplyId:
      if (Apply()) DataSet();
      return;
    case IDCANCEL:
    case kCancelId: CellCommit(); Hide(); return;
    case kInsertId: return InsertRow();
    case kDeleteId: return DeleteRow();
    case kSortId: return SortRows();
    case kResetId: return HistoryReset();
    case kOccupancyResetId:
      DataFileDelete(folder_ / kStationOccupancyDataFile, "StationOccupancyReset", messages_);
      return;
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
    SetWindowTextA(Control(kKIndexId), KIndexText(WindowString(Box("Propagation Model Q Index"))).c_str());
  int stationsSource = BindingIndex("Station Stations File");
  if (code == BN_CLICKED && (id == kBoxId + stationsSource || id == kOtherRadioId + stationsSource) &&
      (id == kBoxId + stationsSource ? 1 : 0) != radioSource_)
    RadioRecall(id == kBoxId + stationsSource ? 1 : 0);
  if (code == BN_CLICKED) {
    EnableFollowers();
    StationsSourceShow();
  }
}

// Enter takes a cell's edit and leaves the grid to move on in, presses
// the button that has the focus, or else OK.
void AutoConnectOptionsDialog::OnEnter() {
  if (editor_) {
    const Grid grid = editGrid_;
    CellCommit();
    SetFocus(Control(GridControl(grid)));
    return;
  }
  if (!FocusedPushButtonPress(hwnd_))
    SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(kOkId, BN_CLICKED), reinterpret_cast<LPARAM>(Control(kOkId)));
}

LRESULT AutoConnectOptionsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (editor_ && reinterpret_cast<HWND>(lParam) == editor_) {
        if (HIWORD(wParam) == KillFocusCode(editor_)) CellCommit();
        return 0;
      }
      // Esc in a cell's editor gives up that cell's edit, before any pause
      // could take the focus from the editor and so commit it.
      if (editor_ && LOWORD(wParam) == IDCANCEL) {
        CellDiscard();
        return 0;
      }
      // Enter, which comes to a window that is no dialog as IDOK.
      if (LOWORD(wParam) == IDOK && !lParam) {
        OnEnter();
        return 0;
      }
      {
        // A button, a check box or a menu: each may ask or tell.
        InputPause pause(hwnd_, HIWORD(wParam) == BN_CLICKED);
        OnCommand(LOWORD(wParam), HIWORD(wParam));
      }
      return 0;
    case WM_NEXTDLGCTL: NextControlFocus(hwnd_, wParam, lParam); return 0;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
      if (scroll_.OnMessage(hwnd_, message, wParam)) return 0;
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE)
        SelectPage(static_cast<int>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0)));
      int grid = static_cast<int>(header->idFrom) - kGridId;
      if (grid >= 0 && grid < kGridCount && header->code == NM_CLICK)
        OnGridClick(static_cast<Grid>(grid), *reinterpret_cast<NMITEMACTIVATE*>(lParam));
      if (grid >= 0 && grid < kGridCount && header->code == LVN_KEYDOWN)
        OnGridKey(static_cast<Grid>(grid), reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey);
      // A column resized: its header's tip follows it.
      if (header->code == HDN_ITEMCHANGEDA || header->code == HDN_ITEMCHANGEDW)
        for (auto& tips : tips_)
          if (header->hwndFrom == tips.Header()) tips.Place();
      return 0;
    }
    case WM_ACTIVATE:
      focusKeeper_.OnActivate(hwnd_, wParam);
      return 0;
    case WM_HELP:  // F1: the overview at the part about this dialog, through the window that owns it
      SendMessageA(owner_(), WM_COMMAND, autoconnect_menu::kHelpOptions, 0);
      return TRUE;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case kCellMoveMessage:
      if (editor_ && reinterpret_cast<HWND>(lParam) == editor_) CellMove(static_cast<int>(wParam));
      return 0;
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
