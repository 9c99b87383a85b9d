#include "reports/win32/HistoryWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "common/SystemLib.h"
#include "common/win32/InputPause.h"
#include "common/win32/WaitPointer.h"
#include "reports/AirmailSummary.h"
#include "reports/LogFileSummary.h"

namespace velmora {
namespace {

constexpr int kUpdateId = 1;
constexpr int kGridId = 2;
constexpr int kPickerStrip = 32;   // the pickers and the button
constexpr int kLinesHeight = 150;  // room for every line of the longer summary

const char* ClassOf(HistoryKind kind) {
  return kind == HistoryKind::Airmail ? "VelmoraAirmailHistory" : "VelmoraLogFileHistory";
}

HWND HistoryChild(HWND parent, const char* cls, const char* text, DWORD style, int id = 0) {
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
    : ToolWindow(owner, {.className = ClassOf(kind), .caption = HistoryCaption(kind), .width = 560, .height = 420,
                         .show = ToolShow::KeepSize, .grows = true}),
      kind_(kind), messenger_(messenger), grid_(table_, *this, [this](int row, int column) {
        return row >= 0 ? HistoryToolTip(kind_, column) : std::string();
      }) {}

// The grid's window goes with this one, before the grid's object.
HistoryWindow::~HistoryWindow() { Destroy(); }

bool HistoryWindow::OnCreate() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
  InitCommonControlsEx(&controls);
  start_ = HistoryChild(hwnd_, DATETIMEPICK_CLASSA, "", DTS_SHORTDATEFORMAT | WS_TABSTOP);
  stop_ = HistoryChild(hwnd_, DATETIMEPICK_CLASSA, "", DTS_SHORTDATEFORMAT | WS_TABSTOP);
  update_ = HistoryChild(hwnd_, WC_BUTTONA, "&Update", BS_PUSHBUTTON | WS_TABSTOP, kUpdateId);
  lines_ = HistoryChild(hwnd_, WC_LISTBOXA, "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL);
  return start_ && stop_ && update_ && lines_ && grid_.Create(hwnd_, kGridId);
}

void HistoryWindow::OnSize(int width, int height) {
  const LayoutScale& scale = Scale();
  MoveWindow(start_, scale.X(4), scale.Y(5), scale.X(110), scale.Y(22), TRUE);
  MoveWindow(stop_, scale.X(120), scale.Y(5), scale.X(110), scale.Y(22), TRUE);
  MoveWindow(update_, scale.X(240), scale.Y(5), scale.X(70), scale.Y(22), TRUE);
  const int strip = scale.Y(kPickerStrip), lines = scale.Y(kLinesHeight);
  MoveWindow(lines_, 0, strip, width, lines, TRUE);
  grid_.Move(0, strip + lines, width, std::max(height - strip - lines, 0));
}

void HistoryWindow::Show(const std::filesystem::path& log) {
  if (!Make()) return;
  log_ = log;
  // Shown first: the reading says so in it.
  ToolWindow::Show();
  Summarise(std::nullopt);
}

bool HistoryWindow::OnCommand(int id, int code) {
  if (id == kUpdateId && code == BN_CLICKED) Update();
  return true;
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
  // AirMail's debug log runs to hundreds of megabytes, some seconds of
  // reading with no messages handled: the hourglass and a line say so.
  std::optional<WaitPointer> waiting(std::in_place);
  SendMessageA(lines_, LB_RESETCONTENT, 0, 0);
  const std::string reading = "Reading \"" + PathText(log_.filename()) + "\", please wait...";
  SendMessageA(lines_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(reading.c_str()));
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  HistorySummary summary = kind_ == HistoryKind::Airmail ? AirmailSummary(log_, period) : LogFileSummary(log_, period);
  SendMessageA(lines_, LB_RESETCONTENT, 0, 0);
  for (const auto& line : summary.lines) SendMessageA(lines_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  HistoryTableFill(table_, kind_, summary, grid_.Measure());
  Sort();
  // Opened on the whole log: the pickers show the dates it spans.
  if (!period && summary.first && summary.last) PeriodSet(*summary.first, *summary.last);
  waiting.reset();
  if (summary.failure.empty()) return;
  // The box belongs to the AutoConnect window: this one waits under it.
  InputPause pause(hwnd_);
  messenger_.Show(summary.failure, MessageIcon::Exclamation);
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

}  // namespace velmora
