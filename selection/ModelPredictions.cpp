#include "selection/ModelPredictions.h"

#include <vector>

#include "propagation/SunSpotNumber.h"

namespace velmora {
namespace {

constexpr int kPredictedHours = 24;

std::vector<float> Kilohertz(const std::vector<double>& frequencies) {
  return {frequencies.begin(), frequencies.end()};
}

}  // namespace

PropagationParameters ModelPredictions::Parameters() {
  float sunSpotNumber = settings_.propagationModelSunSpotNumber;
  SunSpotNumberGet(data_, settings_, sunSpotNumber);
  return PropagationParametersFrom(settings_, sunSpotNumber);
}

PropagationParameters ModelPredictions::FillParameters() {
  if (!inFill_) return Parameters();
  if (!fill_) fill_ = Parameters();
  return *fill_;
}

void ModelPredictions::PredictionsBegin(int stationCount) {
  inFill_ = true;
  fill_.reset();
  runner_.StationsBegin(stationCount);
}

void ModelPredictions::PredictionsEnd() {
  inFill_ = false;
  fill_.reset();
  runner_.StationsEnd();
}

void ModelPredictions::PredictionsAhead(const std::vector<PredictionRequest>& requests) {
  std::vector<std::vector<float>> frequencies;
  std::vector<CircuitFrequencies> circuits;
  frequencies.reserve(requests.size());
  for (const auto& r : requests) {
    frequencies.push_back(Kilohertz(r.frequencies));
    circuits.push_back({{r.stationPosition, r.ship}, frequencies.back()});
  }
  // A fill predicts all its stations for one moment.
  if (!requests.empty())
    runner_.PropagationRunNowAhead(settings_.propagationModelModel, requests.front().time, circuits, FillParameters());
}

std::optional<PredictionNow> ModelPredictions::PredictionGet(const PredictionRequest& request) {
  auto frequencies = Kilohertz(request.frequencies);
  PredictionNow prediction;
  PropagationParameters parameters = FillParameters();
  if (request.sunSpotNumber) parameters.sunSpotNumber = *request.sunSpotNumber;
  if (!runner_.PropagationRunNow(settings_.propagationModelModel, request.time,
                                 {request.stationPosition, request.ship}, frequencies, parameters, prediction))
    return std::nullopt;
  return prediction;
}

std::optional<PropagationHours> ModelPredictions::PredictionDayGet(const PredictionRequest& request) {
  auto frequencies = Kilohertz(request.frequencies);
  PropagationHours hours;
  if (!runner_.PropagationRunHours(settings_.propagationModelModel, request.time.month, kPredictedHours, 0,
                                   {request.stationPosition, request.ship}, frequencies,
                                   FillParameters(), hours))
    return std::nullopt;
  return hours;
}

void PredictionStatusPanel::PredictionProgressShow(int station, int stationCount) {
  window_.UpdateStatusStatus("Propagation, Station " + std::to_string(station) + " of " +
                             std::to_string(stationCount));
}

void PredictionStatusPanel::PredictionProgressDone() { window_.UpdateStatusStatus(""); }

}  // namespace velmora
