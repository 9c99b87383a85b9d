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
  about_ = std::make_unique<AboutWindow>(hwnd_, pump_);
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

void MainWindow::ShowSoundInput() { velmora::ShowSoundInput(messenger_); }
void MainWindow::ShowSoundOutput() { velmora::ShowSoundOutput(messenger_); }

void MainWindow::SimulateChanged() {
  // The displays follow the scroll bar, stopped or playing.
  signal_.SimulateChanged();
}

std::string MainWindow::StatisticsMessage() const {
  // Each enabled detector among the six, in order, two carriage returns apart.
  std::string message;
  for (int k = 1; k <= kStatisticsDetectors; ++k) {
    auto detector = static_cast<StatisticsDetector>(k);
    if (!StatisticsEnabled(detector, settings_.detector)) continue;
    if (!message.empty()) message += "\r\r";
    message += statistics_.Text(detector, signal_.BufferSeconds());
  }
  return message;
}

void MainWindow::StatisticsReset() { statistics_.Reset(); }

void MainWindow::AfterDetect() {
  if (!options_ || !options_->Visible()) return;
  const DetectorResults& r = analysis_.Results();
  std::array<DetectorLabel, kLabelCount> labels;
  labels[kLabelPower] = {r.powerText, r.powerDetected};
  labels[kLabelPactor2] = {r.pactor2Text, r.pactor2Detected};
  labels[kLabelPactor3] = {r.pactor3Text, r.pactor3Detected};
  labels[kLabelBurst] = {r.burstText, r.burstDetected};
  labels[kLabelPeak] = {r.peakText, r.peakDetected};
  labels[kLabelPulse] = {r.pulseText, r.pulseDetected};
  labels[kLabelCw] = {r.cwText, r.cwDetected};
  labels[kLabelFax] = {r.faxText, r.faxDetected};
  labels[kLabelWwv] = {r.wwvText, r.wwvDetected};
  labels[kLabelDigital] = {r.digitalText, r.digitalDetected};
  labels[kLabelFading] = {r.fadingText, r.fadingDetected};
  options_->Update(labels);
  // Statistics count only the buffers seen while the dialog is shown.
  StatisticsUpdate(statistics_, r, settings_.detector, analysis_.Spectrum().SignalLevel(), analysis_.BufferSeconds());
}

void MainWindow::ShowMainWindow() {
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
}

}  // namespace velmora
