#include "autoconnect/MultipleStationsMachine.h"

#include <algorithm>

namespace velmora {

void MultipleStationsMachine::Step(Verdict verdict) {
  switch (r_.run.state) {
    case kStart: Begin(); break;
    case kListeningRx: ListenRx(verdict); break;
    case kNextStation: NextStation(); break;
    case kListeningTx: ListenTx(verdict); break;
    case kChooseNext: ChooseNext(); break;
    case kCalling:
      r_.Calling(
          [this] {
            r_.run.state = kChooseNext;
            Step(kQuietBuffer);
          },
          kConnected);
      break;
    case kConnected: r_.Connected([this] { TerminalWindowClosed(); }); break;
  }
}

void MultipleStationsMachine::Begin() {
  RunState& run = r_.run;
  run.txRow = 0;
  if (r_.Next(run.txRow, kTx).empty()) return r_.ListEmpty(kConnectListEmpty, MessageIcon::Information);
  run.current.station = r_.Cell(run.txRow, EngineColumn::Station);
  if (r_.Settings().connectTxOnly) {
    if (!r_.StationFrequencySet(run.txRow, kTx)) return;
    TxListenBegin();
    ++run.statistics.stations;
    run.began = true;
    return;
  }
  run.rxRow = 0;
  if (!StationWithRxRows()) return r_.ListEmpty(kCheckListEmpty, MessageIcon::None);
  if (RxListenBegin()) run.began = true;
}

bool MultipleStationsMachine::NextRxOfStation() {
  RunState& run = r_.run;
  int row = run.rxRow;
  while (!r_.Next(row, kRx).empty()) {
    if (r_.Cell(row, EngineColumn::Station) == run.current.station) {
      run.rxRow = row;
      return true;
    }
  }
  return false;
}

bool MultipleStationsMachine::NextTxStation() {
  RunState& run = r_.run;
  std::string frequency;
  do {
    frequency = r_.Next(run.txRow, kTx);
  } while (!frequency.empty() && r_.Cell(run.txRow, EngineColumn::Station) == run.current.station);
  if (frequency.empty()) return false;
  run.current.station = r_.Cell(run.txRow, EngineColumn::Station);
  return true;
}

// The Rx Check cursor stays where it was for a station without rows, so
// the next station's rows are searched from there.
bool MultipleStationsMachine::StationWithRxRows() {
  do {
    if (NextRxOfStation()) return true;
  } while (NextTxStation());
  return false;
}

bool MultipleStationsMachine::RxListenBegin() {
  RunState& run = r_.run;
  run.firstRxRow = run.rxRow;
  if (!r_.StationFrequencySet(run.rxRow, kRx)) return false;
  run.busyCount = 0;
  r_.NotBusyClear();
  r_.ListenBegin(kListeningRx, run.rxRow, kRx, "Checking, Busy Rx");
  ++run.statistics.stations;
  return true;
}

void MultipleStationsMachine::TxListenBegin() {
  r_.run.busyCount = 0;
  r_.NotBusyClear();
  r_.ListenBegin(kListeningTx, r_.run.txRow, kTx, "Checking, Busy Tx");
}

// A busy event is a busy buffer after a busy one; the second gives the
// station up.
void MultipleStationsMachine::ListenRx(Verdict verdict) {
  RunState& run = r_.run;
  r_.Heard(verdict);
  if (verdict.busy && run.previousBusy) {
    ++run.busyCount;
    ++run.statistics.signalBuffers;
    if (run.busyCount >= kBusyEvents) {
      r_.Colour(run.rxRow, kRx, r_.ReasonColour(kReasonBusy));
      run.state = kNextStation;
      return Step(kQuietBuffer);
    }
    run.bufferCount = 0;
  } else {
    ++run.statistics.notBusyBuffers;
  }
  run.previousBusy = verdict.busy;
  ++run.bufferCount;
  r_.NotBusyShow();
  // A busy buffer may be the first of two: the wait never ends on one.
  if (verdict.busy || !r_.NotBusyLong()) return;
  r_.Colour(run.rxRow, kRx, r_.ReasonColour(kReasonNotBusy));
  if (NextRxOfStation()) {
    r_.Working(run.rxRow, kRx);
    if (!r_.StationFrequencySet(run.rxRow, kRx)) return;
    run.bufferCount = 0;
    run.busyCount = 0;
    r_.NotBusyClear();
    return;
  }
  if (r_.Cell(run.txRow, kTx) != run.current.frequency && !r_.StationFrequencySet(run.txRow, kTx)) return;
  TxListenBegin();
}

void MultipleStationsMachine::NextStation() {
  if (NextTxStation() && StationWithRxRows()) {
    RxListenBegin();
    return;
  }
  // Past the last station: the cycle starts again from the first.
  r_.run.state = kStart;
  Begin();
}

// Any busy or noisy buffer on the Tx Connect frequency restarts the wait,
// as in mode 0; the second gives the station up.
void MultipleStationsMachine::ListenTx(Verdict verdict) {
  RunState& run = r_.run;
  r_.ListenTx(verdict);
  if ((verdict.busy || verdict.noise) && ++run.busyCount >= kBusyEvents) {
    run.state = kChooseNext;
    return Step(kQuietBuffer);
  }
  if (!r_.NotBusyLong()) return;
  if (!r_.Checked(r_.Terminal().TerminalSelectFrequencyField())) return;
  run.state = kCalling;
  if (!r_.Call()) return;
  r_.CallingBegin();
}

void MultipleStationsMachine::ChooseNext() {
  RunState& run = r_.run;
  if (!r_.Settings().connectTxOnly) {
    // No station matches the cleared one, so the next checked Tx Connect
    // row is taken, whichever station it belongs to.
    run.rxRow = std::max(0, run.firstRxRow - 1);
    run.current.station.clear();
    run.state = kNextStation;
    return Step(kQuietBuffer);
  }
  if (r_.Next(run.txRow, kTx).empty()) {
    run.txRow = 0;
    if (r_.Next(run.txRow, kTx).empty()) return r_.ListEmpty(kConnectListEmpty, MessageIcon::Information);
  }
  std::string previous = run.current.station;
  if (!r_.StationFrequencySet(run.txRow, kTx)) return;
  // Calling on Tx frequencies only, each new station counts as tried too.
  if (run.current.station != previous) ++run.statistics.stations;
  TxListenBegin();
}

void MultipleStationsMachine::TerminalWindowClosed() {
  bool next = r_.Ask("Do you want to continue with next frequency?", "AutoConnect");
  if (!r_.Alive()) return;
  if (!next) {
    r_.Status("Stopped, Terminal Window");
    return r_.AutoConnectStop(false, "Stopped");
  }
  r_.run.connected = false;
  r_.StatusBar().ConnectedTimeClear();
  r_.run.state = kChooseNext;
  Step(kQuietBuffer);
}

}  // namespace velmora
