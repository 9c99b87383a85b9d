// The AutoConnect window's layout: the fields, buttons and toolbar in
// line with the mode and the run, and the frames, the working list, the
// table and the status bar placed in the window.
#include <algorithm>

#include "autoconnect/win32/AutoConnectWindow.h"

namespace velmora {
namespace {

constexpr int kWorkingWidth = 330;  // grdWorking beside the option frames
constexpr int kGap = 4;

}  // namespace

void AutoConnectWindow::WindowModeRefresh(bool layout) {
  if (!hwnd_) return;
  int mode = settings_.modeIndex;
  bool idle = Idle();
  if (layout) {
    options_.ShowMode(mode);
    // The offline modes rebuild from their own Recall.
    bool resync = mode != kModeReferenceData && mode != kModeNoConnectData;
    ShowWindow(options_.Control("cmdResync"), resync ? SW_SHOWNA : SW_HIDE);
    Layout();
  }
  options_.EnableFields(idle);
  // The seconds a scan, a measurement or the noise collection counted end with it.
  if (idle)
    for (const char* label : {"lblScanNotBusy", "lblAutoSelectNoiseInterval", "lblReferenceAverage"})
      options_.TextSet(label, "");
  // Mode 2 takes its stations from AutoSelect, not from the list.
  options_.EnableField("cmbConnectStation", idle && mode != kModeMultipleStations);
  options_.EnableField("cmdRecall", idle);
  options_.EnableField("cmdSave", idle && referenceUnsaved_);
  options_.EnableField("cmbMode", idle && !settingsPending_);
  options_.EnableField("cmdResync", idle);
  ToolbarRefresh();
  if (run_ && run_->Engine().Running()) statusBar_.SetText(1, "Running");
  else if (run_ && run_->Engine().NoiseCollectionActive()) statusBar_.SetText(1, "Checking");
}

void AutoConnectWindow::ToolbarRefresh() {
  bool idle = Idle();
  toolbar_.SetEnabled("Start", Runnable());
  toolbar_.SetEnabled("Stop", run_ && run_->Engine().Active());
  toolbar_.SetEnabled("Propagation", idle);
  toolbar_.SetEnabled("Reference", idle);
}

void AutoConnectWindow::Layout() {
  if (!hwnd_ || !toolbar_.Handle()) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  toolbar_.AutoSize();
  statusBar_.Resize();
  const LayoutScale& scale = options_.Scale();
  const int gap = scale.X(kGap);
  // Panel 2 takes what the others leave.
  const int time = scale.X(64);
  int rest = client.right - scale.X(90) - 3 * time;
  statusBar_.SetWidths({scale.X(90), std::max(rest, scale.X(120)), time, time});
  int top = toolbar_.Height() + scale.Y(kGap);
  options_.Move(gap + 2, top);
  SIZE area = options_.AreaSize(settings_.modeIndex);
  int gridTop = top + area.cy + scale.Y(kGap);
  int gridBottom = client.bottom - statusBar_.Height();
  grid_.Move(0, gridTop, client.right, std::max(gridBottom - gridTop, 0));
  // The saved files beside the frames, as tall as they are.
  int workingLeft = gap + 2 + area.cx + gap;
  workingGrid_.Move(workingLeft, top,
                    std::max<int>(std::min<int>(scale.X(kWorkingWidth), client.right - workingLeft - gap), 0),
                    std::max<int>(area.cy, 0));
  ShowWindow(workingGrid_.Handle(), WorkingShown() ? SW_SHOWNA : SW_HIDE);
}

// At `left` (right of the shrunk main window), and on the screen whole: on
// a small one (a netbook's 1024 by 600) narrowed to the room there, though
// never past the option frames, and lowered to the screen's height.
void AutoConnectWindow::PlaceOnScreenFrom(const RECT& work, int left) {
  RECT window{}, client{};
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  const int frame = (window.right - window.left) - client.right;
  const int gap = options_.Scale().X(kGap);
  const int narrowest = frame + gap + 2 + options_.AreaSize(settings_.modeIndex).cx + gap;
  const int width = std::min<int>(window.right - window.left, std::max<int>(work.right - left, narrowest));
  left = std::max<int>(work.left, std::min<int>(left, work.right - width));
  const int height = std::min<int>(window.bottom - window.top, work.bottom - work.top);
  SetWindowPos(hwnd_, nullptr, left, work.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmora
