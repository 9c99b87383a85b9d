#include "autoconnect/AutoConnectEngine.h"

namespace velmora {
namespace {

// Marks a step in progress for as long as it lasts, however it ends.
class StepGuard {
 public:
  explicit StepGuard(bool& stepping) : stepping_(stepping) { stepping_ = true; }
  StepGuard(const StepGuard&) = delete;
  StepGuard& operator=(const StepGuard&) = delete;
  ~StepGuard() { stepping_ = false; }

 private:
  bool& stepping_;
};

}  // namespace

AutoConnectEngine::AutoConnectEngine(EnginePorts ports, EngineSeams seams, const ReasonColors& colours)
    : window_(ports.window), messenger_(ports.messenger), seams_(seams), run_(ports, seams, colours) {}

void AutoConnectEngine::Update(Verdict verdict) {
  if (stepping_) return;
  StepGuard guard(stepping_);
  run_.StepBegin();
  if (run_.NoiseCollectionActive()) return seams_.noise.Step(verdict);
  if (!run_.Running()) return;
  run_.StatusTimesUpdate();
  switch (run_.Mode()) {
    case kModeCurrentFrequency:
      if (verdict.valid) currentFrequency_.Step(verdict);
      break;
    case kModeMultipleFrequencies:
      if (verdict.valid) multipleFrequencies_.Step(verdict);
      break;
    case kModeMultipleStations:
      if (verdict.valid) multipleStations_.Step(verdict);
      break;
    case kModeReferenceStations: seams_.reference.Step(verdict); break;
    case kModeScanStations: seams_.scan.Step(verdict); break;
    default: break;
  }
}

void AutoConnectEngine::AutoConnectStart() {
  if (stepping_ || Active()) return;
  StepGuard guard(stepping_);
  run_.AutoConnectStart();
}

void AutoConnectEngine::StopPressed() {
  run_.Status("Stopped");
  run_.AutoConnectStop(false, "Stopped");
}

bool AutoConnectEngine::CloseCheck() {
  if (!Active()) return true;
  bool scan = run_.Mode() == kModeScanStations && !run_.NoiseCollectionActive();
  if (!messenger_.AskYesNo(scan ? kCloseQuestionScan : kCloseQuestionAutoConnect, MessageIcon::Question)) return false;
  if (Active()) StopPressed();
  return true;
}

void AutoConnectEngine::NoiseCollectionStart() {
  if (Active()) return;
  run_.SettingsTake(window_.SettingsFromWindow());
  // Each frequency measured is heard as the system's and its row's station.
  run_.run.current = {window_.CurrentSystem(), {}, {}};
  run_.NoiseCollectionSet(true);
  seams_.noise.NoiseCollectionBegin();
  window_.WindowModeRefresh();
}

}  // namespace velmora
