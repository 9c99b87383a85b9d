#pragma once
// SAILMAIL display names turned into station keys from AirMail's station file.
#include "airmail/AirmailProfile.h"
#include "airmail/AutomationSeams.h"
#include "airmail/StationEntries.h"

namespace velmora {

class AirmailStationNames final : public StationNames {
 public:
  explicit AirmailStationNames(const AirmailDataFolder& data) : data_(data) {}
  std::string StationFromStationName(std::string_view system, std::string_view name) override {
    return velmora::StationFromStationName(data_, system, name);
  }

 private:
  const AirmailDataFolder& data_;
};

}  // namespace velmora
