#pragma once
// The AutoConnect engine: started and stopped by the window, advanced once
// per processed buffer by the main window's verdict. It has no timer of its
// own: when the sound stops, the engine stands still.
#include <string_view>

#include "autoconnect/CurrentFrequencyMachine.h"
#include "autoconnect/EngineRun.h"
#include "autoconnect/MultipleFrequenciesMachine.h"
#include "autoconnect/MultipleStationsMachine.h"

namespace velmora {

inline constexpr const char* kCloseQuestionAutoConnect =
    "AutoConnect is running.  Closing the window will stop AutoConnect.  Do you want to close the window and stop "
    "AutoConnect.";
inline constexpr const char* kCloseQuestionScan =
    "ScanStation is running.  Closing the window will stop AutoConnect.  Do you want to close the window and stop "
    "ScanStation.";

class AutoConnectEngine {
 public:
  AutoConnectEngine(EnginePorts ports, EngineSeams seams, const ReasonColors& colours = {});
  AutoConnectEngine(const AutoConnectEngine&) = delete;
  AutoConnectEngine& operator=(const AutoConnectEngine&) = delete;

  // One processed buffer. Returns at once while a step is still blocked in
  // a terminal operation or a message box.
  void Update(Verdict verdict);
  void AutoConnectStart();
  void AutoConnectStop(bool beep, std::string_view text) { run_.AutoConnectStop(beep, text); }
  // The toolbar's "Stop".
  void StopPressed();
  // Before the window closes or the mode changes: asks while a run is
  // active and ends it; false when the user keeps it going.
  bool CloseCheck();
  // Called by AutoSelect: every buffer goes to the noise collection until
  // it stops.
  void NoiseCollectionStart();

  bool Running() const { return run_.Running(); }
  bool NoiseCollectionActive() const { return run_.NoiseCollectionActive(); }
  // A run is starting or running, or the noise collection is on.
  bool Active() const { return run_.Running() || run_.Starting() || run_.NoiseCollectionActive(); }
  // A step or a start is under way, maybe waiting on AirMail or in a box,
  // though the run it belongs to may have been stopped meanwhile.
  bool Stepping() const { return stepping_; }
  // The terminal operations write their status texts here.
  StatusBarText& StatusBar() { return run_.StatusBar(); }
  void ObserverSet(RunObserver* observer) { run_.ObserverSet(observer); }
  void ListeningSet(ChannelListening* listening) { run_.ListeningSet(listening); }
  // For the steps of the modes built elsewhere.
  EngineRun& Run() { return run_; }

 private:
  EngineWindow& window_;
  Messenger& messenger_;
  EngineSeams seams_;
  EngineRun run_;
  CurrentFrequencyMachine currentFrequency_{run_};
  MultipleFrequenciesMachine multipleFrequencies_{run_};
  MultipleStationsMachine multipleStations_{run_};
  bool stepping_ = false;
};

}  // namespace velmora
