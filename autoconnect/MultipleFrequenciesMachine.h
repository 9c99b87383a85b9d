#pragma once
// Mode 1, "Multiple Frequencies": one station, several frequencies. Unless
// only Tx frequencies are checked, the engine first listens on every
// checked Rx Check frequency in turn (a station that answers another user
// is heard there, and the engine waits until it falls silent), then waits
// on the Tx Connect frequency for a free channel and calls. A failed call
// goes on with the next Tx Connect row, round robin.
#include "autoconnect/EngineRun.h"

namespace velmora {

class MultipleFrequenciesMachine final : public ModeSteps {
 public:
  explicit MultipleFrequenciesMachine(EngineRun& run) : r_(run) {}
  void Step(Verdict verdict) override;

 private:
  enum State { kStart, kListeningRx, kStationBusy, kListeningTx, kCalling, kConnected };
  static constexpr auto kRx = EngineColumn::RxCheck;
  static constexpr auto kTx = EngineColumn::TxConnect;

  void Begin();
  void ListenRx(Verdict verdict);
  void WaitRx(Verdict verdict);
  void ListenTx(Verdict verdict);
  void Retry();
  void RxListenBegin();
  void TxListenBegin(std::string_view status);

  EngineRun& r_;
};

}  // namespace velmora
