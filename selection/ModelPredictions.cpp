#include "selection/ModelPredictions.h"

#include <vector>

#include "propagation/SunSpotNumber.h"

namespace velmora {
namespace {

constexpr int kHoursOfDay = 24;

std::vector<float> Kilohertz(const std::vector<double>& frequencies) {
  return {frequencies.begin(), frequencies.end()};
}

}  // namespace

PropagationParameters ModelPredictions::Parameters() {
  float sunSpotNumber = settings_.propagationModelSunSpotNumber;
  SunSpotNumberGet(data_, settings_, sunSpotNumber);
  return PropagationParametersFrom(settings_, sunSpotNumber);
}

void ModelPredictions::PredictionsBegin(int stationCount) {
  fill_ = Parameters();
  runner_.StationsBegin(stationCount);
}

void ModelPredictions::PredictionsEnd() {
  fill_.reset();
  runner_.StationsEnd();
}

std::optional<PredictionNow> ModelPredictions::PredictionGet(const PredictionRequest& request) {
  auto frequencies = Kilohertz(request.frequencies);
  PredictionNow prediction;
  if (!runner_.PropagationRunNow(settings_.propagationModelModel, request.time,
                                 {request.stationPosition, request.ship}, frequencies,
                                 fill_ ? *fill_ : Parameters(), prediction))
    return std::nullopt;
  return prediction;
}

std::optional<PropagationHours> ModelPredictions::PredictionDayGet(const PredictionRequest& request) {
  auto frequencies = Kilohertz(request.frequencies);
  PropagationHours hours;
  if (!runner_.PropagationRunHours(settings_.propagationModelModel, request.time.month, kHoursOfDay, 0,
                                   {request.stationPosition, request.ship}, frequencies,
                                   fill_ ? *fill_ : Parameters(), hours))
    return std::nullopt;
  return hours;
}

void PredictionStatusPanel::PredictionProgressShow(int station, int stationCount) {
  window_.UpdateStatusStatus("Propagation, Station " + std::to_string(station) + " of " +
                             std::to_string(stationCount));
}

void PredictionStatusPanel::PredictionProgressDone() { window_.UpdateStatusStatus(""); }

}  // namespace velmora
