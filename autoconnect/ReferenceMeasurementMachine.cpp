#include "autoconnect/ReferenceMeasurementMachine.h"

#include "airmail/MailSystems.h"
#include "common/Format.h"
#include "selection/ReferenceFigures.h"

namespace velmora {

void ReferenceMeasurementMachine::Step(Verdict verdict) {
  if (!verdict.valid) return;
  switch (r_.run.state) {
    case kStart: Begin(); break;
    case kMeasuring: Measure(verdict); break;
  }
}

void ReferenceMeasurementMachine::Begin() {
  r_.run.rxRow = 0;
  if (r_.Next(r_.run.rxRow, kFrequency).empty()) return r_.ListEmpty(kReferenceListEmpty, MessageIcon::Information);
  r_.run.began = true;
  missedRows_ = 0;
  RowBegin();
}

void ReferenceMeasurementMachine::RowBegin() {
  RunState& run = r_.run;
  std::string station = r_.Cell(run.rxRow, EngineColumn::Station);
  kind_ = StationIsWwv(station) ? Kind::Wwv : !SystemIsAirmail(run.current.system) ? Kind::Other : Kind::Airmail;
  r_.Detectors().SetReferenceWwv(kind_ == Kind::Wwv);
  r_.Detectors().SetReferenceFax(kind_ == Kind::Other);
  if (!Tune()) return;
  sums_ = {};
  r_.ListenBegin(kMeasuring, run.rxRow, kFrequency, "Checking Frequency");
}

bool ReferenceMeasurementMachine::Tune() {
  RunState& run = r_.run;
  if (!SMeterUsed()) {
    // The terminal keeps its station while the rows stay with it.
    bool sameStation = r_.Cell(run.rxRow, EngineColumn::Station) == run.current.station;
    return sameStation ? r_.FrequencySet(run.rxRow, kFrequency) : r_.StationFrequencySet(run.rxRow, kFrequency);
  }
  std::string frequency = r_.Cell(run.rxRow, kFrequency);
  if (!r_.Checked(p_.radio.Tune(frequency))) return false;
  run.current.station = r_.Cell(run.rxRow, EngineColumn::Station);
  run.current.frequency = frequency;
  r_.CentreAndReset(run.rxRow);
  return true;
}

void ReferenceMeasurementMachine::Measure(Verdict verdict) {
  RunState& run = r_.run;
  r_.Heard(verdict);
  ++run.bufferCount;
  p_.labels.ReferenceAverageShow(FormatNumber(r_.Seconds(), ".0"));
  Add(verdict);
  // The radio answers a buffer's S-meter request by the next one (and drops
  // an answer meant for the frequency before): with it a row takes two at least.
  bool tooShort = SMeterUsed() && run.bufferCount < 2;
  if (tooShort || r_.Seconds() < r_.Settings().referenceStationAverage) return;
  p_.labels.ReferenceAverageShow("");
  r_.BlinkStop();
  if (!ResultsWrite()) ++missedRows_;
  if (!r_.Next(run.rxRow, kFrequency).empty()) return RowBegin();
  // A row done with no figure must not pass for a measurement.
  if (missedRows_ > 0) r_.Status(kReferenceNoReadingStatus);
  r_.AutoConnectStop(false, "Done");
}

void ReferenceMeasurementMachine::Add(Verdict verdict) {
  int sUnits = 0;
  if (SMeterUsed()) {
    sUnits = p_.radio.SMeter();
    if (sUnits == kNoSMeterReading) return;
  }
  const DetectorValues& d = r_.Detectors();
  double power = sUnits * kDecibelsPerSUnit + (kind_ == Kind::Other ? d.FaxLevel() : d.BufferLevel());
  ++sums_.powerCount;
  sums_.powerSum += power;
  switch (kind_) {
    case Kind::Airmail:
      (verdict.busy ? sums_.busySum : sums_.quietSum) += power;
      ++(verdict.busy ? sums_.busyCount : sums_.quietCount);
      break;
    case Kind::Wwv:
      if (d.WwvDetected()) SnrSampleAdd(d.WwvValue());
      break;
    case Kind::Other:
      if (d.FaxDetected()) SnrSampleAdd(d.FaxSnr());
      break;
  }
}

void ReferenceMeasurementMachine::SnrSampleAdd(double snr) {
  ++sums_.snrCount;
  sums_.snrSum += snr;
}

bool ReferenceMeasurementMachine::ResultsWrite() {
  int row = r_.run.rxRow;
  // Not one buffer measured (the radio gave no reading): no figure, rather
  // than figures of 0 the reference data would keep as measured.
  if (sums_.powerCount == 0) {
    for (EngineColumn column : {EngineColumn::RxPwr, EngineColumn::RxSnr, EngineColumn::Ref})
      table_.CellSet(row, column, "");
    p_.reference.ReferenceMissed();
    return false;
  }
  // For an AirMail station from its busy and quiet buffers (none when it was
  // not heard), for any other the mean of its samples.
  std::optional<double> snrValue =
      kind_ == Kind::Airmail ? ReferenceAirmailSnr(sums_.busySum, sums_.busyCount, sums_.quietSum, sums_.quietCount)
                             : ReferenceMean(sums_.snrSum, sums_.snrCount);
  std::string snr = snrValue ? FormatNumber(*snrValue, "0") : std::string();
  std::string power = FormatNumber(ReferenceMean(sums_.powerSum, sums_.powerCount), "0");
  table_.CellSet(row, EngineColumn::RxPwr, power);
  table_.CellSet(row, EngineColumn::RxSnr, snr);
  // The level the reference data keeps and later selects by.
  table_.CellSet(row, EngineColumn::Ref, r_.Settings().referenceDataReference == 1 ? power : snr);
  p_.reference.ReferenceMeasured();
  return true;
}

}  // namespace velmora
