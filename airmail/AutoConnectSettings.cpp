#include "airmail/AutoConnectSettings.h"

#include <limits>

#include "common/ProfileKeys.h"

namespace velmora {
namespace {

using S = AutoConnectSettings;

// Folder and file names may be longer than the 255 characters a number needs.
constexpr size_t kTextBuffer = 4096;

// Two keys have always been written under this spelling; section names
// compare without regard to case, so they land in the same section.
constexpr const char* kSectionAsSpelledByConnectCheck = "AirMail Data";

// Every key in the order it is written.
ProfileKeys Keys(S& s) {
  ProfileKeys keys({.exactBooleans = true, .textBuffer = kTextBuffer});
  keys.In(kAutoConnectSection)
      .Key("Airmail Directory Data", s.airmailDirectoryData)
      .Key("Airmail Directory Program", s.airmailDirectoryProgram)
      .Key("Airmail Lat/Lon Check", s.airmailLatLonCheck)
      .Key("Airmail Lat/Lon Check Days", s.airmailLatLonCheckDays)
      .In(kSectionAsSpelledByConnectCheck)
      .Key("Last Connect Check", s.lastConnectCheck)
      .Key("Last Connect Check Minutes", s.lastConnectCheckMinutes)
      .In(kAutoConnectSection)
      .Key("Airmail Resize", s.airmailResize)
      .Key("Airmail Startup", s.airmailStartup)
      .Key("Auto Select Add Snr Slope", s.autoSelectAddSnrSlope)
      .Key("Auto Select All Stations", s.autoSelectAllStations)
      .Key("Auto Select All Stations Limit", s.autoSelectAllStationsLimit)
      .Key("Auto Select Busy", s.autoSelectBusy)
      .Key("Auto Select Busy Minutes", s.autoSelectBusyMinutes)
      .Key("Auto Select Busy Threshold", s.autoSelectBusyThreshold)
      .Key("Auto Select Highest Frequency", s.autoSelectHighestFrequency)
      .Key("Auto Select Highest Snr Range", s.autoSelectHighestSnrRange)
      .Key("Auto Select Noise", s.autoSelectNoise)
      .Key("Auto Select Noise Interval", s.autoSelectNoiseInterval)
      .Key("Auto Select Noise Threshold", s.autoSelectNoiseThreshold)
      .Key("Auto Select Noise Top Frequencies", s.autoSelectNoiseTopFrequencies)
      .Key("Auto Select Pactor Mode", s.autoSelectPactorMode)
      .Key("Auto Select Range Max", s.autoSelectRangeMax)
      .Key("Auto Select Reference", s.autoSelectReference)
      .Key("Auto Select Reference Frequency Limit", s.autoSelectReferenceFrequencyLimit)
      .Key("Auto Select Reference Top Frequencies", s.autoSelectReferenceTopFrequencies)
      .Key("Auto Select Reference Range Limit", s.autoSelectReferenceRangeLimit)
      .Key("Auto Select Snr", s.autoSelectSnr)
      .Key("Auto Select Snr Threshold", s.autoSelectSnrThreshold)
      .Key("Auto Select Snr Top Frequencies", s.autoSelectSnrTopFrequencies)
      .Key("Connect Attempts", s.connectAttempts).Within(1, std::numeric_limits<std::int32_t>::max())
      .Key("Connect Not Busy", s.connectNotBusy)
      .Accept([](double seconds) { return seconds > 0; })  // no wait would call on a busy buffer
      .Key("Connect Station Index", s.connectStationIndex)
      .Key("Connect System Index", s.connectSystemIndex)
      .Key("Connect Tx Only", s.connectTxOnly)
      .Key("Log File", s.logFile)
      .Key("MenuBar", s.menuBar)
      .Key("Mode Index", s.modeIndex).Within(kModeCurrentFrequency, kModeScanStations)
      .Key("No Connect Data", s.noConnectData)
      .Key("No Connect Data File", s.noConnectDataFile)
      .Key("No Connect Data Recalculate", s.noConnectDataRecalculate)
      .Key("No Connect Data Recalculate Difference", s.noConnectDataRecalculateDifference)
      .Key("Propagation Model Additional Data", s.propagationModelAdditionalData)
      .Key("Propagation Model Ion Coefficients", s.propagationModelIonCoefficients)
      .Key("Propagation Model Layer Adjust E", s.propagationModelLayerAdjustE)
      .Key("Propagation Model Layer Adjust Es", s.propagationModelLayerAdjustEs)
      .Key("Propagation Model Layer Adjust F1", s.propagationModelLayerAdjustF1)
      .Key("Propagation Model Layer Adjust F2", s.propagationModelLayerAdjustF2)
      .Key("Propagation Model Model", s.propagationModelModel).Within(kModelIcepac, kModelRec533)
      .Key("Propagation Model Multipath Delay", s.propagationModelMultipathDelay)
      .Key("Propagation Model Multipath Power", s.propagationModelMultipathPower)
      .Key("Propagation Model Noise Level", s.propagationModelNoiseLevel)
      .Key("Propagation Model Q Index", s.propagationModelQIndex)
      .Key("Propagation Model Reliability", s.propagationModelReliability)
      .Key("Propagation Model Sun Spot", s.propagationModelSunSpot)
      .Key("Propagation Model Sun Spot Number", s.propagationModelSunSpotNumber)
      .Key("Propagation Model Takeoff Angle", s.propagationModelTakeoffAngle)
      .Key("Propagation Model Time Shift", s.propagationModelTimeShift)
      .Within(-kMostTimeShiftHours, kMostTimeShiftHours)
      .Key("Radio Comm Port", s.radioCommPort)
      .Key("Radio Icom Address", s.radioIcomAddress)
      .Key("Reference Data File", s.referenceDataFile)
      .Key("Reference Data Recompute", s.referenceDataRecompute)
      .Key("Reference Data Recompute Difference", s.referenceDataRecomputeDifference)
      .Key("Reference Data Reference", s.referenceDataReference)
      .Key("Reference Station Additional Data", s.referenceStationAdditionalData)
      .Key("Reference Station All Stations", s.referenceStationAllStations)
      .Key("Reference Station All Stations Limit", s.referenceStationAllStationsLimit)
      .Key("Reference Station Average", s.referenceStationAverage)
      .Key("Reference Station Select Station", s.referenceStationSelectStation)
      .Key("Reference Station S-Meter", s.referenceStationSMeter)
      .Key("Reference Station Station Index", s.referenceStationStationIndex)
      .Key("Reference Station System Index", s.referenceStationSystemIndex)
      .Key("Scan Station Not Busy", s.scanStationNotBusy)
      .Key("Scan Station Pactor Mode", s.scanStationPactorMode)
      .Key("Scan Station System Index", s.scanStationSystemIndex)
      .Key("Scan Station Systems Limit", s.scanStationSystemsLimit)
      .Key("Station History", s.stationHistory)
      .Key("Station History Bad", s.stationHistoryBad)
      .Key("Station History Debug", s.stationHistoryDebug)
      .Key("Station History Good", s.stationHistoryGood)
      .Key("Station History Max", s.stationHistoryMax)
      .Key("Station History Min", s.stationHistoryMin)
      .Key("Station Occupancy Half Life", s.stationOccupancyHalfLife)
      .Accept([](double days) { return days > 0; })  // what was heard fades by half in so many days
      .Key("Station Offset", s.stationOffset)
      .Key("Station Stations", s.stationStations)
      .Key("Station Stations File", s.stationStationsFile)
      .Key("Terminal Connect Check File", s.terminalConnectCheckFile);
  return keys;
}

}  // namespace

void ProfileSave(ProfileWriter& profile, const AutoConnectSettings& settings) {
  AutoConnectSettings copy = settings;
  Keys(copy).Save(profile);
}

// Only "True" and "False", exactly so, are booleans here; the mode and the
// model are used as indexes and the time shift moves the clock, so a value
// out of their range is refused.
void ProfileRecall(const ProfileDocument& profile, AutoConnectSettings& settings) { Keys(settings).Recall(profile); }

}  // namespace velmora
