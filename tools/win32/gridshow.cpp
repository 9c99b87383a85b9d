// velmora-gridshow: the frequency grid filled with sample stations as the
// AutoConnect window would fill it, for screenshots of a mode and for timing
// its drawing.
//   velmora-gridshow [--mode N] [--point ROW COLUMN]   shows the grid until closed;
//                                                       --point puts the pointer on a cell
//   velmora-gridshow --bench                            prints the time of a refresh and a paint
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "airmail/FrequencyLabel.h"
#include "selection/FrequencyToolTip.h"
#include "selection/StationRows.h"
#include "selection/TableColumns.h"
#include "selection/win32/FrequencyGrid.h"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

constexpr const char* kCaption = "Velmora - Frequency Table";
constexpr UINT_PTR kBlinkTimer = 1;  // tmrBlink

struct SampleStation {
  const char* id;
  const char* range;
  const char* azimuth;
  const char* history;
  std::vector<const char*> frequencies;  // as the station file lists them
};

const SampleStation kStations[] = {
    {"KZN471", "642", "118", "-0.5", {"3590", "7102#", "10147.3#", "14105.5#", "18106#"}},
    {"VQR33", "1380", "201", "", {"5067.5", "8091.4#", "12310#", "16588.5#"}},
    {"TLM2", "2915", "74", "1.5", {"7506#", "10332.5", "13975#", "18270#"}},
};

// The rows of each station with predictions that fall with the distance, the
// choices AutoSelect would have coloured, and one cell being called.
void SampleFill(FrequencyTable& table, int mode, const ReasonColors& colors, const TextWidth& measure) {
  AutoConnectSettings settings;
  settings.autoSelectAddSnrSlope = true;
  ColumnsBuild(table, mode, settings, measure);
  int stations = mode == kModeMultipleFrequencies ? 1 : static_cast<int>(std::size(kStations));
  for (int s = 0; s < stations; ++s) {
    const SampleStation& station = kStations[s];
    int best = 0;
    double bestSnr = -1e9;
    for (size_t f = 0; f < station.frequencies.size(); ++f) {
      int row = table.RowAdd();
      std::string label = FrequencyReformat(station.frequencies[f]).value_or("");
      double kHz = std::atof(station.frequencies[f]);
      double snr = 62 - 9.0 * s + 4.0 * static_cast<double>(f) - (kHz > 16000 ? 25 : 0);
      table.CellSet(row, kColumnP3, label.find("(p3)") != std::string::npos ? "P3" : "");
      table.CellSet(row, kColumnStation, station.id);
      table.CellSet(row, kColumnRange, station.range, CellAlign::Right);
      table.CellSet(row, kColumnAzimuth, station.azimuth, CellAlign::Right);
      table.CheckCellSet(row, kColumnRxCheck, label, false);
      table.CheckCellSet(row, kColumnTxConnect, label, false);
      table.CellSet(row, kColumnHistory, station.history, CellAlign::Right);
      if (*station.history) table.CellColorSet(row, kColumnHistory, colors[kReasonStationCorrection]);
      table.CellSet(row, kColumnLufMuf, LufMufText(kHz, 4200, 16900 - 1500.0 * s), CellAlign::Right);
      table.CellSet(row, kColumnLayer, LayerText(f < 2 ? " 1F2" : " 2F2"), CellAlign::Center);
      table.CellSet(row, kColumnSnr, std::to_string(static_cast<int>(snr)) + ".0", CellAlign::Right);
      table.CellSet(row, kColumnSlope, f % 2 ? "-1.5" : "2.0", CellAlign::Right);
      if (snr > bestSnr) {
        bestSnr = snr;
        best = row;
      }
    }
    table.CheckSet(best, kColumnRxCheck, true);
    table.CheckSet(best, kColumnTxConnect, true);
    table.CellBoldSet(best, kColumnSnr, true);
    table.CellColorSet(best - 1, kColumnTxConnect, colors[kReasonBusy]);
  }
  table.CellColorSet(2, kColumnRxCheck, colors[kReasonNoisy]);
  table.CellColorSet(3, kColumnTxConnect, colors[kReasonHigherFrequency]);
  // The frequency being called: its colour, and it blinks.
  table.CheckSet(4, kColumnTxConnect, true);
  table.FrequencyCellColor(4, kColumnTxConnect, colors[kReasonConnecting]);
  table.FrequencyCellBlink(4, kColumnTxConnect);
}

