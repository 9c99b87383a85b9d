// The main window's dialogs and help windows, and what they ask of it.
#include "app/win32/MainWindow.h"
#include "audio/win32/SoundControls.h"

namespace velmora {

void MainWindow::CreateDialogs() {
  OptionsHost& optionsHost = *this;
  HelpHost& helpHost = *this;
  options_ = std::make_unique<OptionsDialog>(hwnd_, settings_, signal_, messenger_, pump_, optionsHost);
  overview_ = std::make_unique<OverviewWindow>(hwnd_, programFolder_ + "\\Velmora.txt", messenger_);
  diagramMain_ = std::make_unique<DiagramMainWindow>(hwnd_, helpHost, messenger_);
  diagram_ = std::make_unique<DiagramWindow>(hwnd_, *diagramMain_);
  about_ = std::make_unique<AboutWindow>(hwnd_);
}

void MainWindow::UnloadDialogs() {
  options_.reset();
  about_.reset();
  diagram_.reset();
  diagramMain_.reset();
  overview_.reset();
}

void MainWindow::ShowOptions(int tab) {
  if (options_) options_->Show(tab);
}

void MainWindow::AfterApply() {
  UpdateCaption();
  if (!signal_.LoopActive()) RedrawLastBuffer();
}

void MainWindow::ShowSoundInput() { velmora::ShowSoundInput(hwnd_, messenger_); }
void MainWindow::ShowSoundOutput() { velmora::ShowSoundOutput(hwnd_, messenger_); }

void MainWindow::SimulateChanged() {
  // The test signal is generated again at once, so the displays follow the scroll bar.
  if (signal_.inputSource == kSimulated && !signal_.LoopActive()) signal_.SimulateData();
}

std::string MainWindow::StatisticsMessage() const { return {}; }
void MainWindow::StatisticsReset() {}

void MainWindow::ShowMainWindow() {
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
}

}  // namespace velmora
