#include "reports/win32/RadioDifferenceWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace velmora {
namespace {

constexpr const char* kClassName = "VelmoraRadioDifference";
// Each column as wide as its sample, the frequencies' shorter than the grid's.
constexpr const char* kSamples[] = {"--System-", "-----Station-", "-Tx Rc-", "-Frequencies-"};
constexpr int kListWidth = 340, kListHeight = 300;

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

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Closing only hides it: the owner keeps the window for the next check.
  if (message == WM_CLOSE) {
    ShowWindow(hwnd, SW_HIDE);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

RadioDifferenceWindow::~RadioDifferenceWindow() {
  // Gone already when its owner went first.
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool RadioDifferenceWindow::Create(HWND owner, HFONT font) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);  // fails harmlessly when registered before
  RECT frame{0, 0, 3 * 10 + 2 * kListWidth, 10 + 20 + kListHeight + 10};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRect(&frame, style, FALSE);
  hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "Check for Difference", style, CW_USEDEFAULT, CW_USEDEFAULT,
                          frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, wc.hInstance, nullptr);
  if (!hwnd_) return false;
  for (int t = 0; t < 2; ++t) {
    const int x = 10 + t * (kListWidth + 10);
    HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, x, 10, kListWidth, 18, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId + t)), wc.hInstance, nullptr);
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, x, 30,
                                kListWidth, kListHeight, hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId + t)), wc.hInstance, nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    AddColumns(list, font);
  }
  return true;
}

void RadioDifferenceWindow::Show(HWND owner, HFONT font, const RadioDifferences& tables, const std::string& firstName,
                                 const std::string& secondName) {
  if (!hwnd_ && !Create(owner, font)) return;
  SetDlgItemTextA(hwnd_, kLabelId, firstName.c_str());
  SetDlgItemTextA(hwnd_, kLabelId + 1, secondName.c_str());
  Fill(List(0), tables.first);
  Fill(List(1), tables.second);
  // Below the owner's top left corner, in front of it.
  RECT over{};
  GetWindowRect(owner, &over);
  SetWindowPos(hwnd_, HWND_TOP, over.left + 40, over.top + 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(hwnd_);
}

}  // namespace velmora
