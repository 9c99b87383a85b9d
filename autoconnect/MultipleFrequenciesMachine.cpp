#include "autoconnect/MultipleFrequenciesMachine.h"

namespace velmora {

void MultipleFrequenciesMachine::Step(Verdict verdict) {
  switch (r_.run.state) {
    case kStart: Begin(); break;
    case kListeningRx: ListenRx(verdict); break;
    case kStationBusy: WaitRx(verdict); break;
    case kListeningTx: ListenTx(verdict); break;
    case kCalling: r_.Calling([this] { Retry(); }, kConnected); break;
    case kConnected: r_.Connected([this] { r_.ConnectedStop("Stopped, Terminal Window"); }); break;
  }
}

void MultipleFrequenciesMachine::Begin() {
  RunState& run = r_.run;
  if (!r_.Checked(r_.Terminal().TerminalSelectFrequencyField())) return;
  run.txRow = 0;
  if (r_.Next(run.txRow, kTx).empty()) return r_.ListEmpty(kConnectListEmpty, MessageIcon::Information);
  if (r_.Settings().connectTxOnly) {
    if (!r_.FrequencySet(run.txRow, kTx)) return;
    TxListenBegin("Checking, Not Busy Tx");
  } else {
    run.rxRow = 0;
    if (r_.Next(run.rxRow, kRx).empty()) return r_.ListEmpty(kCheckListEmpty, MessageIcon::Information);
    if (!r_.FrequencySet(run.rxRow, kRx)) return;
    RxListenBegin();
  }
  run.statistics.stations = 1;
  run.began = true;
}

void MultipleFrequenciesMachine::RxListenBegin() {
  r_.ListenBegin(kListeningRx, r_.run.rxRow, kRx, "Checking, Busy Rx");
}

void MultipleFrequenciesMachine::TxListenBegin(std::string_view status) {
  r_.NotBusyClear();
  r_.ListenBegin(kListeningTx, r_.run.txRow, kTx, status);
}

// Time on the frequency counts every buffer; two busy buffers in a row
// make the station busy.
void MultipleFrequenciesMachine::ListenRx(Verdict verdict) {
  RunState& run = r_.run;
  r_.Heard(verdict);
  if (run.bufferCount == 0) run.previousBusy = false;
  ++run.bufferCount;
  r_.NotBusyShow();
  if (verdict.busy && run.previousBusy) {
    r_.Mark(run.rxRow, kRx, r_.ReasonColour(kReasonBusy));
    run.state = kStationBusy;
    run.bufferCount = 0;
    r_.NotBusyClear();
    r_.Status("Waiting, Not Busy Rx");
    ++run.statistics.signalBuffers;
    return;
  }
  run.previousBusy = verdict.busy;
  ++run.statistics.notBusyBuffers;
  // A busy buffer may be the first of two: the wait never ends on one.
  if (verdict.busy || !r_.NotBusyLong()) return;
  if (!r_.Checked(r_.Terminal().TerminalSelectFrequencyField())) return;
  r_.Colour(run.rxRow, kRx, r_.ReasonColour(kReasonNotBusy));
  if (!r_.Next(run.rxRow, kRx).empty()) {
    r_.Working(run.rxRow, kRx);
    if (!r_.FrequencySet(run.rxRow, kRx)) return;
    run.bufferCount = 0;
    r_.NotBusyClear();
    return;
  }
  if (!r_.FrequencySet(run.txRow, kTx)) return;
  TxListenBegin("Waiting, Not Busy Tx");
}

// The station is working: wait until it has been silent long enough.
void MultipleFrequenciesMachine::WaitRx(Verdict verdict) {
  RunState& run = r_.run;
  r_.Heard(verdict);
  if (verdict.busy) {
    r_.NotBusyClear();
    run.bufferCount = 0;
    ++run.statistics.signalBuffers;
  } else {
    ++run.bufferCount;
    r_.NotBusyShow();
    ++run.statistics.notBusyBuffers;
  }
  if (!r_.NotBusyLong()) return;
  if (!r_.Checked(r_.Terminal().TerminalSelectFrequencyField())) return;
  if (run.txRow != run.rxRow && !r_.FrequencySet(run.txRow, kTx)) return;
  TxListenBegin("Waiting, Not Busy Tx");
}

void MultipleFrequenciesMachine::ListenTx(Verdict verdict) {
  RunState& run = r_.run;
  r_.ListenTx(verdict);
  if (!r_.NotBusyLong()) return;
  if (!r_.Checked(r_.Terminal().TerminalSelectFrequencyField())) return;
  run.state = kCalling;
  if (!r_.Call()) return;
  r_.CallingBegin();
}

void MultipleFrequenciesMachine::Retry() {
  RunState& run = r_.run;
  if (!r_.Checked(r_.Terminal().TerminalSelectFrequencyField())) return;
  if (r_.Next(run.txRow, kTx).empty()) {
    r_.BlinkStop();
    run.txRow = 0;
    if (r_.Next(run.txRow, kTx).empty()) return r_.ListEmpty(kConnectListEmpty, MessageIcon::Information);
  }
  if (r_.Settings().connectTxOnly) {
    if (!r_.FrequencySet(run.txRow, kTx)) return;
    return TxListenBegin("Checking, Busy Tx");
  }
  run.rxRow = 0;
  r_.BlinkStop();
  if (r_.Next(run.rxRow, kRx).empty()) return r_.ListEmpty(kCheckListEmpty, MessageIcon::Information);
  if (!r_.FrequencySet(run.rxRow, kRx)) return;
  RxListenBegin();
}

}  // namespace velmora
