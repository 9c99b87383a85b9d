#pragma once
// The frequency selection over the fixture's AirMail files and the real
// VOACAP in c:\itshfbc, each run's output kept for comparison with the
// numbers the tables show.
#include <gtest/gtest.h>

#include "propagation/bench/TimedProgram.h"
#include "propagation/win32/Win32ModelProgram.h"
#include "selection/AirmailStationGeometry.h"
#include "selection/ModelPredictions.h"
#include "tests/propagation/win32/RealItshfbc.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora::testing {

// The real program, counted and timed, with the output of every run kept.
class KeptOutputs final : public ModelProgram {
 public:
  explicit KeptOutputs(ModelProgram& inner) : inner_(inner) {}
  bool ProgramExists(const std::filesystem::path& p) override { return inner_.ProgramExists(p); }
  bool DeckWrite(const std::filesystem::path& deck, std::string_view text, DeckFailure& failure,
                 std::error_code& error) override {
    return inner_.DeckWrite(deck, text, failure, error);
  }
  bool OutputDelete(const std::filesystem::path& p, std::error_code& error) override {
    return inner_.OutputDelete(p, error);
  }
  bool Start(const std::string& commandLine, std::error_code& error) override {
    return inner_.Start(commandLine, error);
  }
  bool Wait(double seconds) override { return inner_.Wait(seconds); }
  std::optional<std::string> OutputRead(const std::filesystem::path& p, std::error_code& error) override {
    auto output = inner_.OutputRead(p, error);
    if (output) outputs.push_back(*output);
    return output;
  }
  std::vector<std::string> outputs;

 private:
  ModelProgram& inner_;
};

struct RealPredictionRig : SelectionRig {
  Win32ModelProgram real;
  TimedProgram timed{real};
  KeptOutputs runs{timed};
  ModelOutputCache kept;
  PropagationRunner runner{runs, messages, {kItshfbcFolder, 0, 5, &kept, nullptr}};
  ModelPredictions model{runner, data, settings};
  AirmailStationGeometry airmail{data};

  RealPredictionRig() {
    settings.propagationModelModel = kModelVoacap;
    clock.now = {2024, 5, 14, 14, 45, 0, 0};
  }
  StationRowsServices RealRows() { return {model, airmail, data, program, colors}; }
};

}  // namespace velmora::testing
