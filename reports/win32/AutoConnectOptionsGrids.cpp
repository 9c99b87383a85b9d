// The AutoConnect options dialog's grids: their rows shown, the in-place
// editors over their cells, the rows inserted, deleted and sorted, the
// history reset, and the Stations page's sources.
#include <algorithm>
#include <utility>

#include "common/win32/WindowText.h"
#include "reports/win32/AutoConnectOptionsDialog.h"
#include "reports/win32/OptionsDialogLayout.h"

namespace velmora {

using namespace options_layout;

std::filesystem::path AutoConnectOptionsDialog::FreqListFile() const {
  return std::filesystem::path(settings_.airmailDirectoryData) / "FreqList.rtf";
}

// A run's "Running" must come back after a read made while it goes on.
std::string AutoConnectOptionsDialog::StatusShow(std::string_view text) {
  return status_ ? status_(text) : std::string();
}

void AutoConnectOptionsDialog::RadioUpdate() {
  CellCommit();
  const std::string state = StatusShow("Working");
  auto rows = RadioGridFromFreqList(FreqListFile(), messages_);
  StatusShow(state);
  if (rows) {
    // The table made again from the document replaces the file's as a whole.
    rows_[kRadioGrid] = std::move(*rows);
    dropped_[kRadioGrid].clear();
    edited_[kRadioGrid] = true;
    GridShow(kRadioGrid);
  }
}

// A grid's rows as read from its file, what they leave out, and the
// stamp a later Apply checks the file against.
void AutoConnectOptionsDialog::Take(Grid grid, GridRecall recall) {
  rows_[grid] = std::move(recall.rows);
  dropped_[grid] = std::move(recall.dropped);
  shown_[grid] = recall.stamp;
}

// The transceivers of the source: AirMail's HAM groups, or the file.
void AutoConnectOptionsDialog::RadioRecall(int source) {
  CellCommit();
  // The file's table as edited waits while AirMail's groups are looked at.
  if (radioSource_ == 1 && source == 0 && edited_[kRadioGrid])
    radioFileKept_ = GridRecall{rows_[kRadioGrid], dropped_[kRadioGrid], shown_[kRadioGrid]};
  bool kept = source == 1 && radioFileKept_;
  dropped_[kRadioGrid].clear();
  if (kept) {
    Take(kRadioGrid, *std::exchange(radioFileKept_, std::nullopt));
  } else if (source == 1) {
    Take(kRadioGrid, RadioGridRecall(FileOf(kRadioGrid), messages_));
  } else {
    AirmailDataFolder data(settings_.airmailDirectoryData, messages_);
    rows_[kRadioGrid] = RadioGridFromHamGroups(data, messages_).value_or(GridRows{});
  }
  edited_[kRadioGrid] = kept;
  radioSource_ = source;
  GridShow(kRadioGrid);
}

// The Update button and the dates by the transceiver source chosen.
void AutoConnectOptionsDialog::StationsSourceShow() {
  int source = Checked(Box("Station Stations File")) ? 1 : 0;
  SetWindowTextA(Control(kCompareId),
                 source == 0 ? "&Check System.Ham.ini and FreqList.rtf"
                             : "&Check FreqList.rtf and SystemRadioData.txt");
  EnableWindow(Control(kUpdateId), source == 1);
  SetWindowTextA(Control(kLastModifiedId), LastModifiedLabel(FreqListFile(), FileOf(kRadioGrid), source).c_str());
}

// The source shown against "FreqList.rtf": AirMail's HAM groups, or the
// grid as it stands.
void AutoConnectOptionsDialog::RadioSourcesCheck() {
  CellCommit();
  const std::string state = StatusShow("Working");
  auto freqList = RadioGridFromFreqList(FreqListFile(), messages_);
  std::optional<GridRows> other = rows_[kRadioGrid];
  if (radioSource_ == 0) {
    AirmailDataFolder data(settings_.airmailDirectoryData, messages_);
    other = RadioGridFromHamGroups(data, messages_);
  }
  StatusShow(state);
  if (!freqList || !other) return;
  const bool ham = radioSource_ == 0;
  const GridRows& first = ham ? *other : *freqList;
  const GridRows& second = ham ? *freqList : *other;
  RadioSourcesCompare(first, second, messages_);
  StatusShow("Check for Difference");
  const auto tables = RadioSourcesDifference(first, second);
  StatusShow(state);
  differences_.Show(hwnd_, font_, tables, ham ? "System.HAM.ini Data" : "FreqList.rtf Data",
                    ham ? "FreqList.rtf Data" : "StationRadioData.txt Data");
}

void AutoConnectOptionsDialog::GridShow(Grid grid) {
  HWND list = Control(GridControl(grid));
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  // A history row's value as the file holds it is kept, not shown.
  const size_t shown = kGrids[grid].headers.size();
  for (size_t r = 0; r < rows_[grid].size(); ++r) {
    const auto& row = rows_[grid][r];
    for (size_t c = 0; c < row.size() && c < shown; ++c) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = static_cast<int>(c);
      item.pszText = const_cast<char*>(row[c].c_str());
      SendMessageA(list, c == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, c == 0 ? 0 : r, reinterpret_cast<LPARAM>(&item));
    }
  }
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
  // AirMail's groups are shown for reading: only the file's table is written back.
  if (grid == kRadioGrid && radioSource_ != 1) return nullptr;
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
  SetWindowSubclass(editor_, &CellEditorProc, 3, reinterpret_cast<DWORD_PTR>(this));
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
  // The one cell anew, so the grid stays scrolled where it is.
  LVITEMA item{};
  item.iSubItem = editColumn_;
  item.pszText = cell.data();
  SendMessageA(Control(GridControl(editGrid_)), LVM_SETITEMTEXTA, editRow_, reinterpret_cast<LPARAM>(&item));
}