struct NoReports final : FrequencyGridListener {
  void GridClick(int, int) override {}
  void GridMouseMove(int, int) override {}
  void GridRightButtonUp(int, int, int, int) override {}
};

struct Show {
  FrequencyTable table;
  ReasonColors colors;
  NoReports reports;
  int mode = kModeMultipleStations;
  FrequencyGrid grid{table, reports, [this](int row, int column) {
                       ToolTipContext context{mode, true, true, colors};
                       return FrequencyMouseMove(table, row, column, context).value_or("");
                     }};
};

LRESULT CALLBACK ShowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* show = reinterpret_cast<Show*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_SIZE:
      if (show) show->grid.Move(0, 0, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_TIMER:
      if (show && wParam == kBlinkTimer) {
        show->table.BlinkTick();
        show->grid.Refresh();
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

HWND CreateShowWindow(Show& show, int clientWidth, int clientHeight) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ShowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "VelmoraGridShow";
  RegisterClassA(&wc);
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, wc.hInstance,
                              nullptr);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&show));
  show.grid.Create(hwnd, 1);
  return hwnd;
}

double Microseconds(Clock::duration d, int runs) {
  return std::chrono::duration<double, std::micro>(d).count() / runs;
}

// Rows enough to fill the view several times over, as a scan of many stations does.
void BenchFill(Show& show, int rows) {
  SampleFill(show.table, kModeMultipleStations, show.colors, show.grid.Measure());
  for (int i = show.table.DataRows(); i < rows; ++i) {
    int row = show.table.RowAdd();
    for (int column = 1; column < show.table.Columns(); ++column)
      show.table.CellSet(row, column, "12345.0", CellAlign::Right);
  }
  show.grid.Refresh();
}

int Bench() {
  std::printf("rows  refresh after a blink (us)  blinking cell painted (us)  whole grid painted (us)\n");
  for (int rows : {20, 200, 1000}) {
    Show show;
    HWND hwnd = CreateShowWindow(show, 900, 600);
    ShowWindow(hwnd, SW_SHOW);
    BenchFill(show, rows);
    show.table.FrequencyCellBlink(4, kColumnTxConnect);
    UpdateWindow(show.grid.Handle());
    constexpr int kRuns = 400;
    Clock::duration refresh{}, paint{};
    for (int i = 0; i < kRuns; ++i) {
      show.table.BlinkTick();
      auto t0 = Clock::now();
      show.grid.Refresh();
      auto t1 = Clock::now();
      UpdateWindow(show.grid.Handle());
      paint += Clock::now() - t1;
      refresh += t1 - t0;
    }
    auto t0 = Clock::now();
    for (int i = 0; i < kRuns / 10; ++i) {
      InvalidateRect(show.grid.Handle(), nullptr, FALSE);
      UpdateWindow(show.grid.Handle());
    }
    double whole = Microseconds(Clock::now() - t0, kRuns / 10);
    std::printf("%4d  %26.1f  %26.1f  %23.1f\n", rows, Microseconds(refresh, kRuns), Microseconds(paint, kRuns), whole);
    DestroyWindow(hwnd);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Show show;
  int pointRow = -1, pointColumn = -1;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--bench")) return Bench();
    if (!std::strcmp(argv[i], "--mode") && i + 1 < argc) show.mode = std::atoi(argv[++i]);
    if (!std::strcmp(argv[i], "--point") && i + 2 < argc) {
      pointRow = std::atoi(argv[++i]);
      pointColumn = std::atoi(argv[++i]);
    }
  }
  SampleFill(show.table, show.mode, show.colors, show.grid.Measure());
  int height = show.table.Rows() * show.grid.RowHeight() + 2 * GetSystemMetrics(SM_CYEDGE);
  HWND hwnd = CreateShowWindow(show, show.grid.WidthFit(), height);
  ShowWindow(hwnd, SW_SHOW);
  show.grid.Refresh();
  SetTimer(hwnd, kBlinkTimer, 500, nullptr);
  if (pointRow >= 0) {
    UpdateWindow(hwnd);
    RECT cell = show.grid.CellRect(pointRow, pointColumn);
    POINT centre{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(show.grid.Handle(), &centre);
    SetCursorPos(centre.x, centre.y);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
