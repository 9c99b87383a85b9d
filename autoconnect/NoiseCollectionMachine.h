#pragma once
// The noise step of AutoSelect: every checked Tx Connect frequency is
// listened on for a while and gets a noise figure in its "Noise" cell (the
// mean level; negative when a station was heard, 100 when only noise
// detections were), then the quietest rows stay checked. It is no run of
// the engine: it takes every buffer, valid or not, and ends by itself.
#include "autoconnect/ActivityPorts.h"
#include "autoconnect/EngineRun.h"

namespace velmora {

// The figure of a frequency on which only noise detections fired.
inline constexpr double kNoisyFigure = 100;
// Beside the end when a row heard no sound at all: it has no figure, and no
// row is unchecked.
inline constexpr const char* kNoiseNothingHeard = "Error, Low Input Level";

class NoiseCollectionMachine final : public NoiseCollection {
 public:
  NoiseCollectionMachine(EngineRun& run, EngineTable& table, ActivityPorts ports) : r_(run), table_(table), p_(ports) {}
  void NoiseCollectionBegin() override;
  void Step(Verdict verdict) override;

 private:
  static constexpr auto kTx = EngineColumn::TxConnect;

  void Begin();
  void Measure(Verdict verdict);
  void FigureWrite();
  // The frequency of the present row in the terminal; false when the
  // collection ended.
  bool FrequencyPaste();
  // Every row measured: the quietest kept, with a beep; none unchecked
  // when a row heard nothing.
  void End();
  double Seconds() const;
  bool Active() const { return r_.NoiseCollectionAlive(); }

  EngineRun& r_;
  EngineTable& table_;
  ActivityPorts p_;
  bool measuring_ = false;
  int row_ = 0;
  int count_ = 0;       // every buffer: the time on the row
  int levelCount_ = 0;  // those with sound, whose levels are summed
  double levelSum_ = 0;
  bool busySeen_ = false, noiseSeen_ = false;
  bool rowUnheard_ = false;  // a row of this collection heard no sound
};

}  // namespace velmora
