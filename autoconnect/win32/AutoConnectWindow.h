#pragma once
// The AutoConnect window (`frmAirmail`): the operator's console over the
// engine and the frequency table. It holds the option frames of the mode,
// the Mode list, the table, a toolbar, menus and a five-panel status bar;
// the main window shows it, hands it each buffer's verdict while it is
// visible, and keeps its settings in the same file.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "autoconnect/AutoConnectSeam.h"
#include "autoconnect/EngineWindow.h"
#include "autoconnect/OptionsDialogLink.h"
#include "autoconnect/ReportWindows.h"
#include "autoconnect/RunObserver.h"
#include "autoconnect/win32/AutoConnectRun.h"
#include "autoconnect/win32/AutoConnectWindowIds.h"
#include "autoconnect/win32/OptionControls.h"
#include "autoconnect/win32/ScanMessageWindow.h"
#include "common/HeldMessenger.h"
#include "common/ScopedCount.h"
#include "common/win32/Handles.h"
#include "common/win32/MessagePump.h"
#include "common/win32/StatusBar.h"
#include "common/win32/FocusKeeper.h"
#include "common/win32/Toolbar.h"
#include "common/win32/Win32Messenger.h"
#include "common/win32/WindowObject.h"
#include "selection/AirmailStationGeometry.h"
#include "selection/Configure.h"
#include "selection/DataModeTables.h"
#include "selection/ReferenceData.h"
#include "selection/StationWindows.h"
#include "selection/win32/FrequencyGrid.h"
#include "selection/win32/ItsHfPredictions.h"
#include "selection/win32/PropagationWindows.h"

