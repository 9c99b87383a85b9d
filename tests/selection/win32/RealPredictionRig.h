#pragma once
// The frequency selection over the fixture's AirMail files and the real
// VOACAP in c:\itshfbc, each run's output kept for comparison with the
// numbers the tables show.
#include <gtest/gtest.h>

#include "propagation/bench/TimedProgram.h"
#include "propagation/win32/Win32ModelProgram.h"
#include "selection/AirmailStationGeometry.h"
#include "selection/Configure.h"
#include "selection/ModelPredictions.h"
#include "tests/propagation/win32/RealItshfbc.h"
#include "tests/selection/SelectionFakes.h"

namespace velmora::testing {

struct RealPredictionRig : SelectionRig {
  Win32ModelProgram real;
  TimedProgram runs{real};
  ModelOutputCache kept;
  PropagationRunner runner{runs, messages, {kItshfbcFolder, 0, 5, &kept, nullptr}};
  ModelPredictions model{runner, data, settings};
  AirmailStationGeometry airmail{data};

  // One run of the program per block when blocksPerRun is 1.
  explicit RealPredictionRig(size_t blocksPerRun = PropagationSetup{}.blocksPerRun)
      : runner{runs, messages, {kItshfbcFolder, 0, 5, &kept, nullptr, blocksPerRun}} {
    settings.propagationModelModel = kModelVoacap;
    clock.now = {2024, 5, 14, 14, 45, 0, 0};
  }
  StationRowsServices RealRows() { return {model, airmail, data, program, colors}; }
  // Mode 2 over the SAILMAIL stations within the range, every row kept to be compared.
  void Fill(float rangeMax) {
    settings.autoSelectRangeMax = rangeMax;
    settings.autoSelectSnr = settings.stationStations = false;
    window.fields = [](AutoConnectSettings& s) {
      s.modeIndex = kModeMultipleStations;
      s.connectSystemIndex = 1;
    };
    TableConfiguration(table, settings, {RealRows(), clock, window, dependents, terminal, modeTables, TemplateWidth})
        .Configure();
  }
};

}  // namespace velmora::testing
