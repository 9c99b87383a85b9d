#include "autoconnect/StationScanMachine.h"

#include "common/Format.h"

namespace velmora {

void StationScanMachine::Step(Verdict verdict) {
  if (!verdict.valid) return;
  switch (r_.run.state) {
    case kStart: Begin(); break;
    case kListening: Listen(verdict); break;
    case kWaitingForUser: WaitForUser(); break;
  }
}

void StationScanMachine::Begin() {
  r_.run.txRow = 0;
  if (r_.Next(r_.run.txRow, kTx).empty()) return r_.ListEmpty(kScanListEmpty, MessageIcon::Information);
  r_.run.began = true;
  RowBegin();
}

void StationScanMachine::RowBegin() {
  RunState& run = r_.run;
  if (!r_.StationFrequencySet(run.txRow, kTx)) return;
  run.previousBusy = false;
  r_.ListenBegin(kListening, run.txRow, kTx, "Checking, Waiting Not Busy");
}

void StationScanMachine::Listen(Verdict verdict) {
  RunState& run = r_.run;
  r_.Heard(verdict);
  if (verdict.busy && run.previousBusy) {
    r_.BlinkStop();
    r_.Colour(run.txRow, kTx, kColorScanBusy);
    run.state = kWaitingForUser;
    r_.Status("Waiting for User");
    box_.SetMode(ScanBoxMode::Waiting);
    return;
  }
  run.previousBusy = verdict.busy;
  ++run.bufferCount;
  labels_.ScanNotBusyShow(FormatNumber(r_.Seconds(), ".0"));
  // A busy buffer may be the first of two: the wait never ends on one, or a
  // short wait would pass every row as free.
  if (verdict.busy || r_.Seconds() < r_.Settings().scanStationNotBusy) return;
  labels_.ScanNotBusyShow("");
  r_.BlinkStop();
  r_.Colour(run.txRow, kTx, kColorScanFree);
  NextRow();
}

void StationScanMachine::WaitForUser() {
  switch (box_.GetMode()) {
    case ScanBoxMode::Waiting: return;
    case ScanBoxMode::Cancel:
      r_.Status("Scan Cancelled");
      r_.AutoConnectStop(false, "Stopped");
      return;
    default: NextRow(); return;
  }
}

void StationScanMachine::NextRow() {
  if (!r_.Next(r_.run.txRow, kTx).empty()) return RowBegin();
  r_.Status("");
  r_.AutoConnectStop(false, "Done");
}

}  // namespace velmora