namespace velmora {

class AutoConnectWindow final : public AutoConnectSeam,
                                private EngineWindow,
                                private ConfigureWindow,
                                private TerminalReader,
                                private FrequencyGridListener,
                                private ReferenceSink,
                                private ActivityLabels,
                                private NoConnectData {
 public:
  // Messages go to `messenger` when one is given, else to boxes over this
  // window. `unattended` is given for a run nobody watches (see AirmailTerminal).
  explicit AutoConnectWindow(MessagePump& pump, Messenger* messenger = nullptr, MessageNote* unattended = nullptr);
  AutoConnectWindow(const AutoConnectWindow&) = delete;
  AutoConnectWindow& operator=(const AutoConnectWindow&) = delete;
  ~AutoConnectWindow() override;

  // What fills the table's prediction and range cells.
  void TablePortsSet(PredictionSource& predictions, StationGeometry& geometry);
  // The windows that show a station of the table, once they exist.
  void StationViewsSet(StationWindows* views, DependentWindows* dependents);
  // Predictions from the ITS HF programs of that folder, and the windows
  // that show a station's predictions.
  void ItsHfProgramsUse(const std::filesystem::path& programFolder, std::string itshfbcFolder = kItshfbcFolder);
  // The options dialog the Options entries open, once it exists.
  void OptionsDialogSet(OptionsDialogLink* dialog) { optionsDialog_ = dialog; }
  // The station information window and the history summaries.
  void ReportWindowsSet(ReportWindows* reports) { reports_ = reports; }
  void RunObserverSet(RunObserver* observer);

  // The main window's side.
  bool Available() const override { return true; }
  bool Visible() const override { return hwnd_ && IsWindowVisible(hwnd_); }
  void Show() override;
  void Unload() override;
  bool Busy() const override { return operations_ > 0; }
  void RunEnd() override;
  bool MeasurementsCloseCheck() override;
  void MeasurementsKeep() override;
  void WaitingWrite() override;
  void MessagesHold(bool hold) override { hold ? heldMessenger_.Hold() : heldMessenger_.Release(); }
  void Update(Verdict verdict) override;
  void Attach(MainWindowLink& mainWindow) override { link_ = &mainWindow; }
  void ProfileRecall(const ProfileDocument& profile) override;
  void ProfileRecallWindow(const ProfileDocument& profile) override;
  void ProfileSave(ProfileWriter& profile) override;
  void ProfileSaveWindow(ProfileWriter& profile) override;
  std::string AirmailDataFolder() const override { return settings_.airmailDirectoryData; }

  // The window exists (hidden); done by the first call that needs it.
  bool Create();
  HWND Handle() const { return hwnd_; }
  // As the user closes it: the close check, then the settings saved.
  void Close();
  // A run as "Start" starts it; false when none began.
  bool Start();
  void Stop();
  // The Mode list's choice: the close check for the mode left, then the table.
  void ModeChoose(int mode);
  // Rebuilds the table for the mode ("Refresh"); nothing while a run is
  // active. Unsaved reference measurements are asked about first (as at
  // close), and a save that fails keeps them and the table.
  void Configure();
  // The options dialog stored new settings: the table is rebuilt now, or
  // once the run under way has ended.
  void OptionsApplied();
  // No run, noise collection or rebuild is under way, nor the step of one
  // stopped while it waits on AirMail: the settings record may be replaced.
  bool Idle() const;
  // A menu entry or toolbar button, as if clicked.
  void Command(int id);
  // The measurements of mode 3 as a new reference data file, selected as
  // "Reference Data File"; its path, or nullopt (told) when none was written.
  std::optional<std::filesystem::path> ReferenceSave();
  // Measurements taken since the last save.
  bool ReferenceUnsaved() const { return referenceUnsaved_; }
  // Rows of the last mode-3 run that got no figure.
  int ReferenceRowsMissed() const { return referenceMissed_; }
  // Log records, history marks or channel occupancy that their files
  // refused, also at the program's end.
  bool WritesLost() const { return writesLost_ || (run_ && run_->WritesWaiting()); }
  // A reference data file into mode 4 as "Recall" or a click on the list does.
  void ReferenceRecallFrom(const std::filesystem::path& file);
  // File or Settings "Recall..." and "Save..." once the file was chosen;
  // no recall while a run is active.
  void SettingsRecallFrom(const std::filesystem::path& file);
  void SettingsSaveTo(const std::filesystem::path& file);

  AutoConnectSettings& Settings() { return settings_; }
  Messenger& Messages() { return *messenger_; }
  FrequencyTable& Table() { return table_; }
  FrequencyGrid& Grid() { return grid_; }
  ScanMessageWindow* ScanBox() { return scanBox_.get(); }
  OptionControls& Options() { return options_; }
  Toolbar& Tools() { return toolbar_; }
  // Panel 1 the run state, 2 the engine status, 3 the time connected, 4 the
  // time since the run started, 5 the UTC clock.
  StatusBar& Status() { return statusBar_; }
  HMENU MenuBar() const { return menuBar_.get(); }
  AutoConnectEngine* Engine() { return run_ ? &run_->Engine() : nullptr; }
  // An option field was changed since the table was last built.
  bool SettingsPending() const { return settingsPending_; }
  bool Activated() const { return activated_; }
  // Activated, and nothing is being built, started or run now.
  bool Ready() const { return activated_ && Idle(); }
  // Buffers with sound in them (not all zeros) handed to the window so far.
  std::uint64_t SoundBuffers() const { return soundBuffers_; }

 private:
  // Counts an operation of the window (see operations_) for as long as it lasts.
  using Operation = ScopedCount;

  friend LRESULT CALLBACK ObjectWindowProc<AutoConnectWindow>(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnCreate();
  void Layout();
  void PlaceOnScreenFrom(const RECT& work, int left);
  void OnClose();
  void OnShowWindow(bool shown);
  void OnRebuildAfterRun();
  bool OnSetCursor();
  void OnCommand(int id, int code, HWND control);
  void OnField(int index, int code);
  void OnToolbar(std::string_view key);
  void OnTimer(UINT_PTR timer);
  void OnContextMenu(HWND control, POINT screen);
  void OnInitMenuPopup(HMENU menu);
  void FirstActivation();
  // AirMail looked for; with "Auto" its decoder's centre tone read afresh.
  void AirmailFind();
  bool CommandAvailable(int command) const;
  void StationViewShow(int command);
  void ReportShow(int command);

  void SettingsChanged(bool readFields);
  void SettingsToWindow();
  void SettingsDefault();
  void SettingsRecallChosen();
  void SettingsSaveChosen();
  bool ProfileSaveToFile(const std::filesystem::path& file, bool windowKeys, ProfileBaseline* known = nullptr);
  void SystemChoose();
  void StationChoose();
  void MenuBarShow();
  void ToggleFromToolbar(std::string_view key, bool& setting);
  bool Runnable() const;
  // The terminal for a use outside a run, going by the window's settings.
  AirmailTerminal& IdleTerminal();
  // After the engine acted: the table on the screen and the blink timer.
  void AfterEngine();
  std::string GridToolTip(int row, int column);
  struct TableStation {
    std::string system;
    std::string station;  // the station key
  };
  std::optional<TableStation> SelectedStation() const;
  ModeTables& ModeTablesFor(const StationRowsServices& rows);
  // What the data files keep beside the table: now, or the run's start;
  // nothing without the ship's position.
  std::optional<DataConditions> ConditionsAt(const UtcDateTime& time);
  // The close check's part for mode 3, asked too before anything drops the
  // measured rows: false keeps them (a save failed).
  bool ReferenceCloseCheck();
  // The caption: the selected no-connect file's time, or "AutoConnect".
  void CaptionShow();
  void ReferenceRecallChosen();
  // After a rebuild: the recalled data's figures and the working list.
  void DataModeShow();
  void WorkingListFill();
  bool WorkingShown() const;

  // What the machines beside the engine need of the window.
  void ReferenceCollectionTime(const UtcDateTime& start) override {
    referenceTime_ = start;
    referenceMissed_ = 0;
  }
  void ReferenceMeasured() override { referenceUnsaved_ = true; }
  void ReferenceMissed() override { ++referenceMissed_; }
  void ScanNotBusyShow(std::string_view text) override { options_.TextSet("lblScanNotBusy", text); }
  void NoiseIntervalShow(std::string_view text) override { options_.TextSet("lblAutoSelectNoiseInterval", text); }
  void ReferenceAverageShow(std::string_view text) override { options_.TextSet("lblReferenceAverage", text); }
  void NoConnectSave() override;

  // What the engine needs of its window.
  const AutoConnectSettings& SettingsFromWindow() override;
  std::string CurrentSystem() override;
  std::string CurrentStation() override;
  std::string PanelText(int panel) override { return statusBar_.Text(panel); }
  void PanelSet(int panel, std::string_view text) override { statusBar_.SetText(panel, text); }
  void ConnectNotBusyShow(std::string_view text) override { options_.TextSet("lblConnectNotBusy", text); }
  void ConnectAttemptsShow(std::string_view text) override { options_.TextSet("lblConnectAttempts", text); }
  void WindowModeRefresh() override { WindowModeRefresh(false); }
  void WindowActivate() override;
  void Beep() override { MessageBeep(MB_OK); }
  void PointerBusy(bool busy) override;

  // What rebuilding the table needs of its window.
  void SettingsFromWindow(AutoConnectSettings& settings) override;
  void ListFill(SelectionListId list, const SelectionList& entries) override;
  void WindowModeRefresh(bool layout) override;
  void UpdateStatusState(std::string_view text) override { statusBar_.SetText(1, text); }
  // Shown at once: a table fill tells its progress here while it holds the thread.
  void UpdateStatusStatus(std::string_view text) override;
  void ToolbarRefresh() override;
  bool Running() const override;
  // AutoSelect's "Noise": every buffer goes to the noise collection until it ends.
  void NoiseSelectionStart() override;

  // Mode 0 reads what AirMail's terminal shows.
  std::optional<TerminalReading> TerminalSelectGet() override;

  // The grid's clicks and pointer.
  void GridClick(int row, int column) override;
  void GridMouseMove(int, int) override {}
  void GridRightButtonUp(int row, int column, int screenX, int screenY) override;

  MessagePump& pump_;
  Win32Messenger ownMessenger_;
  HeldMessenger heldMessenger_;
  Messenger* messenger_;
  MessageNote* unattended_;
  MainWindowLink* link_ = nullptr;
  RunObserver* observer_ = nullptr;
  AutoConnectSettings settings_;

  // Until others are set: no predictions, the positions of AirMail's files,
  // no windows that show a station.
  velmora::AirmailDataFolder dataFolder_ =
      velmora::AirmailDataFolder::Following(settings_.airmailDirectoryData, *messenger_);
  NoPredictions ownPredictions_;
  AirmailStationGeometry ownGeometry_{dataFolder_};
  struct NoDependentWindows final : DependentWindows {
    void DependentWindowsReset() override {}
  } ownDependents_;
  std::unique_ptr<DataModeTables> dataTables_;  // made again at each rebuild, with its ports
  PredictionSource* predictions_ = &ownPredictions_;
  StationGeometry* geometry_ = &ownGeometry_;
  StationWindows* views_ = nullptr;
  OptionsDialogLink* optionsDialog_ = nullptr;
  DependentWindows* dependents_ = &ownDependents_;
  ReportWindows* reports_ = nullptr;

  ReasonColors colors_;
  FrequencyTable table_;
  int tableMode_ = -1;  // the mode the table was built for
  SystemUtcClock utc_;

  HWND hwnd_ = nullptr;
  Toolbar toolbar_;
  FocusKeeper focusKeeper_;
  StatusBar statusBar_;
  OptionControls options_;
  FrequencyGrid grid_;
  struct WorkingListener final : FrequencyGridListener {
    explicit WorkingListener(AutoConnectWindow& window) : window(window) {}
    void GridClick(int row, int column) override;
    void GridMouseMove(int, int) override {}
    void GridRightButtonUp(int, int, int, int) override {}
    AutoConnectWindow& window;
  } workingListener_{*this};
  // `grdWorking`: the saved reference data files, in modes 3 and 4.
  FrequencyTable workingTable_;
  FrequencyGrid workingGrid_;
  std::unique_ptr<ScanMessageWindow> scanBox_;
  UtcDateTime referenceTime_{};  // the last mode-3 run's start
  int referenceMissed_ = 0;      // its rows left without a figure
  ReferenceFilesTold referenceFilesTold_;  // unreadable files of the working list, told once
  bool referenceUnsaved_ = false;
  bool writesLost_ = false;  // at the program's end, when the run goes
  MenuHandle menuBar_;
  MenuHandle frequencyMenu_;

  bool activated_ = false;         // first activation done at least once
  bool showingActivated_ = false;  // first activation done (or posted) for this showing
  bool activationAfterStep_ = false;  // the showing's activation waits for the step under way
  bool settingsPending_ = false;
  bool rebuildAfterRun_ = false;  // the options dialog applied during a run
  bool busyPointer_ = false;
  std::uint64_t soundBuffers_ = 0;
  bool blinking_ = false;
  // A rebuild is under way; its message boxes let events run, and nothing
  // may start, rebuild or choose again until it is done.
  bool configuring_ = false;
  // Handlers of this window and calls into it under way, nested; any of
  // them may wait in a message box or on AirMail while other windows'
  // events run.
  int operations_ = 0;

  std::unique_ptr<ItsHfPredictions> itsHf_;
  std::unique_ptr<PropagationWindows> propagation_;
  // What the "Busy" column and rule read; before the configuration that points at it.
  std::unique_ptr<OccupancyFile> occupancy_;
  std::unique_ptr<TableConfiguration> configuration_;
  // Last: it acts on everything above and goes first.
  std::unique_ptr<AutoConnectRun> run_;
};

}  // namespace velmora
