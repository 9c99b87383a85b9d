#include "reports/win32/StationInfoWindow.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "common/AtomicFile.h"
#include "common/win32/WindowFind.h"
#include "common/win32/WindowObject.h"
#include "common/win32/WindowText.h"
#include "reports/win32/RichEditColours.h"

namespace velmora {
namespace {

constexpr const char* kClass = "VelmoraStationInfo";
constexpr int kBeamListId = 1;
constexpr int kStrip = 30;  // the height of the beam list and labels above the view
constexpr int kLabelWidth = 130;

HWND Child(HWND parent, const char* cls, DWORD style, int id = 0) {
  HWND child = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

void Select(HWND view, long first, long last) {
  CHARRANGE range{first, last};
  SendMessageA(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  SendMessageA(view, EM_SCROLLCARET, 0, 0);
}

}  // namespace

StationInfoWindow::~StationInfoWindow() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool StationInfoWindow::Make() {
  if (hwnd_) return true;
  if (!RichEditClass()) return false;
  WNDCLASSA wc{};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), kClass, &wc)) {
    wc.lpfnWndProc = &StationInfoWindow::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
  }
  CreateWindowExA(0, kClass, kStationInfoCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                  CW_USEDEFAULT, 620, 480, owner_, nullptr, GetModuleHandleA(nullptr), this);
  return hwnd_ != nullptr;
}

bool StationInfoWindow::OnCreate() {
  beams_ = Child(hwnd_, WC_COMBOBOXA, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kBeamListId);
  range_ = Child(hwnd_, WC_STATICA, SS_LEFT);
  bearingTo_ = Child(hwnd_, WC_STATICA, SS_LEFT);
  bearingFrom_ = Child(hwnd_, WC_STATICA, SS_LEFT);
  view_ = Child(hwnd_, RichEditClass(),
                WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_SAVESEL);
  if (!beams_ || !view_) return false;
  SendMessageA(view_, EM_EXLIMITTEXT, 0, 64 * 1024 * 1024);
  StationInfoLabels none;
  SetWindowTextA(range_, none.range.c_str());
  SetWindowTextA(bearingTo_, none.bearingTo.c_str());
  SetWindowTextA(bearingFrom_, none.bearingFrom.c_str());
  return true;
}

void StationInfoWindow::Layout(int width, int height) {
  MoveWindow(beams_, 4, 4, 120, 200, TRUE);
  int x = 140;
  for (HWND label : {range_, bearingTo_, bearingFrom_}) {
    MoveWindow(label, x, 8, kLabelWidth, 18, TRUE);
    x += kLabelWidth;
  }
  MoveWindow(view_, 0, kStrip, width, std::max(height - kStrip, 0), TRUE);
}

bool StationInfoWindow::Load(const std::filesystem::path& freqList) {
  if (!Make()) return false;
  std::error_code error;
  // Reading the colours back takes a while on a long document: not again while it is unchanged.
  auto written = std::filesystem::last_write_time(freqList, error);
  if (!error && freqList == loaded_ && written == loadedWritten_) return true;
  loaded_.clear();
  auto rtf = ReadWholeFile(freqList, error);
  SetWindowTextA(view_, "");
  if (!rtf || !RichEditLoadRtf(view_, *rtf)) {
    document_ = FreqListDocument(ColouredText{});
    messenger_.Show("Unable to open AirMail's \"FreqList.rtf\" file.");
    return false;
  }
  document_ = FreqListDocument(RichEditColouredText(view_));
  loaded_ = freqList;
  loadedWritten_ = written;
  return true;
}

void StationInfoWindow::ShowBeams(const std::vector<std::string>& stations) {
  if (!Make()) return;
  SendMessageA(beams_, CB_RESETCONTENT, 0, 0);
  for (const auto& station : stations) SendMessageA(beams_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(station.c_str()));
}

void StationInfoWindow::ShowStation(const std::string& station) {
  if (!Make()) return;
  // From the end back to the name, so the name comes to the top of the view.
  long last = document_.Last() + 1;
  Select(view_, last, last);
  if (long at = document_.FindStation(station); at >= 0)
    Select(view_, at, at + static_cast<long>(station.size()));
  LRESULT item = SendMessageA(beams_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(station.c_str()));
  SendMessageA(beams_, CB_SETCURSEL, item == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(item), 0);
  StationInfoLabels labels = labels_(station);
  SetWindowTextA(range_, labels.range.c_str());
  SetWindowTextA(bearingTo_, labels.bearingTo.c_str());
  SetWindowTextA(bearingFrom_, labels.bearingFrom.c_str());
  if (!placed_) {
    PlaceBeside(hwnd_, owner_);
    placed_ = true;
  }
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void StationInfoWindow::OnBeamChosen() {
  LRESULT item = SendMessageA(beams_, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return;
  std::string station(static_cast<size_t>(SendMessageA(beams_, CB_GETLBTEXTLEN, item, 0)) + 1, '\0');
  station.resize(static_cast<size_t>(SendMessageA(beams_, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(station.data()))));
  ShowStation(station);
}

std::string StationInfoWindow::SelectedText() const {
  CHARRANGE range{};
  SendMessageA(view_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  std::string text(static_cast<size_t>(std::max(range.cpMax - range.cpMin, 0L)) + 1, '\0');
  text.resize(static_cast<size_t>(SendMessageA(view_, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::vector<std::string> StationInfoWindow::BeamList() const {
  std::vector<std::string> stations;
  int count = static_cast<int>(SendMessageA(beams_, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string station(static_cast<size_t>(SendMessageA(beams_, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
    station.resize(static_cast<size_t>(SendMessageA(beams_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(station.data()))));
    stations.push_back(station);
  }
  return stations;
}

StationInfoLabels StationInfoWindow::Labels() const {
  return {WindowString(range_), WindowString(bearingTo_), WindowString(bearingFrom_)};
}

LRESULT CALLBACK StationInfoWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObjectOf<StationInfoWindow>(hwnd, message, lParam);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  // Made once, kept until the program ends.
  if (KeptWindowMessage(hwnd, message, self->hwnd_)) return 0;
  switch (message) {
    case WM_NCCREATE:
      self->hwnd_ = hwnd;
      break;
    case WM_CREATE:
      return self->OnCreate() ? 0 : -1;
    case WM_SIZE:
      self->Layout(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kBeamListId && HIWORD(wParam) == CBN_SELCHANGE) self->OnBeamChosen();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace velmora
