#pragma once
// The main window: toolbar, menus, status bar and the two displays; it owns
// the signal side's settings and hands each buffer's verdict to the
// AutoConnect window.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "analysis/DetectorStatistics.h"
#include "analysis/SignalAnalysis.h"
#include "app/WindowProfile.h"
#include "audio/MainSettings.h"
#include "audio/SignalSide.h"
#include "audio/win32/WaveDevices.h"
#include "autoconnect/AutoConnectSeam.h"
#include "autoconnect/MainWindowLink.h"
#include "common/win32/Handles.h"
#include "common/win32/MessagePump.h"
#include "common/win32/StatusBar.h"
#include "common/win32/Toolbar.h"
#include "common/win32/Win32Messenger.h"
#include "common/win32/WindowObject.h"
#include "display/win32/BufferedPicture.h"
#include "display/win32/HelpWindows.h"
#include "display/win32/OptionsDialog.h"
#include "display/win32/SignalDisplay.h"

namespace velmora {

inline constexpr const char* kMainWindowClass = "VelmoraMain";
inline constexpr const char* kMainWindowCaption = "Velmora";

// The toolbar's buttons by key.
inline constexpr ToolbarButton kMainToolbar[] = {
    {"Menu", ToolbarButtonKind::Check},      {"Start", ToolbarButtonKind::CheckGroup},
    {"Stop", ToolbarButtonKind::CheckGroup}, {"Step"},
    {"Sound"},                               {"Detector"},
    {"Settings", ToolbarButtonKind::DropDown}, {"Airmail"}};
inline constexpr int kToolbarFirstId = 2001;

class MainWindow final : public MainWindowLink,
                         private SignalHost, private OptionsHost, private HelpHost, private DetectObserver,
                         private SpectrumSource {
 public:
  // Messages go to `messenger` when one is given, else to boxes over this window.
  MainWindow(std::string programFolder, MessagePump& pump, AutoConnectSeam& autoConnect,
             Messenger* messenger = nullptr);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // A top-level window of this program captioned exactly "Velmora".
  static bool OtherInstanceRunning();
  // A main window of this program under any caption: one zoomed, recording
  // or playing back is still a session that holds the sound card.
  static bool AnyInstanceRunning();

  bool Create();            // the creation step: the window exists, hidden
  void RecallAtStartup();   // the main window's then the AutoConnect window's settings
  void Show(int showCommand);  // shows it; the first showing restores the AutoConnect window
  void Close() { SendMessageA(hwnd_, WM_CLOSE, 0, 0); }
  // Called when Windows ends the session, once a run has ended and before
  // anything is saved: the process is ended afterwards, with no way back.
  void SessionEndingSet(std::function<void()> ending) { sessionEnding_ = std::move(ending); }
  // The settings could not be saved at the close.
  bool SettingsUnsaved() const { return settingsUnsaved_; }

  HWND Handle() const { return hwnd_; }
  // MainWindowLink: what the AutoConnect side reaches of this window.
  DetectorValues& Detectors() override { return analysis_; }
  void ProcessReset() override { signal_.ProcessReset(); }
  bool InputRunning() const override { return signal_.Running(); }
  bool InputFromReceiver() const override { return signal_.inputSource == kSoundCard; }
  std::int32_t SampleSize() const override { return settings_.display.sampleSize; }
  void SetSampleSize(std::int32_t samples) override;
  std::filesystem::path ProfileFile() const override { return profileFile_; }
  bool ProfileSaveAllowed() const override { return !profileUnreadable_; }
  ProfileBaseline* ProfileKnown() override { return &profileKnown_; }
  std::filesystem::path ProgramFolder() const override { return programFolder_; }
  void HelpShow(HelpTopic topic) override;
  void WindowPlace(int left, int top, int width, int height) override;
  void WindowPlaceRestore() override;
  MainSettings& Settings() { return settings_; }
  Toolbar& Tools() { return toolbar_; }
  // Panel 1 the run state, panel 2 the mouse read-out (shown only while the
  // pointer is over a display), panel 3 the detector verdict and warnings.
  StatusBar& Status() { return statusBar_; }
  bool ReadoutVisible() const { return readoutVisible_; }
  HMENU MenuBar() const { return menuBar_.get(); }
  HMENU SettingsMenu() const;
  BufferedPicture& TimePicture() { return picTime_; }
  BufferedPicture& FrequencyPicture() { return picFrequency_; }
  SignalSide& Signal() { return signal_; }
  SignalAnalysis& Analysis() { return analysis_; }
  SignalDisplay& Display() { return *display_; }
  DetectorStatistics& Statistics() { return statistics_; }
  Messenger& Messages() { return messenger_; }
  // The loop starts by itself at the first showing; tests may start it themselves.
  void SetAutoStart(bool autoStart) { autoStart_ = autoStart; }
  OptionsDialog* Options() { return options_.get(); }
  OverviewWindow* Overview() { return overview_.get(); }
  DiagramWindow* Diagram() { return diagram_.get(); }
  DiagramMainWindow* DiagramMain() { return diagramMain_.get(); }
  AboutWindow* About() { return about_.get(); }

  void SetMenuBarVisible(bool visible);
  // Settings > Recall and Save once the file was chosen.
  void RecallSettingsFrom(const std::filesystem::path& file);
  void SaveSettingsTo(const std::filesystem::path& file);
  void Command(int id);  // a menu item or toolbar button, as if clicked

 private:
  friend LRESULT CALLBACK ObjectWindowProc<MainWindow>(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnCreate();
  void OnSize(WPARAM kind);
  void OnInitMenuPopup(HMENU menu);
  void OnClose();
  void OnEndSession();
  void OnPowerBroadcast(WPARAM event);
  void OnToolbar(std::string_view key);
  void OnDisplayMouse(bool spectrum, UINT message, int x, int y);
  bool CommandAvailable(int command) const;
  void UpdateToolbarAvailability();

  void DefaultSettings();
  void RecallSettings();
  void SaveSettings();
  // A failure is told through `told`.
  bool SaveSettingsAtClose(Messenger& told);
  // Every key the close saves into the settings file, both windows'.
  void ProfileSaveAll(ProfileWriter& writer);
  void ApplyPlacement(const WindowPlacement& placement);
  WindowPlacement CurrentPlacement() const;
  // The placement to keep at close: the one before "Airmail Resize" while
  // the window is still shrunk, with whether it was in its normal state.
  WindowPlacement PlacementToSave(bool& normal) const;
  bool StillShrunk() const;
  void RedrawLastBuffer();
  void UpdateCaption();
  void SetReadoutVisible(bool visible);

  // SignalHost: what the loops need of this window.
  void SetStatus(int panel, std::string_view text) override { statusBar_.SetText(panel, text); }
  void SetToolbarPressed(std::string_view key, bool pressed) override { toolbar_.SetPressed(key, pressed); }
  void StartProcessTimer() override;
  void CaptionChanged() override;
  void HideReadoutIfOutside() override;
  void BufferAnalysed() override { UpdateCaption(); }
  void EndProgram() override { closePending_ = true; }
  void OnProcessTimer();

  // OptionsHost: what the Options dialog asks of this window.
  void SettingsDefault() override { DefaultSettings(); }
  void SettingsRecall() override { RecallSettings(); }
  void SettingsSave() override { SaveSettings(); }
  void AfterApply() override;
  void ShowSoundInput() override;
  void ShowSoundOutput() override;
  void SimulateChanged() override;
  std::string AirmailDataFolder() const override { return autoConnect_.AirmailDataFolder(); }
  std::string StatisticsMessage() const override;
  void StatisticsReset() override;
  void HelpShowAt(std::string_view heading) override;

  // HelpHost: what the program diagram's buttons open.
  void ShowMainWindow() override;
  void ShowDetectorOptions() override { ShowOptions(OptionsDialog::kDetectorTab); }
  bool AutoConnectAvailable() const override { return autoConnect_.Available(); }
  void ShowAutoConnect() override { autoConnect_.Show(); }

  // DetectObserver: the Options dialog's readings and statistics after every buffer.
  void AfterDetect() override;
  // SpectrumSource: what the spectrum display reads of the analysis.
  std::int32_t TransformLength() const override { return analysis_.Spectrum().N(); }
  float Density(std::int32_t bin) const override { return analysis_.Spectrum().Density(bin); }
  bool WwvTop() const override { return settings_.detector.wwvMode || analysis_.ReferenceWwv(); }

  void CreateDialogs();
  void ShowOptions(int tab);
  void UnloadDialogs();

  std::string programFolder_;
  std::string profileFile_;
  bool profileUnreadable_ = false;  // at start: it is not saved over
  bool settingsUnsaved_ = false;
  ProfileBaseline profileKnown_;     // taken at the first showing, kept by each save into the file
  MessagePump& pump_;
  AutoConnectSeam& autoConnect_;
  Win32Messenger ownMessenger_;
  Messenger& messenger_;

  HWND hwnd_ = nullptr;
  Toolbar toolbar_;
  StatusBar statusBar_;
  BufferedPicture picTime_;       // its buffer is picTimeBuffer
  BufferedPicture picFrequency_;  // its buffer is picFrequencyBuffer
  MenuHandle menuBar_;
  MenuHandle frequencyMenu_;
  MenuHandle timeMenu_;

  MainSettings settings_;
  SignalAnalysis analysis_{settings_.detector};  // spectrum and detectors of every buffer
  WaveInDevice waveIn_;
  WaveOutDevice waveOut_;
  SteadyClock clock_;
  SignalSide signal_;
  std::unique_ptr<SignalDisplay> display_;
  DetectorStatistics statistics_;  // held for the Options dialog
  std::unique_ptr<OptionsDialog> options_;
  std::unique_ptr<OverviewWindow> overview_;
  std::unique_ptr<DiagramMainWindow> diagramMain_;
  std::unique_ptr<DiagramWindow> diagram_;
  std::unique_ptr<AboutWindow> about_;
  // Where "Airmail Resize" found the window, and the rectangle it shrank it to.
  struct Shrink {
    WINDOWPLACEMENT before{};
    RECT beforeRect{};
    RECT shrunk{};
  };
  std::optional<Shrink> shrink_;
  bool firstShown_ = false;
  bool autoStart_ = true;
  bool closing_ = false;
  bool captureBeforeSleep_ = false;  // the sound card's loop ran when the computer went to sleep
  bool closePending_ = false;  // close once the loop on the stack has returned
  bool showingPlaybackCaption_ = false;
  bool readoutVisible_ = false;
  std::function<void()> sessionEnding_;
};

}  // namespace velmora
