#pragma once
// The predictions of the frequency table and the hours window from the ITS
// HF programs: the model and run parameters of the settings, the sunspot
// number read once per fill, and the runner's kept outputs, so that a second
// fill within the hour starts no program for a station already predicted.
#include "airmail/AirmailProfile.h"
#include "airmail/AutoConnectSettings.h"
#include "propagation/PropagationRunner.h"
#include "selection/SelectionPorts.h"
#include "selection/SelectionWindow.h"

namespace velmora {

class ModelPredictions final : public PredictionSource, public DayPredictionSource {
 public:
  // The settings are read at every fill, so a changed option counts at
  // once; AirMail's sunspot number is stored into them.
  ModelPredictions(PropagationRunner& runner, const AirmailDataFolder& data, AutoConnectSettings& settings)
      : runner_(runner), data_(data), settings_(settings) {}

  std::optional<PredictionNow> PredictionGet(const PredictionRequest& request) override;
  void PredictionsBegin(int stationCount) override;
  void PredictionsEnd() override;
  void PredictionsAhead(const std::vector<PredictionRequest>& requests) override;

  std::optional<PropagationHours> PredictionDayGet(const PredictionRequest& request) override;

 private:
  // The run parameters with the sunspot number in use. A missing number
  // of AirMail's has been reported; the stored one stands in for it.
  PropagationParameters Parameters();
  // Within a fill, read at its first prediction and kept to its end.
  PropagationParameters FillParameters();

  PropagationRunner& runner_;
  const AirmailDataFolder& data_;
  AutoConnectSettings& settings_;
  bool inFill_ = false;
  std::optional<PropagationParameters> fill_;
};

// What a fill is doing, in panel 2 of the AutoConnect window's status bar:
// "Propagation, Station 3 of 20", emptied when the fill is over. The fill
// holds the thread, so the window paints the panel at once.
class PredictionStatusPanel final : public PredictionProgress {
 public:
  explicit PredictionStatusPanel(SelectionWindow& window) : window_(window) {}
  void PredictionProgressShow(int station, int stationCount) override;
  void PredictionProgressDone() override;

 private:
  SelectionWindow& window_;
};

}  // namespace velmora
