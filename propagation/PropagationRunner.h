#pragma once
// Predictions from the outside ITS HF programs (ICEPAC, VOACAP, REC533):
// write the deck, run the program hidden, wait for it, read its output.
// Frequencies go in blocks of at most ten, each block tried twice, the
// second time with its message shown. Runs are strictly one after another:
// there is one deck file.
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/Messages.h"
#include "common/SystemLib.h"
#include "propagation/ModelDeck.h"
#include "propagation/ModelOutputCache.h"
#include "propagation/ModelProgram.h"
#include "propagation/PredictionNow.h"
#include "propagation/PropagationHours.h"
#include "propagation/PropagationParameters.h"

namespace velmora {

// Where the ITS HF package is installed unless the caller says otherwise.
inline constexpr const char* kItshfbcFolder = "c:\\itshfbc";

// Shows which station of how many a fill is predicting.
class PredictionProgress {
 public:
  virtual ~PredictionProgress() = default;
  virtual void PredictionProgressShow(int station, int stationCount) = 0;
  // The fill is over: what showed its progress may be cleared.
  virtual void PredictionProgressDone() {}
};

struct PropagationSetup {
  std::string folder = kItshfbcFolder;  // holds "bin_win\" and "RUN\"
  int year = 0;                         // the MONTH card's year; 0: the system clock's
  double waitSeconds = 5;               // per block, then the program is ended
  ModelOutputCache* cache = nullptr;    // outputs of earlier runs, when kept
  PredictionProgress* progress = nullptr;
  size_t blocksPerRun = 40;             // at most, in one run of a fill's blocks
};

// One station's circuit and frequencies (kHz) of a fill.
struct CircuitFrequencies {
  Circuit circuit;
  std::span<const float> frequencies;
};

class PropagationRunner {
 public:
  PropagationRunner(ModelProgram& program, Messenger& messenger, PropagationSetup setup = {});

  // True when the model's program file exists; else, when asked,
  // "Propagation Model <name> not found." and the hint to install it.
  bool PropagationModelCheck(int model, bool showMessage);

  // One run of ICEPAC (model 1) or VOACAP (model 2), or of REC533, for the
  // request's frequencies, written into the frequency columns from
  // firstColumn on (the results need room for them).
  bool PropagationIcepacVoacap(int model, const DeckRequest& request, PropagationHours& results, size_t firstColumn,
                               bool showMessage);
  bool PropagationRec533(const DeckRequest& request, PropagationHours& results, size_t firstColumn, bool showMessage);

  // Every frequency over hourCount hours from firstHour (0-23).
  bool PropagationRunHours(int model, int month, int hourCount, int firstHour, const Circuit& circuit,
                           std::span<const float> frequencies, const PropagationParameters& parameters,
                           PropagationHours& results);

  // The prediction for one moment: the hour of 'when' and the next,
  // interpolated to its minute. 'result' is written only on success.
  bool PropagationRunNow(int model, const UtcDateTime& when, const Circuit& circuit, std::span<const float> frequencies,
                         const PropagationParameters& parameters, PredictionNow& result);

  // The predictions for one moment that a fill will ask for next, so that
  // ICEPAC and VOACAP predict many blocks in one run: when a block of them
  // is asked for and not kept yet, it and the next ones not kept go in one
  // deck, and each block's part of the output is kept as its own run's
  // would be. A joint run that fails, or whose output cannot be cut up,
  // keeps nothing: the blocks then run one by one and say what failed.
  void PropagationRunNowAhead(int model, const UtcDateTime& when, std::span<const CircuitFrequencies> circuits,
                              const PropagationParameters& parameters);

  // A fill is about to predict this many stations: each PropagationRunNow
  // after this shows its place through the progress hook. Once the program
  // has failed a block of the fill twice, the fill's later runs fail at once.
  void StationsBegin(int stationCount);
  // The fill is over; runs after this show no progress, and blocks not
  // asked for are forgotten.
  void StationsEnd();

  // "c:\itshfbc\bin_win\voacapw.exe c:\itshfbc sound.dat sound.out" for the folder.
  std::string CommandLine(int model) const;

 private:
  // A block ahead: its deck and what reading its output needs.
  struct AheadBlock {
    std::string deck;
    int firstHour = 0, hourCount = 0;
    size_t frequencyCount = 0;
    bool tried = false;
  };

  bool RunModel(int model, DeckRequest request, PropagationHours& results, size_t firstColumn, bool showMessage);
  bool BlockDeck(int model, DeckRequest& request, std::string& deck, std::string& problem) const;
  void AheadAdd(int model, const DeckRequest& whole);
  void AheadClear();
  void RunAhead(int model, const std::string& deck);
  // A run of `blocks` blocks: each has the output size its own run would
  // have had; the run has one block's time.
  std::optional<std::string> Execute(int model, const std::string& deck, const std::string& prefix, bool showMessage,
                                     size_t blocks);
  bool RunBlock(int model, const DeckRequest& request, PropagationHours& results, size_t firstColumn);
  bool ProgramFailed() {
    programFailed_ = true;
    return false;
  }
  void Fail(bool showMessage, const std::string& text);
  std::string FolderFile(std::string_view name) const;

  ModelProgram& program_;
  Messenger& messenger_;
  PropagationSetup setup_;
  int station_ = 0, stationCount_ = 0;
  bool programFailed_ = false;  // in the block being run
  bool fillFailed_ = false;     // the program failed a block of this fill twice
  std::vector<AheadBlock> ahead_;
  std::unordered_map<std::string, size_t> aheadIndex_;  // deck to its place in ahead_
};

}  // namespace velmora
