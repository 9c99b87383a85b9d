#pragma once
// The Options dialog: input, display, detector and output settings on four
// tabs, the live detector readings beside each detector, and the detector
// statistics. Modeless; it keeps no settings of its own.
#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "display/OptionsModel.h"
#include "common/MenuDefinition.h"
#include "common/win32/MessagePump.h"

namespace velmora {

// What the dialog asks of the main window.
class OptionsHost {
 public:
  virtual ~OptionsHost() = default;
  virtual void SettingsDefault() = 0;
  virtual void SettingsRecall() = 0;
  virtual void SettingsSave() = 0;
  virtual void AfterApply() = 0;  // redraw a stopped display, rebuild the caption
  virtual void ShowSoundInput() = 0;
  virtual void ShowSoundOutput() = 0;
  virtual void SimulateChanged() = 0;  // the test signal's frequency or AM rate moved
  virtual std::string AirmailDataFolder() const = 0;
  virtual std::string StatisticsMessage() const = 0;
  virtual void StatisticsReset() = 0;
  virtual void HelpShowAt(std::string_view heading) = 0;  // F1: the overview from that heading
};

enum DetectorLabelIndex { kLabelPower, kLabelPactor2, kLabelPactor3, kLabelBurst, kLabelPeak, kLabelPulse,
                          kLabelCw, kLabelFax, kLabelWwv, kLabelDigital, kLabelFading, kLabelCount };

struct DetectorLabel {
  std::string text;
  bool detected = false;
};

class OptionsDialog {
 public:
  enum Tab { kInputTab = 0, kDisplayTab = 1, kDetectorTab = 2, kOutputTab = 3 };

  OptionsDialog(HWND owner, MainSettings& settings, SignalSide& signal, Messenger& messages, MessagePump& pump,
                OptionsHost& host);
  OptionsDialog(const OptionsDialog&) = delete;
  OptionsDialog& operator=(const OptionsDialog&) = delete;
  ~OptionsDialog();

  void Show(int tab);
  void Hide();
  bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
  HWND Handle() const { return hwnd_; }
  HWND Page(int tab) const { return pages_[tab]; }

  void DataSet();  // the controls from the members
  // The same, but the boxes the user changed since they were shown keep what was typed.
  void DataSetKeepingEdits();
  // The Output tab's option, when a recording starts or stops elsewhere.
  void RecordingShow(bool recording);
  bool Apply();    // the members from the controls
  // The readings beside the detectors, after every analysed buffer while shown.
  void Update(const std::array<DetectorLabel, kLabelCount>& labels);

  OptionsControls ReadControls() const;
  void WriteControls(const OptionsControls& controls);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool Create();
  void CreatePages();
  void FillLists();
  void AddTips();
  void SelectTab(int tab);
  void OnCommand(int id, int code);
  void OnDialogButton(int id);
  void OnSettingsCommand(int id);
  void OnStatisticsCommand(int id);
  void OnPageCommand(int id, int code);
  void SampleSizeChosen(int id);
  void OnScroll(HWND bar, int code);
  void SimulateSliderSet(int id);
  void ShowInputFrame(int source);
  void EnableDetectorFrames();
  void CenterFrequencyAutoClicked();
  void ChoosePlaybackFile();
  void DropMenu(const MenuDefinition& menu, int buttonId);
  HWND Control(int id) const;

  HWND owner_;
  MainSettings& settings_;
  SignalSide& signal_;
  Messenger& messages_;
  MessagePump& pump_;
  OptionsHost& host_;
  HWND hwnd_ = nullptr;
  HWND tab_ = nullptr;
  HWND tips_ = nullptr;
  std::array<HWND, 4> pages_{};
  std::array<bool, kLabelCount> detected_{};
  OptionsControls shown_;  // what the last DataSet put in the controls
};

}  // namespace velmora
