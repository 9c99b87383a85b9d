#pragma once
// Everything the AutoConnect window predicts with, made once with the
// window and kept as long as it lives: the ITS HF programs run hidden, the
// outputs of their runs kept, the progress of a fill in panel 2 of the
// status bar, and the positions from AirMail's files.
#include <string>

#include "propagation/win32/Win32ModelProgram.h"
#include "selection/AirmailStationGeometry.h"
#include "selection/ModelPredictions.h"

namespace velmora {

class ItsHfPredictions {
 public:
  ItsHfPredictions(const AirmailDataFolder& data, AutoConnectSettings& settings, SelectionWindow& status,
                   Messenger& messenger, std::string folder = kItshfbcFolder)
      : progress_(status),
        runner_(program_, messenger, {std::move(folder), 0, 5, &outputs_, &progress_}),
        predictions_(runner_, data, settings),
        geometry_(data) {}
  ItsHfPredictions(const ItsHfPredictions&) = delete;
  ItsHfPredictions& operator=(const ItsHfPredictions&) = delete;

  PredictionSource& Predictions() { return predictions_; }
  DayPredictionSource& Day() { return predictions_; }
  StationGeometry& Geometry() { return geometry_; }

 private:
  Win32ModelProgram program_;
  ModelOutputCache outputs_;
  PredictionStatusPanel progress_;
  PropagationRunner runner_;
  ModelPredictions predictions_;
  AirmailStationGeometry geometry_;
};

}  // namespace velmora