// The grid scrolled under an open editor: the edit is taken before the
// editor stands over another row.
LRESULT CALLBACK AutoConnectOptionsDialog::GridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                    DWORD_PTR self) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(grid, &GridProc, 2);
  if (message == WM_VSCROLL || message == WM_HSCROLL || message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL)
    reinterpret_cast<AutoConnectOptionsDialog*>(self)->CellCommit();
  return DefSubclassProc(grid, message, wParam, lParam);
}

// Tab in a cell's editor goes on to the next cell of the row, Shift+Tab
// back; asked for once the key is done, as the move destroys the editor.
LRESULT CALLBACK AutoConnectOptionsDialog::CellEditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam,
                                                          UINT_PTR, DWORD_PTR self) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(editor, &CellEditorProc, 3);
  if (message == WM_GETDLGCODE) return DefSubclassProc(editor, message, wParam, lParam) | DLGC_WANTTAB;
  if (message == WM_KEYDOWN && wParam == VK_TAB) {
    PostMessageA(reinterpret_cast<AutoConnectOptionsDialog*>(self)->hwnd_, kCellMoveMessage,
                 GetKeyState(VK_SHIFT) < 0 ? -1 : 1, reinterpret_cast<LPARAM>(editor));
    return 0;
  }
  if (message == WM_CHAR && wParam == '\t') return 0;
  return DefSubclassProc(editor, message, wParam, lParam);
}

// The cell beside the one being edited, or the grid after the row's last.
void AutoConnectOptionsDialog::CellMove(int step) {
  const Grid grid = editGrid_;
  const int row = editRow_, column = editColumn_ + step;
  CellCommit();
  if (column >= 0 && column < static_cast<int>(kGrids[grid].headers.size()) && CellEdit(grid, row, column)) return;
  SetFocus(Control(GridControl(grid)));
}

// F2 on a grid edits the focused row's first cell, as a click on it does.
void AutoConnectOptionsDialog::OnGridKey(Grid grid, WORD key) {
  if (key != VK_F2) return;
  int row = static_cast<int>(SendMessageA(Control(GridControl(grid)), LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
  if (row >= 0) CellEdit(grid, row, 0);
}

void AutoConnectOptionsDialog::CellDiscard() {
  if (!editor_) return;
  DestroyWindow(std::exchange(editor_, nullptr));
  SetFocus(Control(GridControl(editGrid_)));
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

// A delete that fails is told, and the grid shows what the file still holds.
void AutoConnectOptionsDialog::HistoryReset() {
  CellCommit();
  DataFileDelete(FileOf(kHistoryGrid), "HistoryDataReset", messages_);
  Take(kHistoryGrid, HistoryGridRecall(FileOf(kHistoryGrid), messages_));
  edited_[kHistoryGrid] = false;
  GridShow(kHistoryGrid);
}

}  // namespace velmora
