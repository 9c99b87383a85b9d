#include "autoconnect/CurrentFrequencyMachine.h"

namespace velmora {

void CurrentFrequencyMachine::Step(Verdict verdict) {
  switch (r_.run.state) {
    case kStart: Begin(); break;
    case kListening: Listen(verdict); break;
    case kCalling: r_.Calling([this] { r_.run.state = kStart; }, kConnected); break;
    case kConnected: r_.Connected([this] { r_.ConnectedStop("Stop, Terminal Window"); }); break;
  }
}

void CurrentFrequencyMachine::Begin() {
  RunState& run = r_.run;
  if (!r_.Checked(r_.Terminal().TerminalActivate())) return;
  run.txRow = 0;
  std::string frequency = r_.Next(run.txRow, EngineColumn::TxConnect);
  if (frequency.empty()) return r_.ListEmpty(kConnectListEmpty, MessageIcon::Information);
  run.current.frequency = frequency;
  r_.ListenBegin(kListening, run.txRow, EngineColumn::TxConnect, "Waiting, Not Busy");
  run.statistics.stations = 1;
  run.statistics.frequencies = 1;
  run.began = true;
}

void CurrentFrequencyMachine::Listen(Verdict verdict) {
  RunState& run = r_.run;
  r_.ListenTx(verdict);
  if (!r_.NotBusyLong()) return;
  run.state = kCalling;
  // The terminal in front first, so that a Stop pressed meanwhile is seen
  // before the call key goes out.
  if (!r_.Checked(r_.Terminal().TerminalActivate())) return;
  if (!r_.Call()) return;
  if (run.attempts == 1 && r_.Settings().connectAttempts == 1) {
    // Left as it was, the status would say the run still waited to call.
    r_.Status(kCallLeftToAirmail);
    return r_.AutoConnectStop(true, "Stopped");
  }
  r_.CallingBegin();
}

}  // namespace velmora
