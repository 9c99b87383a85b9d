#include "reports/win32/RadioDifferenceWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace velmora {
namespace {

constexpr const char* kDifferenceClass = "VelmoraRadioDifference";
// Each column as wide as its sample, the frequencies' shorter than the grid's.
constexpr const char* kSamples[] = {"--System-", "-----Station-", "-Tx Rc-", "-Frequencies-"};
constexpr int kListWidth = 340, kListHeight = 300;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

// Sized as it always was: its small caption counted at a normal caption's height.
SIZE Frame() { return ToolFrameSize(3 * 10 + 2 * kListWidth, 10 + 20 + kListHeight + 10, kStyle, 0); }

int TextWidth(HDC dc, const char* text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
  return size.cx;
}

void AddColumns(HWND list, HFONT font) {
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, font);
  for (int c = 0; c < 4; ++c) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(kRadioGridHeaders[c]);
    column.cx = std::max(TextWidth(dc, kSamples[c]), TextWidth(dc, kRadioGridHeaders[c])) + 12;
    SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
  }
  SelectObject(dc, old);
  ReleaseDC(list, dc);
}

void Fill(HWND list, const GridRows& rows) {
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size() && c < 4; ++c) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = static_cast<int>(c);
      item.pszText = const_cast<char*>(rows[r][c].c_str());
      SendMessageA(list, c == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, c == 0 ? 0 : r, reinterpret_cast<LPARAM>(&item));
    }
  }
}

}  // namespace

RadioDifferenceWindow::RadioDifferenceWindow()
    : ToolWindow(nullptr, {.className = kDifferenceClass, .caption = "Check for Difference", .width = Frame().cx,
                           .height = Frame().cy, .style = kStyle, .exStyle = WS_EX_TOOLWINDOW,
                           .place = ToolPlace::OverCorner, .grows = true}) {}

bool RadioDifferenceWindow::OnCreate() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  const LayoutScale& scale = Scale();
  for (int t = 0; t < 2; ++t) {
    const int x = scale.X(10 + t * (kListWidth + 10)), width = scale.X(kListWidth);
    HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, x, scale.Y(10), width, scale.Y(18), hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId + t)), instance, nullptr);
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, x, scale.Y(30),
                                width, scale.Y(kListHeight), hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId + t)), instance, nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    AddColumns(list, font_);
  }
  return true;
}

void RadioDifferenceWindow::Show(HWND owner, HFONT font, const RadioDifferences& tables, const std::string& firstName,
                                 const std::string& secondName) {
  OwnerSet(owner);
  font_ = font;
  if (!Make()) return;
  SetDlgItemTextA(hwnd_, kLabelId, firstName.c_str());
  SetDlgItemTextA(hwnd_, kLabelId + 1, secondName.c_str());
  Fill(List(0), tables.first);
  Fill(List(1), tables.second);
  ToolWindow::Show();
}

}  // namespace velmora
