#pragma once
// Mode 0, "Current Frequency": the call goes out on whatever station and
// frequency AirMail's terminal shows; the first checked Tx Connect row only
// shows the progress.
#include "autoconnect/EngineRun.h"

namespace velmora {

// Beside "Stopped" when the one call allowed went out: its result is AirMail's to show.
inline constexpr const char* kCallLeftToAirmail = "Called, Result in AirMail";

class CurrentFrequencyMachine final : public ModeSteps {
 public:
  explicit CurrentFrequencyMachine(EngineRun& run) : r_(run) {}
  void Step(Verdict verdict) override;

 private:
  enum State { kStart, kListening, kCalling, kConnected };

  void Begin();
  void Listen(Verdict verdict);

  EngineRun& r_;
};

}  // namespace velmora
