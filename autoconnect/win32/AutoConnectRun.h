#pragma once
// What a run of the AutoConnect window acts through, wired together:
// AirMail's terminal on the desktop with its debug log, the station
// history and the occupancy record beside the program, the main window's
// Pactor counts, the log of runs, the radio's serial link, and the engine
// over them and the frequency table with the scan, noise and reference
// machines beside it.
#include <windows.h>

#include "airmail/AirmailTerminal.h"
#include "airmail/DetectorPactorCounts.h"
#include "airmail/win32/AirmailWindows.h"
#include "airmail/win32/WindowActivate.h"
#include "autoconnect/ActivityMachines.h"
#include "autoconnect/AirmailEngineTerminal.h"
#include "autoconnect/AutoConnectEngine.h"
#include "autoconnect/GridEngineTable.h"
#include "autoconnect/OccupancyRecorder.h"
#include "autoconnect/RadioCommLink.h"
#include "autoconnect/StationFieldTerminal.h"
#include "common/win32/MessagePump.h"
#include "radio/win32/Win32SerialPort.h"
#include "selection/SelectionPorts.h"
#include "selection/StationHistoryData.h"

namespace velmora {

// SAILMAIL's display names in the data folder the settings name now.
class SettingsStationNames final : public StationNames {
 public:
  SettingsStationNames(const AutoConnectSettings& settings, Messenger& messenger)
      : settings_(settings), messenger_(messenger) {}
  std::string StationFromStationName(std::string_view system, std::string_view name) override;

 private:
  const AutoConnectSettings& settings_;
  Messenger& messenger_;
};

// The ship's position a run's log records, from where the table takes it.
class GeometryShipPosition final : public ShipPosition {
 public:
  explicit GeometryShipPosition(StationGeometry& geometry) : geometry_(geometry) {}
  std::optional<LatLon> LatLonGetCurrent() override { return geometry_.ShipPosition(); }

 private:
  StationGeometry& geometry_;
};

struct AutoConnectRunSetup {
  HWND window;  // AirMail is started on its behalf; it is brought back in front of AirMail
  EngineWindow& engineWindow;
  FrequencyTable& table;
  MainWindowLink& main;
  Messenger& messenger;
  MessagePump& pump;
  const AutoConnectSettings& settings;  // the window's record, until a run takes its own
  const ReasonColors& colors;
  StationGeometry& geometry;  // the ship's position for the log
  // What the window shows and keeps of the scan, noise and reference machines.
  ScanMessageBox& scanBox;
  ReferenceSink& reference;
  ActivityLabels& labels;
  NoConnectData& noConnect;  // a failed round's table kept
  MessageNote* unattended = nullptr;  // a run nobody watches: AirMail started without asking
};

class AutoConnectRun {
 public:
  explicit AutoConnectRun(const AutoConnectRunSetup& setup);
  AutoConnectRun(const AutoConnectRun&) = delete;
  AutoConnectRun& operator=(const AutoConnectRun&) = delete;

  AutoConnectEngine& Engine() { return engine_; }
  AirmailTerminal& Terminal() { return terminal_; }
  // What AirMail's terminal, the station history and the station names go
  // by: a run takes them at its start and keeps them to its end, whatever
  // is recalled into the window meanwhile.
  void SettingsTake(const AutoConnectSettings& settings) { settings_ = settings; }
  // A radio a killed run left in remote control is handed back (no run may be going).
  void RadioRemoteRelease() { radio_.RadioRemoteRelease(); }
  // The program ends: the log records, history marks and channel occupancy
  // their files refused during the session get a last chance.
  void WaitingWrite() {
    log_.LogFileEnd();
    history_.StationHistoryEnd();
    occupancy_.ListeningEnded();
  }
  // Some of that is not written yet.
  bool WritesWaiting() const { return log_.Waiting() || history_.Waiting() || occupancy_.PendingSeconds() > 0; }

 private:
  AutoConnectSettings settings_;
  SteadyClock clock_;
  Win32AirmailDesktop desktop_;
  HandleWindowActivator activator_;
  // The terminal's texts go to the engine status panel, as the engine's do.
  StatusBarText terminalStatus_;
  DetectorPactorCounts counts_;
  SettingsStationNames names_;
  StationHistoryFile history_;
  DebugLogMonitor monitor_;
  AirmailTerminal terminal_;
  AirmailEngineTerminal engineTerminal_;
  StationFieldTerminal stationField_;
  GridEngineTable engineTable_;
  SystemRunClock runClock_;
  GeometryShipPosition ship_;
  AutoConnectLog log_;
  // The radio goes by the run's settings: its port and address as the run took them.
  Win32SerialPort serial_;
  RadioComm radio_;
  RadioCommLink radioLink_;
  GridNoiseSelection noiseSelection_;
  // What every listening step hears, kept at the end of each run.
  SystemUtcClock utc_;
  OccupancyRecorder occupancy_;
  ActivityMachines machines_;
  AutoConnectEngine engine_;
};

}  // namespace velmora
