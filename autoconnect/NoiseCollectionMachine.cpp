#include "autoconnect/NoiseCollectionMachine.h"

#include <algorithm>
#include <cmath>

#include "common/Format.h"

namespace velmora {

void NoiseCollectionMachine::NoiseCollectionBegin() {
  for (int row = 1; row <= table_.DataRows(); ++row) table_.CellSet(row, EngineColumn::Noise, "");
  measuring_ = false;
}

void NoiseCollectionMachine::Step(Verdict verdict) {
  if (measuring_)
    Measure(verdict);
  else
    Begin();
}

void NoiseCollectionMachine::Begin() {
  bool field = r_.Terminal().TerminalSelectFrequencyField();
  if (!Active()) return;
  row_ = 0;
  rowUnheard_ = false;
  if (!field || r_.Next(row_, kTx).empty()) return r_.AutoConnectStop(field, "Stopped");
  if (FrequencyPaste()) measuring_ = true;
}

bool NoiseCollectionMachine::FrequencyPaste() {
  bool pasted = r_.Terminal().TerminalFieldPaste(r_.Cell(row_, kTx));
  if (!Active()) return false;
  if (!pasted) {
    r_.AutoConnectStop(false, "Stopped");
    return false;
  }
  r_.CentreAndReset(row_);
  // What is heard from now on belongs to the row's station and frequency.
  r_.run.current.station = r_.Cell(row_, EngineColumn::Station);
  r_.run.current.frequency = r_.Cell(row_, kTx);
  count_ = levelCount_ = 0;
  levelSum_ = 0;
  busySeen_ = noiseSeen_ = false;
  r_.Working(row_, kTx);
  r_.Status("Collecting Noise Level");
  return true;
}

double NoiseCollectionMachine::Seconds() const { return count_ * static_cast<double>(r_.Detectors().BufferSeconds()); }

void NoiseCollectionMachine::Measure(Verdict verdict) {
  r_.Heard(verdict);
  ++count_;
  p_.labels.NoiseIntervalShow(FormatNumber(Seconds(), ".0"));
  // A buffer without sound has the analysis's floor for its level, which
  // would make the row look quiet; it counts for the time only.
  if (verdict.valid) {
    levelSum_ += r_.Detectors().BufferLevel();
    ++levelCount_;
  }
  busySeen_ = busySeen_ || verdict.busy;
  noiseSeen_ = noiseSeen_ || verdict.noise;
  if (verdict.busy || verdict.noise) r_.Mark(row_, kTx, r_.ReasonColour(verdict.busy ? kReasonBusy : kReasonNoisy));
  if (Seconds() < r_.Settings().autoSelectNoiseInterval) return;
  p_.labels.NoiseIntervalShow("");
  r_.BlinkStop();
  r_.Colour(row_, kTx, kColorWhite);
  FigureWrite();
  bool field = r_.Terminal().TerminalSelectFrequencyField();
  if (!Active()) return;
  // A terminal lost midway ends the collection: the rows not measured yet
  // have no figure and would be kept before those that were.
  if (!field) return r_.AutoConnectStop(false, "Stopped");
  if (!r_.Next(row_, kTx).empty()) {
    FrequencyPaste();
    return;
  }
  End();
}

void NoiseCollectionMachine::FigureWrite() {
  // No buffer with sound and no detection: nothing was measured, and a 0
  // would pass the row for the quietest.
  if (levelCount_ == 0 && !busySeen_ && !noiseSeen_) {
    rowUnheard_ = true;
    return;
  }
  const double mean = levelCount_ > 0 ? levelSum_ / levelCount_ : 0.0;
  // The sign tells a station heard, so a quiet level below 0 dB shows 0
  // and a busy one stays below 0 whatever its level.
  double figure = std::max(mean, 0.0);
  if (busySeen_) {
    figure = -std::fabs(mean);
    r_.Colour(row_, EngineColumn::Noise, r_.ReasonColour(kReasonBusy));
  } else if (noiseSeen_) {
    figure = kNoisyFigure;
    r_.Colour(row_, EngineColumn::Noise, r_.ReasonColour(kReasonNoisy));
  }
  table_.CellSet(row_, EngineColumn::Noise, FormatNumber(figure, "0"));
}

void NoiseCollectionMachine::End() {
  const AutoConnectSettings& settings = r_.Settings();
  if (!rowUnheard_) p_.noiseSelection.NoiseSelectRows(settings.modeIndex, settings.autoSelectNoiseTopFrequencies);
  r_.Status(rowUnheard_ ? kNoiseNothingHeard : "");
  r_.AutoConnectStop(true, "");
}

}  // namespace velmora
