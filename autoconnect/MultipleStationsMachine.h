#pragma once
// Mode 2, "Multiple Stations": station by station in the order of the Tx
// Connect column. For the present station the engine listens on its
// checked Rx Check rows, then on its Tx Connect frequency; a station heard
// busy is given up for the next one, and so is a station whose call fails.
// A station without checked Rx Check rows is passed over.
// Each station's rows are expected together, in the same station order in
// both columns.
#include "autoconnect/EngineRun.h"

namespace velmora {

class MultipleStationsMachine final : public ModeSteps {
 public:
  explicit MultipleStationsMachine(EngineRun& run) : r_(run) {}
  void Step(Verdict verdict) override;

 private:
  enum State { kStart, kListeningRx, kNextStation, kListeningTx, kChooseNext, kCalling, kConnected };
  static constexpr auto kRx = EngineColumn::RxCheck;
  static constexpr auto kTx = EngineColumn::TxConnect;
  // Busy events on one frequency that give the station up.
  static constexpr std::int32_t kBusyEvents = 2;

  void Begin();
  void ListenRx(Verdict verdict);
  void NextStation();
  void ListenTx(Verdict verdict);
  void ChooseNext();
  void TerminalWindowClosed();
  // The present station's next checked Rx Check row after the cursor.
  bool NextRxOfStation();
  // The next checked Tx Connect row of another station, which becomes the
  // present one; false past the last.
  bool NextTxStation();
  // The present station, or failing it the next one that has checked Rx
  // Check rows, at its first one; false when none further on has any.
  bool StationWithRxRows();
  bool RxListenBegin();
  void TxListenBegin();

  EngineRun& r_;
};

}  // namespace velmora
