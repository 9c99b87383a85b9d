#pragma once
// Mode 3, "Reference Stations": every checked row of the Frequency column
// in turn is tuned (by the radio when its S-meter is used, else in
// AirMail's terminal) and listened on for "Reference Station Average"
// seconds; the mean received power and SNR go into the row's "Rx Pwr" and
// "Rx Snr" cells and, as the level the reference data keeps, into "Ref".
#include "autoconnect/ActivityPorts.h"
#include "autoconnect/EngineRun.h"

namespace velmora {

inline constexpr const char* kReferenceListEmpty = "At least one frequency must be selected in Reference List.";
// Beside "Done" when a row got no figure: the radio gave no S-meter reading there.
inline constexpr const char* kReferenceNoReadingStatus = "Error, No S-Meter Reading";

// Received power per S-meter step.
inline constexpr double kDecibelsPerSUnit = 6;

// What one row's buffers add up to.
struct ReferenceSums {
  int powerCount = 0;
  double powerSum = 0;
  int busyCount = 0, quietCount = 0;  // AirMail stations: received power by verdict
  double busySum = 0, quietSum = 0;
  int snrCount = 0;  // other stations: the detector's own SNR samples
  double snrSum = 0;
};

class ReferenceMeasurementMachine final : public ReferenceMeasurement {
 public:
  ReferenceMeasurementMachine(EngineRun& run, EngineTable& table, ActivityPorts ports)
      : r_(run), table_(table), p_(ports) {}
  void ReferenceRunStart(const UtcDateTime& start) override { p_.reference.ReferenceCollectionTime(start); }
  // Valid buffers only.
  void Step(Verdict verdict) override;

 private:
  enum State { kStart, kMeasuring };
  static constexpr auto kFrequency = EngineColumn::Frequency;

  enum class Kind { Airmail, Wwv, Other };
  void Begin();
  void RowBegin();
  bool Tune();
  void Measure(Verdict verdict);
  // A buffer without an S-meter reading is left out of the sums.
  void Add(Verdict verdict);
  void SnrSampleAdd(double snr);
  // False when not one buffer of the row was measured.
  bool ResultsWrite();
  bool SMeterUsed() const { return r_.Settings().referenceStationSMeter; }

  EngineRun& r_;
  EngineTable& table_;
  ActivityPorts p_;
  Kind kind_ = Kind::Airmail;
  ReferenceSums sums_;
  int missedRows_ = 0;  // rows of the present run left without figures
};

}  // namespace velmora
