#include "reports/win32/HistoryWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "common/win32/WindowFind.h"
#include "common/win32/WindowObject.h"
#include "reports/AirmailSummary.h"
#include "reports/LogFileSummary.h"

namespace velmora {
namespace {

constexpr int kUpdateId = 1;
constexpr int kGridId = 2;
constexpr int kStrip = 32;       // the pickers and the button
constexpr int kLinesHeight = 150;  // room for every line of the longer summary

const char* ClassOf(HistoryKind kind) {
  return kind == HistoryKind::Airmail ? "VelmoraAirmailHistory" : "VelmoraLogFileHistory";
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int id = 0) {
  HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

SYSTEMTIME SystemTimeOf(std::chrono::sys_days day) {
  std::chrono::year_month_day date(day);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(static_cast<int>(date.year()));
  time.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
  time.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
  return time;
}

std::chrono::sys_days PickerDay(HWND picker) {
  SYSTEMTIME time{};
  SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return std::chrono::year_month_day(std::chrono::year(time.wYear), std::chrono::month(time.wMonth),
                                     std::chrono::day(time.wDay));
}

}  // namespace

HistoryWindow::HistoryWindow(HWND owner, HistoryKind kind, Messenger& messenger)
    : owner_(owner), kind_(kind), messenger_(messenger), grid_(table_, *this, [this](int row, int column) {
        return row >= 0 ? HistoryToolTip(kind_, column) : std::string();
      }) {}

HistoryWindow::~HistoryWindow() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool HistoryWindow::Make() {
  if (hwnd_) return true;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSA wc{};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), ClassOf(kind_), &wc)) {
    wc.lpfnWndProc = &HistoryWindow::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ClassOf(kind_);
    RegisterClassA(&wc);
  }
  CreateWindowExA(0, ClassOf(kind_), HistoryCaption(kind_), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                  CW_USEDEFAULT, 560, 420, owner_, nullptr, GetModuleHandleA(nullptr), this);
  return hwnd_ != nullptr;
}

bool HistoryWindow::OnCreate() {
  start_ = Child(hwnd_, DATETIMEPICK_CLASSA, "", DTS_SHORTDATEFORMAT | WS_TABSTOP);
  stop_ = Child(hwnd_, DATETIMEPICK_CLASSA, "", DTS_SHORTDATEFORMAT | WS_TABSTOP);
  update_ = Child(hwnd_, WC_BUTTONA, "Update", BS_PUSHBUTTON | WS_TABSTOP, kUpdateId);
  lines_ = Child(hwnd_, WC_LISTBOXA, "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL);
  return start_ && stop_ && update_ && lines_ && grid_.Create(hwnd_, kGridId);
}

void HistoryWindow::Layout(int width, int height) {
  MoveWindow(start_, 4, 5, 110, 22, TRUE);
  MoveWindow(stop_, 120, 5, 110, 22, TRUE);
  MoveWindow(update_, 240, 5, 70, 22, TRUE);
  MoveWindow(lines_, 0, kStrip, width, kLinesHeight, TRUE);
  grid_.Move(0, kStrip + kLinesHeight, width, std::max(height - kStrip - kLinesHeight, 0));
}

void HistoryWindow::Show(const std::filesystem::path& log) {
  if (!Make()) return;
  log_ = log;
  Summarise(std::nullopt);
  if (!placed_) {
    PlaceBeside(hwnd_, owner_);
    placed_ = true;
  }
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void HistoryWindow::Update() {
  using namespace std::chrono;
  HistoryPeriod period{PickerDay(start_), PickerDay(stop_) + days(1) - seconds(1)};
  Summarise(period);
}

void HistoryWindow::PeriodSet(std::chrono::sys_days start, std::chrono::sys_days stop) {
  SYSTEMTIME first = SystemTimeOf(start), last = SystemTimeOf(stop);
  SendMessageA(start_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&first));
  SendMessageA(stop_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&last));
}

void HistoryWindow::Summarise(std::optional<HistoryPeriod> period) {
  HistorySummary summary = kind_ == HistoryKind::Airmail ? AirmailSummary(log_, period) : LogFileSummary(log_, period);
  SendMessageA(lines_, LB_RESETCONTENT, 0, 0);
  for (const auto& line : summary.lines) SendMessageA(lines_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  HistoryTableFill(table_, kind_, summary, grid_.Measure());
  Sort();
  // Opened on the whole log: the pickers show the dates it spans.
  if (!period && summary.first && summary.last) PeriodSet(*summary.first, *summary.last);
  if (!summary.failure.empty()) messenger_.Show(summary.failure, MessageIcon::Exclamation);
}

void HistoryWindow::GridHeaderClick(int column) {
  sortKeys_ = HistorySortKeys(column, sortKeys_);
  Sort();
}

// The order the user chose stays over "Update".
void HistoryWindow::Sort() {
  if (!sortKeys_.empty() && table_.DataRows() > 1) SortRows(table_, 1, table_.DataRows(), sortKeys_, messenger_);
  grid_.Refresh();
}

std::vector<std::string> HistoryWindow::Lines() const {
  std::vector<std::string> lines;
  int count = static_cast<int>(SendMessageA(lines_, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string line(static_cast<size_t>(SendMessageA(lines_, LB_GETTEXTLEN, i, 0)) + 1, '\0');
    line.resize(static_cast<size_t>(SendMessageA(lines_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
    lines.push_back(line);
  }
  return lines;
}

LRESULT CALLBACK HistoryWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObjectOf<HistoryWindow>(hwnd, message, lParam);
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
      if (LOWORD(wParam) == kUpdateId && HIWORD(wParam) == BN_CLICKED) self->Update();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace velmora
