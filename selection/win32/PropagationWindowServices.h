#pragma once
// What the propagation windows need from the AutoConnect window: its
// predictions, positions, AirMail's data folder, the program folder with the
// offset and history files, the reason colours, the settings and the clock.
#include <filesystem>

#include "airmail/AirmailProfile.h"
#include "airmail/AutoConnectSettings.h"
#include "selection/ReasonColors.h"
#include "selection/SelectionPorts.h"

namespace velmora {

struct PropagationWindowServices {
  PredictionSource& predictions;
  DayPredictionSource& day;
  StationGeometry& geometry;
  const AirmailDataFolder& data;
  std::filesystem::path programFolder;
  const ReasonColors& colors;
  const AutoConnectSettings& settings;  // "Mode Index", the columns and corrections
  UtcClock& clock;
};

}  // namespace velmora
