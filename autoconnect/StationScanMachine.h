#pragma once
// Mode 6, "Scan Stations": every checked Tx Connect row in turn, listened
// on until it has been free long enough. A station heard working (two busy
// buffers in a row) stops the scan for the operator, who may connect by
// hand in AirMail and then continue with the next row or cancel.
#include "autoconnect/ActivityPorts.h"
#include "autoconnect/EngineRun.h"

namespace velmora {

inline constexpr const char* kScanListEmpty = "At least one frequency must be selected in Scan List.";
inline constexpr Bgr kColorScanBusy = 0x0000FF;  // pure red
inline constexpr Bgr kColorScanFree = 0x00FF00;  // pure green

class StationScanMachine final : public StationScan {
 public:
  StationScanMachine(EngineRun& run, ScanMessageBox& box, ActivityLabels& labels)
      : r_(run), box_(box), labels_(labels) {}
  // Valid buffers only; noise plays no part.
  void Step(Verdict verdict) override;
  void ScanMessageHide() override { box_.SetMode(ScanBoxMode::Hidden); }

 private:
  enum State { kStart, kListening, kWaitingForUser };
  static constexpr auto kTx = EngineColumn::TxConnect;

  void Begin();
  void Listen(Verdict verdict);
  void WaitForUser();
  // The next checked row, or the end of the scan.
  void NextRow();
  void RowBegin();

  EngineRun& r_;
  ScanMessageBox& box_;
  ActivityLabels& labels_;
};

}  // namespace velmora
