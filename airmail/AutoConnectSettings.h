#pragma once
// Every setting of the AutoConnect window and its options dialog, and how
// they live in section "Airmail Data" of the settings file.
#include <cstdint>
#include <string>

#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"

namespace velmora {

inline constexpr const char* kAutoConnectSection = "Airmail Data";

// The mode of the AutoConnect window ("Mode Index").
enum AutoConnectMode : std::int16_t {
  kModeCurrentFrequency = 0,
  kModeMultipleFrequencies = 1,
  kModeMultipleStations = 2,
  kModeReferenceStations = 3,
  kModeReferenceData = 4,
  kModeNoConnectData = 5,
  kModeScanStations = 6,
};

// The modes that call a station: "Current Frequency", "Multiple
// Frequencies" and "Multiple Stations".
inline bool CallingMode(int mode) {
  return mode == kModeCurrentFrequency || mode == kModeMultipleFrequencies || mode == kModeMultipleStations;
}

// The prediction program ("Propagation Model Model").
enum PropagationModel : std::int32_t { kModelIcepac = 1, kModelVoacap = 2, kModelRec533 = 3 };

// "Propagation Model Time Shift" moves the prediction by at most a year
// (a leap year's hours) either way; more is no shift anyone means.
inline constexpr float kMostTimeShiftHours = 8784;

struct AutoConnectSettings {
  std::string airmailDirectoryData = "C:\\Program Files\\AirMail";
  std::string airmailDirectoryProgram = "C:\\Program Files\\AirMail";
  bool airmailLatLonCheck = true;
  std::int32_t airmailLatLonCheckDays = 7;
  bool lastConnectCheck = true;
  std::int32_t lastConnectCheckMinutes = 15;
  bool airmailResize = true;
  bool airmailStartup = true;
  bool autoSelectAddSnrSlope = false;
  bool autoSelectAllStations = true;
  std::int32_t autoSelectAllStationsLimit = 10;
  bool autoSelectBusy = false;
  float autoSelectBusyMinutes = 10.0f;
  float autoSelectBusyThreshold = 50.0f;
  bool autoSelectHighestFrequency = true;
  float autoSelectHighestSnrRange = 3.0f;
  bool autoSelectNoise = false;
  float autoSelectNoiseInterval = 2.0f;
  float autoSelectNoiseThreshold = 30.0f;
  std::int32_t autoSelectNoiseTopFrequencies = 1;
  std::int32_t autoSelectPactorMode = 0;
  float autoSelectRangeMax = 1500.0f;
  bool autoSelectReference = false;
  float autoSelectReferenceFrequencyLimit = 20.0f;
  std::int32_t autoSelectReferenceTopFrequencies = 1;
  float autoSelectReferenceRangeLimit = 50.0f;
  bool autoSelectSnr = true;
  float autoSelectSnrThreshold = 50.0f;
  std::int32_t autoSelectSnrTopFrequencies = 1;
  std::int32_t connectAttempts = 10;
  float connectNotBusy = 7.0f;
  std::int32_t connectStationIndex = 0;
  std::int32_t connectSystemIndex = 0;
  bool connectTxOnly = false;
  bool logFile = true;
  bool menuBar = true;
  std::int16_t modeIndex = kModeMultipleStations;
  bool noConnectData = false;
  std::string noConnectDataFile;
  bool noConnectDataRecalculate = false;
  bool noConnectDataRecalculateDifference = false;
  bool propagationModelAdditionalData = false;
  std::string propagationModelIonCoefficients = "URSI";
  float propagationModelLayerAdjustE = 1.0f;
  float propagationModelLayerAdjustEs = 0.7f;
  float propagationModelLayerAdjustF1 = 1.0f;
  float propagationModelLayerAdjustF2 = 1.0f;
  std::int32_t propagationModelModel = kModelRec533;
  float propagationModelMultipathDelay = 10.0f;
  float propagationModelMultipathPower = 0.0f;
  float propagationModelNoiseLevel = -145.0f;
  float propagationModelQIndex = 3.0f;
  float propagationModelReliability = 50.0f;
  bool propagationModelSunSpot = true;
  float propagationModelSunSpotNumber = 170.0f;
  float propagationModelTakeoffAngle = 3.0f;
  float propagationModelTimeShift = 0.0f;
  std::int16_t radioCommPort = 8;
  std::int16_t radioIcomAddress = 3;
  std::string referenceDataFile;
  bool referenceDataRecompute = false;
  bool referenceDataRecomputeDifference = false;
  std::int32_t referenceDataReference = 0;
  bool referenceStationAdditionalData = false;
  bool referenceStationAllStations = true;
  std::int32_t referenceStationAllStationsLimit = 5;
  float referenceStationAverage = 5.0f;
  bool referenceStationSelectStation = false;
  bool referenceStationSMeter = true;
  std::int32_t referenceStationStationIndex = 0;
  std::int32_t referenceStationSystemIndex = 0;
  float scanStationNotBusy = 5.0f;
  std::int32_t scanStationPactorMode = 2;
  std::int32_t scanStationSystemIndex = 0;
  std::int32_t scanStationSystemsLimit = 25;
  bool stationHistory = true;
  float stationHistoryBad = -0.5f;
  bool stationHistoryDebug = false;
  float stationHistoryGood = 1.0f;
  float stationHistoryMax = 4.0f;
  float stationHistoryMin = -3.0f;
  float stationOccupancyHalfLife = 30.0f;
  bool stationOffset = true;
  bool stationStations = true;
  std::int32_t stationStationsFile = 0;
  bool terminalConnectCheckFile = true;

  bool operator==(const AutoConnectSettings&) const = default;
};

// Writes every setting, in the order a new section lists them.
void ProfileSave(ProfileWriter& profile, const AutoConnectSettings& settings);

// Reads every setting present. A key that is absent or empty, or whose text
// is no value of the setting's type, leaves the setting as it is; only
// "True" and "False", exactly so, are booleans.
void ProfileRecall(const ProfileDocument& profile, AutoConnectSettings& settings);

}  // namespace velmora
