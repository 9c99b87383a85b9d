#include "airmail/AutoConnectSettings.h"

#include <variant>

#include "common/ProfileValues.h"

namespace velmora {
namespace {

using S = AutoConnectSettings;
using Member = std::variant<bool S::*, std::int32_t S::*, std::int16_t S::*, float S::*, std::string S::*>;

struct Key {
  const char* name;
  Member member;
  const char* section = kAutoConnectSection;
};

// Two keys have always been written under this spelling; section names
// compare without regard to case, so they land in the same section.
constexpr const char* kSectionAsSpelledByConnectCheck = "AirMail Data";

// Every key in the order it is written.
const Key kKeys[] = {
    {"Airmail Directory Data", &S::airmailDirectoryData},
    {"Airmail Directory Program", &S::airmailDirectoryProgram},
    {"Airmail Lat/Lon Check", &S::airmailLatLonCheck},
    {"Airmail Lat/Lon Check Days", &S::airmailLatLonCheckDays},
    {"Last Connect Check", &S::lastConnectCheck, kSectionAsSpelledByConnectCheck},
    {"Last Connect Check Minutes", &S::lastConnectCheckMinutes, kSectionAsSpelledByConnectCheck},
    {"Airmail Resize", &S::airmailResize},
    {"Airmail Startup", &S::airmailStartup},
    {"Auto Select Add Snr Slope", &S::autoSelectAddSnrSlope},
    {"Auto Select All Stations", &S::autoSelectAllStations},
    {"Auto Select All Stations Limit", &S::autoSelectAllStationsLimit},
    {"Auto Select Highest Frequency", &S::autoSelectHighestFrequency},
    {"Auto Select Highest Snr Range", &S::autoSelectHighestSnrRange},
    {"Auto Select Noise", &S::autoSelectNoise},
    {"Auto Select Noise Interval", &S::autoSelectNoiseInterval},
    {"Auto Select Noise Threshold", &S::autoSelectNoiseThreshold},
    {"Auto Select Noise Top Frequencies", &S::autoSelectNoiseTopFrequencies},
    {"Auto Select Pactor Mode", &S::autoSelectPactorMode},
    {"Auto Select Range Max", &S::autoSelectRangeMax},
    {"Auto Select Reference", &S::autoSelectReference},
    {"Auto Select Reference Frequency Limit", &S::autoSelectReferenceFrequencyLimit},
    {"Auto Select Reference Top Frequencies", &S::autoSelectReferenceTopFrequencies},
    {"Auto Select Reference Range Limit", &S::autoSelectReferenceRangeLimit},
    {"Auto Select Snr", &S::autoSelectSnr},
    {"Auto Select Snr Threshold", &S::autoSelectSnrThreshold},
    {"Auto Select Snr Top Frequencies", &S::autoSelectSnrTopFrequencies},
    {"Connect Attempts", &S::connectAttempts},
    {"Connect Not Busy", &S::connectNotBusy},
    {"Connect Station Index", &S::connectStationIndex},
    {"Connect System Index", &S::connectSystemIndex},
    {"Connect Tx Only", &S::connectTxOnly},
    {"Log File", &S::logFile},
    {"MenuBar", &S::menuBar},
    {"Mode Index", &S::modeIndex},
    {"No Connect Data", &S::noConnectData},
    {"No Connect Data File", &S::noConnectDataFile},
    {"No Connect Data Recalculate", &S::noConnectDataRecalculate},
    {"No Connect Data Recalculate Difference", &S::noConnectDataRecalculateDifference},
    {"Propagation Model Additional Data", &S::propagationModelAdditionalData},
    {"Propagation Model Ion Coefficients", &S::propagationModelIonCoefficients},
    {"Propagation Model Layer Adjust E", &S::propagationModelLayerAdjustE},
    {"Propagation Model Layer Adjust Es", &S::propagationModelLayerAdjustEs},
    {"Propagation Model Layer Adjust F1", &S::propagationModelLayerAdjustF1},
    {"Propagation Model Layer Adjust F2", &S::propagationModelLayerAdjustF2},
    {"Propagation Model Model", &S::propagationModelModel},
    {"Propagation Model Multipath Delay", &S::propagationModelMultipathDelay},
    {"Propagation Model Multipath Power", &S::propagationModelMultipathPower},
    {"Propagation Model Noise Level", &S::propagationModelNoiseLevel},
    {"Propagation Model Q Index", &S::propagationModelQIndex},
    {"Propagation Model Reliability", &S::propagationModelReliability},
    {"Propagation Model Sun Spot", &S::propagationModelSunSpot},
    {"Propagation Model Sun Spot Number", &S::propagationModelSunSpotNumber},
    {"Propagation Model Takeoff Angle", &S::propagationModelTakeoffAngle},
    {"Propagation Model Time Shift", &S::propagationModelTimeShift},
    {"Radio Comm Port", &S::radioCommPort},
    {"Radio Icom Address", &S::radioIcomAddress},
    {"Reference Data File", &S::referenceDataFile},
    {"Reference Data Recompute", &S::referenceDataRecompute},
    {"Reference Data Recompute Difference", &S::referenceDataRecomputeDifference},
    {"Reference Data Reference", &S::referenceDataReference},
    {"Reference Station Additional Data", &S::referenceStationAdditionalData},
    {"Reference Station All Stations", &S::referenceStationAllStations},
    {"Reference Station All Stations Limit", &S::referenceStationAllStationsLimit},
    {"Reference Station Average", &S::referenceStationAverage},
    {"Reference Station Select Station", &S::referenceStationSelectStation},
    {"Reference Station S-Meter", &S::referenceStationSMeter},
    {"Reference Station Station Index", &S::referenceStationStationIndex},
    {"Reference Station System Index", &S::referenceStationSystemIndex},
    {"Scan Station Not Busy", &S::scanStationNotBusy},
    {"Scan Station Pactor Mode", &S::scanStationPactorMode},
    {"Scan Station System Index", &S::scanStationSystemIndex},
    {"Scan Station Systems Limit", &S::scanStationSystemsLimit},
    {"Station History", &S::stationHistory},
    {"Station History Bad", &S::stationHistoryBad},
    {"Station History Debug", &S::stationHistoryDebug},
    {"Station History Good", &S::stationHistoryGood},
    {"Station History Max", &S::stationHistoryMax},
    {"Station History Min", &S::stationHistoryMin},
    {"Station Offset", &S::stationOffset},
    {"Station Stations", &S::stationStations},
    {"Station Stations File", &S::stationStationsFile},
    {"Terminal Connect Check File", &S::terminalConnectCheckFile},
};

template <class... Visitors>
struct Overloaded : Visitors... {
  using Visitors::operator()...;
};

// This section knows only the two exact words; anything else keeps the member.
bool RecallExactBoolean(const ProfileDocument& profile, const Key& k, bool& member) {
  auto text = profile.Read(k.section, k.name);
  if (text == "True") member = true;
  else if (text == "False") member = false;
  else return false;
  return true;
}

// Folder and file names may be longer than the 255 characters a number needs.
constexpr size_t kTextBuffer = 4096;

void RecallLongText(const ProfileDocument& profile, const Key& k, std::string& member) {
  auto text = profile.Read(k.section, k.name, kTextBuffer);
  if (!text.empty()) member = text;
}

// The mode and the model are used as indexes: a value out of their range is refused.
template <typename Int>
void RecallWithin(const ProfileDocument& profile, const char* key, Int first, Int last, Int& member) {
  Int value = member;
  if (RecallInteger(profile, kAutoConnectSection, key, value) && value >= first && value <= last) member = value;
}

}  // namespace

void ProfileSave(ProfileWriter& profile, const AutoConnectSettings& settings) {
  for (const Key& k : kKeys) {
    std::visit(Overloaded{
                   [&](bool S::*m) { SaveBoolean(profile, k.section, k.name, settings.*m); },
                   [&](std::int32_t S::*m) { SaveInteger(profile, k.section, k.name, settings.*m); },
                   [&](std::int16_t S::*m) { SaveInteger(profile, k.section, k.name, settings.*m); },
                   [&](float S::*m) { SaveSingle(profile, k.section, k.name, settings.*m); },
                   [&](std::string S::*m) { SaveText(profile, k.section, k.name, settings.*m); },
               },
               k.member);
  }
}

void ProfileRecall(const ProfileDocument& profile, AutoConnectSettings& settings) {
  for (const Key& k : kKeys) {
    if (k.member == Member(&S::modeIndex) || k.member == Member(&S::propagationModelModel)) continue;
    std::visit(Overloaded{
                   [&](bool S::*m) { RecallExactBoolean(profile, k, settings.*m); },
                   [&](std::int32_t S::*m) { RecallInteger(profile, k.section, k.name, settings.*m); },
                   [&](std::int16_t S::*m) { RecallInteger(profile, k.section, k.name, settings.*m); },
                   [&](float S::*m) { RecallSingle(profile, k.section, k.name, settings.*m); },
                   [&](std::string S::*m) { RecallLongText(profile, k, settings.*m); },
               },
               k.member);
  }
  RecallWithin<std::int16_t>(profile, "Mode Index", kModeCurrentFrequency, kModeScanStations, settings.modeIndex);
  RecallWithin<std::int32_t>(profile, "Propagation Model Model", kModelIcepac, kModelRec533,
                             settings.propagationModelModel);
}

}  // namespace velmora
