#pragma once
// The command line of velmora-predict.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/Locator.h"
#include "common/SystemLib.h"

namespace velmora {

struct PredictOptions {
  std::string data;                   // AirMail's data folder
  std::string system;                 // "HAM", "SAILMAIL", ...
  std::vector<std::string> stations;  // keys; empty: the mode's own stations
  int mode = 2;                       // 1, 2 or 6
  std::optional<LatLon> ship;         // instead of AirMail's position
  std::optional<int> model;           // instead of "Propagation Model Model"
  std::optional<UtcDateTime> time;    // instead of the present UTC time
  std::string settings;               // a settings file; empty: the defaults
  std::optional<std::string> itshfbc;  // the ITS HF programs' folder
};

// The options, or nullopt with the problem naming the argument.
std::optional<PredictOptions> ParsePredictOptions(std::span<const std::string_view> arguments, std::string& problem);

// "2024-05-14T14:45" (seconds allowed); nullopt for anything else or a date that does not exist.
std::optional<UtcDateTime> PredictTimeParse(std::string_view text);

extern const char* const kPredictUsage;

}  // namespace velmora
