#include "propagation/PropagationParameters.h"

namespace velmora {

PropagationParameters PropagationParametersFrom(const AutoConnectSettings& settings, float sunSpotNumber) {
  PropagationParameters p;
  p.ionCoefficients = settings.propagationModelIonCoefficients;
  p.sunSpotNumber = sunSpotNumber;
  p.qIndex = settings.propagationModelQIndex;
  p.noiseLevel = settings.propagationModelNoiseLevel;
  p.takeoffAngle = settings.propagationModelTakeoffAngle;
  p.reliability = settings.propagationModelReliability;
  p.multipathPower = settings.propagationModelMultipathPower;
  p.multipathDelay = settings.propagationModelMultipathDelay;
  p.layerAdjustE = settings.propagationModelLayerAdjustE;
  p.layerAdjustF1 = settings.propagationModelLayerAdjustF1;
  p.layerAdjustF2 = settings.propagationModelLayerAdjustF2;
  p.layerAdjustEs = settings.propagationModelLayerAdjustEs;
  return p;
}

std::string ModelDisplayName(int model) {
  switch (model) {
    case kModelIcepac: return "ICEPAC";
    case kModelVoacap: return "VOACAP";
    case kModelRec533: return "REC533";
    default: return std::to_string(model);
  }
}

std::string_view ModelProgramName(int model) {
  switch (model) {
    case kModelIcepac: return "icepacw.exe";
    case kModelVoacap: return "voacapw.exe";
    case kModelRec533: return "rec533w.exe";
    default: return {};
  }
}

}  // namespace velmora
