// The main window's two displays: laid out as the window is sized, redrawn,
// their mouse read-out and right-click menus, and the caption that names
// what they show.
#include "app/win32/MainWindow.h"
#include "common/win32/MenuBuilder.h"
#include "display/Caption.h"

namespace velmora {

void MainWindow::OnDisplayMouse(bool spectrum, UINT message, int x, int y) {
  if (message == WM_RBUTTONUP) {
    POINT p{x, y};
    ClientToScreen(spectrum ? picFrequency_.Handle() : picTime_.Handle(), &p);
    PopupMenuShow(hwnd_, spectrum ? frequencyMenu_.get() : timeMenu_.get(), p);
    return;
  }
  auto readout = spectrum ? display_->SpectrumMouse(message, x, y, signal_.LoopActive(), [this] { RedrawLastBuffer(); })
                          : display_->TimeMouse(message, x, y);
  if (spectrum && message == WM_LBUTTONUP) UpdateCaption();
  if (!readout) return;
  SetReadoutVisible(true);
  statusBar_.SetText(2, *readout);
}

void MainWindow::OnSize(WPARAM kind) {
  if (!hwnd_ || !toolbar_.Handle()) return;
  if (kind == SIZE_MINIMIZED) return;  // the displays draw nothing while minimised
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (client.right < 10 || client.bottom < 10) return;
  toolbar_.AutoSize();
  statusBar_.Resize();
  int top = toolbar_.Height();
  int bottom = client.bottom - statusBar_.Height();
  int height = bottom - top;
  if (height < 2) return;
  int timeHeight = height / 3;
  picTime_.Move(0, top, client.right, timeHeight);
  picFrequency_.Move(0, top + timeHeight, client.right, height - timeHeight);
  if (!signal_.LoopActive()) RedrawLastBuffer();
}

void MainWindow::RedrawLastBuffer() {
  // Nothing to redraw until a buffer has been processed.
  if (signal_.CurrentBuffer() == kNoBuffer) return;
  signal_.Redraw();
}

void MainWindow::UpdateCaption() {
  // A playback file's name shows until its first buffer has been analysed.
  if (showingPlaybackCaption_ && signal_.Playback().Buffers() == 0 && signal_.Playback().IsOpen()) return;
  showingPlaybackCaption_ = false;
  std::string caption = MainCaption(signal_.Recording(), settings_.display.fftRange);
  char current[256] = {};
  GetWindowTextA(hwnd_, current, sizeof current);
  if (caption != current) SetWindowTextA(hwnd_, caption.c_str());
}

void MainWindow::CaptionChanged() {
  // A recording started or stopped from a menu (or ended by a failed write)
  // shows in the open Options dialog too: its Apply acts on the option.
  if (options_) options_->RecordingShow(signal_.Recording());
  std::string playback = signal_.PlaybackCaption();
  if (!playback.empty() && signal_.Playback().Buffers() == 0) {
    showingPlaybackCaption_ = true;
    SetWindowTextA(hwnd_, playback.c_str());
    return;
  }
  showingPlaybackCaption_ = false;
  UpdateCaption();
}

void MainWindow::HideReadoutIfOutside() {
  if (!readoutVisible_) return;
  POINT p{};
  GetCursorPos(&p);
  HWND under = WindowFromPoint(p);
  if (under != picTime_.Handle() && under != picFrequency_.Handle()) SetReadoutVisible(false);
}

// The read-out panel is hidden by giving it no width, so panel 3 keeps its number.
void MainWindow::SetReadoutVisible(bool visible) {
  readoutVisible_ = visible;
  statusBar_.SetWidths({130, visible ? 330 : 0});
}

}  // namespace velmora
