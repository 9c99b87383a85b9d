// The AutoConnect options dialog made: its window, the tabs over its five
// pages, each page's controls from the layout table in the dialog's font,
// the grids' columns, and the folder boxes that open the folder browser.
#include "reports/win32/AutoConnectOptionsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "common/win32/FolderBrowser.h"
#include "common/win32/WindowFind.h"
#include "common/win32/WindowText.h"
#include "reports/AutoConnectOptions.h"
#include "reports/win32/OptionsDialogLayout.h"

namespace velmora {

using namespace options_layout;

namespace {

constexpr char kOptionsClass[] = "VelmoraAutoConnectOptions";
constexpr const char* kFolderTitles[] = {"AirMail's Data Folder", "AirMail's Program Folder"};
constexpr const char* kFolderKeys[] = {"Airmail Directory Data", "Airmail Directory Program"};

// Each column as wide as its sample text in the font, or its header where that is wider.
void InsertGridColumns(HWND grid, HFONT font, const GridColumns& columns) {
  HDC dc = GetDC(grid);
  HGDIOBJ old = SelectObject(dc, font);
  auto width = [dc](const char* text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    return size.cx;
  };
  for (size_t c = 0; c < columns.headers.size(); ++c) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(columns.headers[c]);
    // The header too must fit, whatever the font makes of the sample.
    column.cx = std::max(width(columns.samples[c]), width(columns.headers[c])) + 12;
    SendMessageA(grid, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
  }
  SelectObject(dc, old);
  ReleaseDC(grid, dc);
}

}  // namespace

bool AutoConnectOptionsDialog::Create() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &AutoConnectOptionsDialog::WndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  // The system colour itself, not a brush of it: the ground follows a scheme chosen while the program runs.
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kOptionsClass;
  RegisterClassA(&wc);  // fails harmlessly when registered before
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  scale_ = LayoutScale(font_);
  RECT r{0, 0, scale_.X(664), scale_.Y(500)};
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  AdjustWindowRect(&r, style, TRUE);
  hwnd_ = CreateWindowExA(WS_EX_DLGMODALFRAME, kOptionsClass, "AutoConnect - Options", style, CW_USEDEFAULT,
                          CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, owner_(), SettingsMenu(),
                          GetModuleHandleA(nullptr), this);
  if (!hwnd_) return false;
  CreateControls();
  pump_.AddModeless(hwnd_);
  PlaceBeside(hwnd_, owner_());
  scroll_.Fit(hwnd_);
  return true;
}

// Makes the dialog's child controls, each in the dialog's font, placed in
// the pixels of the table grown with that font.
struct AutoConnectOptionsDialog::ControlMaker {
  HWND parent;
  HFONT font;
  LayoutScale scale;
  HINSTANCE instance;

  HWND operator()(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
                  DWORD exStyle = 0) const {
    HWND w32 = CreateWindowExA(exStyle, cls, text, WS_CHILD | style, scale.X(x), scale.Y(y), scale.X(w), scale.Y(h),
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(w32, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return w32;
  }
};

void AutoConnectOptionsDialog::CreateControls() {
  const ControlMaker make{hwnd_, font_, scale_, GetModuleHandleA(nullptr)};
  CreateTabs(make);
  for (const auto& l : kLayout) CreatePageControl(make, l);
  make("BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 404, 460, 80, 26, kOkId);
  make("BUTTON", "&Apply", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 490, 460, 80, 26, kApplyId);
  make("BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 576, 460, 80, 26, kCancelId);
}

// The tabs alone, over a frame: the pages' controls then sit on the
// dialog's own face, whatever colour a theme gives a tab's body. A Tab stop,
// so the pages are turned from the keyboard too.
void AutoConnectOptionsDialog::CreateTabs(const ControlMaker& make) {
  tab_ = make(WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 8, 8, 648, 24, 1000);
  make("STATIC", "", WS_VISIBLE | SS_ETCHEDFRAME, 8, 31, 648, 417, 999);
  for (int i = 0; i < 5; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kOptionsPageNames[i]);
    SendMessageA(tab_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

void AutoConnectOptionsDialog::CreatePageControl(const ControlMaker& make, const Layout& l) {
  int x = kLeft + l.x, y = kTop + l.y, id = IdOf(l);
  auto parts = Parts(l.caption);
  switch (l.kind) {
    // A label laid out empty shows what files hold: an "&" there is no access key.
    case Kind::Label: make("STATIC", l.caption, *l.caption ? 0 : SS_NOPREFIX, x, y, l.w, l.h, id); break;
    case Kind::Group: make("BUTTON", l.caption, BS_GROUPBOX, x, y, l.w, l.h, id); break;
    case Kind::Check: make("BUTTON", l.caption, WS_TABSTOP | BS_AUTOCHECKBOX, x, y, l.w, l.h, id); break;
    case Kind::Edit: {
      HWND box = make("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, x, y, l.w, l.h, id, WS_EX_CLIENTEDGE);
      for (const char* key : kFolderKeys)
        if (std::string_view(l.key) == key)
          SetWindowSubclass(box, &FolderBoxProc, 1, reinterpret_cast<DWORD_PTR>(this));
      break;
    }
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
    case Kind::Grid: CreateGrid(make, l, x, y, id); break;
  }
}

void AutoConnectOptionsDialog::CreateGrid(const ControlMaker& make, const Layout& l, int x, int y, int id) {
  HWND grid = make(WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, x, y, l.w, l.h,
                   id, WS_EX_CLIENTEDGE);
  SendMessageA(grid, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const auto& columns = kGrids[id - kGridId];
  InsertGridColumns(grid, font_, columns);
  tips_[id - kGridId].Attach(grid, columns.gridTip, columns.columnTips);
  SetWindowSubclass(grid, &GridProc, 2, reinterpret_cast<DWORD_PTR>(this));
}

// The click places the caret first; the browser opens once the click is done.
LRESULT CALLBACK AutoConnectOptionsDialog::FolderBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                                         UINT_PTR, DWORD_PTR self) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, &FolderBoxProc, 1);
  LRESULT result = DefSubclassProc(box, message, wParam, lParam);
  if (message == WM_LBUTTONUP) reinterpret_cast<AutoConnectOptionsDialog*>(self)->FolderBrowse(box);
  return result;
}

// A folder chosen replaces the box's text; a cancelled browser leaves it.
void AutoConnectOptionsDialog::FolderBrowse(HWND box) {
  const char* title = box == Box(kFolderKeys[0]) ? kFolderTitles[0] : kFolderTitles[1];
  if (auto folder = BrowseForFolder(hwnd_, title, WindowString(box))) SetWindowTextA(box, folder->c_str());
}

}  // namespace velmora
