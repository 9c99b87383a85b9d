#include "autoconnect/OptionFields.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <type_traits>

#include "autoconnect/FieldConversion.h"
#include "common/Format.h"

namespace velmora {
namespace {

using S = AutoConnectSettings;
using F = OptionFrame;
using K = FieldKind;
using E = FieldEvent;
using G = OptionGroup;

constexpr unsigned Modes(std::initializer_list<int> modes) {
  unsigned bits = 0;
  for (int m : modes) bits |= 1u << m;
  return bits;
}

// The options area: the Mode list and "Refresh" in a strip at the top, the
// frames of the mode below it, the calling modes' two frames side by side.
constexpr int kFrameTop = 30, kFrameHeight = 128;

const FrameDefinition kFrames[] = {
    {F::Connect, "frmConnect", "Connect Options", Modes({0, 1, 2}), {0, kFrameTop, 252, kFrameHeight}},
    {F::AutoSelect, "frmAutoSelect", "Auto Select Options", Modes({1, 2}), {258, kFrameTop, 376, kFrameHeight}},
    {F::ReferenceStation, "frmReferenceStation", "Station Options", Modes({3}), {0, kFrameTop, 400, kFrameHeight}},
    {F::ReferenceData, "frmReferenceData", "Data Options", Modes({4}), {0, kFrameTop, 400, kFrameHeight}},
    {F::NoConnectData, "frmNoConnectData", "Data Options", Modes({5}), {0, kFrameTop, 252, kFrameHeight}},
    {F::ScanStation, "frmScanStation", "Scan Options", Modes({6}), {0, kFrameTop, 252, kFrameHeight}},
};

constexpr const char* kPactorModeItems[] = {"P3 Only Frequencies", "No P3 Frequencies", "All Frequencies"};
constexpr const char* kModeItems[] = {"Current Frequency", "Multiple Frequencies", "Multiple Stations",
                                      "Reference Stations", "Reference Data", "No Connect Data", "Scan Stations"};

const FieldDefinition kFields[] = {
    {"cmbMode", K::List, F::None, "", "Mode Control List", &S::modeIndex, "Mode Index", E::None, {0, 0, 160, 22}},
    {"cmdResync", K::Button, F::None, "&Refresh", "Refresh Frequency Data", {}, "", E::None, {168, -1, 76, 24}},

    {"cmbConnectSystem", K::List, F::Connect, "", "System List", &S::connectSystemIndex, "Connect System Index",
     E::None, {10, 18, 112, 22}},
    {"cmbConnectStation", K::List, F::Connect, "", "Station List", &S::connectStationIndex, "Connect Station Index",
     E::None, {128, 18, 114, 22}},
    {"chkConnectTxOnly", K::Check, F::Connect, "&Tx Only", "Check Only Tx Frequencies", &S::connectTxOnly,
     "Connect Tx Only", E::SettingsChanged, {10, 47, 90, 18}},
    {"", K::Caption, F::Connect, "&Attempts", "", {}, "", E::None, {10, 74, 58, 16}},
    {"txtConnectAttempts", K::Text, F::Connect, "", "Number of Connection Attempts", &S::connectAttempts,
     "Connect Attempts", E::SettingsChanged, {70, 71, 44, 20}},
    {"lblConnectAttempts", K::Label, F::Connect, "", "", {}, "", E::None, {122, 74, 60, 16}},
    {"", K::Caption, F::Connect, "Not &Busy", "", {}, "", E::None, {10, 100, 58, 16}},
    {"txtConnectNotBusy", K::Text, F::Connect, "", "Not Busy Time (Sec)", &S::connectNotBusy, "Connect Not Busy",
     E::SettingsChanged, {70, 97, 44, 20}},
    {"lblConnectNotBusy", K::Label, F::Connect, "", "", {}, "", E::None, {122, 100, 60, 16}},

    {"chkAutoSelectAllStations", K::Check, F::AutoSelect, "A&ll Stations",
     "Use All of the Stations, instead of Airmail's Selected Stations", &S::autoSelectAllStations,
     "Auto Select All Stations", E::SettingsChanged, {10, 19, 88, 18}},
    {"txtAutoSelectStations", K::Text, F::AutoSelect, "10", "Top Number of Stations", &S::autoSelectAllStationsLimit,
     "Auto Select All Stations Limit", E::SettingsChanged, {100, 18, 36, 20}},
    {"cmbAutoSelectPactorMode", K::List, F::AutoSelect, "", "Pactor Frequency Filter", &S::autoSelectPactorMode,
     "Auto Select Pactor Mode", E::SettingsChanged, {146, 17, 140, 22}},
    {"txtAutoSelectRangeMax", K::Text, F::AutoSelect, "1500", "Station Max Range (nmi)", &S::autoSelectRangeMax,
     "Auto Select Range Max", E::SettingsChanged, {310, 18, 54, 20}},
    {"optAutoSelectSnr", K::Option, F::AutoSelect, "S&nr",
     "Autmatically Select Frequencies using Predicted Propagation Snr", &S::autoSelectSnr, "Auto Select Snr",
     E::SettingsChanged, {10, 45, 52, 18}, G::AutoSelectMethod},
    {"txtAutoSelectSnr", K::Text, F::AutoSelect, "60", "Snr Threshold", &S::autoSelectSnrThreshold,
     "Auto Select Snr Threshold", E::SettingsChanged, {64, 44, 36, 20}},
    {"txtAutoSelectSnrTopFrequencies", K::Text, F::AutoSelect, "",
     "Snr Top Number of Frequencies Selected per Station", &S::autoSelectSnrTopFrequencies,
     "Auto Select Snr Top Frequencies", E::SettingsChanged, {104, 44, 28, 20}},
    {"chkAutoSelectAddSnrSlope", K::Check, F::AutoSelect, "Slo&pe", "Adjust by Snr Slope", &S::autoSelectAddSnrSlope,
     "Auto Select Add Snr Slope", E::SettingsChanged, {142, 45, 56, 18}},
    {"chkAutoSelectHighestFrequency", K::Check, F::AutoSelect, "Hi&ghest Frequency",
     "Pick the Highest Possible Frequencies within the Snr Range of Best Snr for each Station",
     &S::autoSelectHighestFrequency, "Auto Select Highest Frequency", E::SettingsChanged, {200, 45, 128, 18}},
    {"txtAutoSelectHighestSnrRange", K::Text, F::AutoSelect, "3", "Highest Frequency Snr Range (dB)",
     &S::autoSelectHighestSnrRange, "Auto Select Highest Snr Range", E::SettingsChanged, {332, 44, 32, 20}},
    {"optAutoSelectReference", K::Option, F::AutoSelect, "R&ef",
     "Autmatically Select Frequencies using Reference Station Data", &S::autoSelectReference,
     "Auto Select Reference", E::SettingsChanged, {10, 71, 52, 18}, G::AutoSelectMethod},
    {"txtAutoSelectReferenceTopFrequencies", K::Text, F::AutoSelect, "",
     "Reference Station Top Number of Frequencies Selected per Station", &S::autoSelectReferenceTopFrequencies,
     "Auto Select Reference Top Frequencies", E::SettingsChanged, {104, 70, 28, 20}},
    {"txtAutoSelectReferenceRangeLimit", K::Text, F::AutoSelect, "30",
     "Reference Station Range Limit, +/- Percent of Reference Range (%)", &S::autoSelectReferenceRangeLimit,
     "Auto Select Reference Range Limit", E::SettingsChanged, {142, 70, 36, 20}},
    {"txtAutoSelectReferenceFrequencyLimit", K::Text, F::AutoSelect, "30",
     "Reference Station Frequency Limit, +/- Percent of Reference Frequency (%)",
     &S::autoSelectReferenceFrequencyLimit, "Auto Select Reference Frequency Limit", E::SettingsChanged,
     {182, 70, 36, 20}},
    {"chkAutoSelectNoise", K::Check, F::AutoSelect, "No&ise", "Automatically Deselect Noisy Frequencies",
     &S::autoSelectNoise, "Auto Select Noise", E::SettingsChanged, {10, 97, 52, 18}},
    {"txtAutoSelectNoiseThreshold", K::Text, F::AutoSelect, "30", "Noise Threshold", &S::autoSelectNoiseThreshold,
     "Auto Select Noise Threshold", E::SettingsChanged, {64, 96, 36, 20}},
    {"txtAutoSelectNoiseTopFrequencies", K::Text, F::AutoSelect, "",
     "Noise Top Number of Frequencies Selected per Station", &S::autoSelectNoiseTopFrequencies,
     "Auto Select Noise Top Frequencies", E::SettingsChanged, {104, 96, 28, 20}},
    {"txtAutoSelectNoiseInterval", K::Text, F::AutoSelect, "", "Noise Average (Sec)", &S::autoSelectNoiseInterval,
     "Auto Select Noise Interval", E::SettingsChanged, {142, 96, 36, 20}},
    {"lblAutoSelectNoiseInterval", K::Label, F::AutoSelect, "", "", {}, "", E::None, {184, 99, 60, 16}},
    {"chkAutoSelectBusy", K::Check, F::AutoSelect, "B&usy",
     "Automatically Deselect Frequencies Usually Busy at this Hour", &S::autoSelectBusy, "Auto Select Busy",
     E::SettingsChanged, {250, 97, 46, 18}},
    {"txtAutoSelectBusyThreshold", K::Text, F::AutoSelect, "50", "Busy Threshold (%)", &S::autoSelectBusyThreshold,
     "Auto Select Busy Threshold", E::SettingsChanged, {298, 96, 30, 20}},
    {"txtAutoSelectBusyMinutes", K::Text, F::AutoSelect, "", "Busy Minimum Heard at this Hour (Min)",
     &S::autoSelectBusyMinutes, "Auto Select Busy Minutes", E::SettingsChanged, {332, 96, 32, 20}},

    {"cmbReferenceSystem", K::List, F::ReferenceStation, "", "System List", &S::referenceStationSystemIndex,
     "Reference Station System Index", E::None, {10, 18, 112, 22}},
    {"cmbReferenceStation", K::List, F::ReferenceStation, "", "Station List", &S::referenceStationStationIndex,
     "Reference Station Station Index", E::None, {128, 18, 114, 22}},
    {"chkReferenceSelectStation", K::Check, F::ReferenceStation, "S&elect Station", "Select a Particular Station",
     &S::referenceStationSelectStation, "Reference Station Select Station", E::SettingsChanged, {252, 20, 110, 18}},
    {"chkReferenceAllStations", K::Check, F::ReferenceStation, "A&ll Stations",
     "Use All of the Stations, instead of AirMail's Selected Stations", &S::referenceStationAllStations,
     "Reference Station All Stations", E::SettingsChanged, {10, 47, 88, 18}},
    {"txtReferenceAllStationsLimit", K::Text, F::ReferenceStation, "", "Top Number of Stations",
     &S::referenceStationAllStationsLimit, "Reference Station All Stations Limit", E::SettingsChanged,
     {100, 46, 36, 20}},
    {"txtReferenceAverage", K::Text, F::ReferenceStation, "", "Average Time (Sec)", &S::referenceStationAverage,
     "Reference Station Average", E::SettingsChanged, {146, 46, 40, 20}},
    {"lblReferenceAverage", K::Label, F::ReferenceStation, "", "", {}, "", E::None, {192, 49, 60, 16}},
    {"chkReferenceSMeter", K::Check, F::ReferenceStation, "S-Me&ter",
     "Use Receiver's S-Meter for Rx Power (Requires RT710 Com Port)", &S::referenceStationSMeter,
     "Reference Station S-Meter", E::SettingsChanged, {10, 73, 88, 18}},
    {"txtReferenceRadioCommPort", K::Text, F::ReferenceStation, "", "Radio's Comm Port for S-Meter Data",
     &S::radioCommPort, "Radio Comm Port", E::SettingsChanged, {100, 72, 36, 20}},
    {"txtReferenceRadioIcomAddress", K::Text, F::ReferenceStation, "", "Radio's Icom Address for S-Meter Data",
     &S::radioIcomAddress, "Radio Icom Address", E::SettingsChanged, {146, 72, 40, 20}},
    {"cmdSave", K::Button, F::ReferenceStation, "S&ave", "Save Reference Data", {}, "", E::None, {10, 98, 76, 24}},

    // "Reference Data Reference" 1 takes "Rx Pwr" as the level, 0 "Rx Snr".
    {"optReferenceDataReference", K::Option, F::ReferenceData, "Rx &Power", "Receiver Power as Reference",
     &S::referenceDataReference, "Reference Data Reference", E::Configure, {10, 20, 80, 18}, G::ReferenceDataReference,
     1},
    {"optReferenceDataReference", K::Option, F::ReferenceData, "Rx S&nr", "Received Snr as Reference",
     &S::referenceDataReference, "Reference Data Reference", E::Configure, {96, 20, 70, 18}, G::ReferenceDataReference,
     0},
    // The fit-all-files flag belongs to the reference data, not to the settings.
    {"chkReferenceDataFitAllFiles", K::Check, F::ReferenceData, "&All Files",
     "Use All the Reference Data Files for Snr-Ref Fit Calculation", {}, "", E::Configure, {176, 20, 80, 18}},
    {"chkReferenceDataDifference", K::Check, F::ReferenceData, "&Difference",
     "Display Differences between Recomputed Data", &S::referenceDataRecomputeDifference,
     "Reference Data Recompute Difference", E::Configure, {10, 47, 90, 18}},
    {"chkReferenceDataRecalculate", K::Check, F::ReferenceData, "Re&calculate", "Recalculate Propagation Data",
     &S::referenceDataRecompute, "Reference Data Recompute", E::Configure, {106, 47, 100, 18}},
    {"lblReferenceDataLatitude", K::Label, F::ReferenceData, "", "Latitude", {}, "", E::None, {10, 73, 86, 18}},
    {"lblReferenceDataLongitude", K::Label, F::ReferenceData, "", "Longitude", {}, "", E::None, {100, 73, 86, 18}},
    {"lblReferenceDataFitStations", K::Label, F::ReferenceData, "",
     "Number of Stations used in Snr-Ref Fit Calculation", {}, "", E::None, {190, 73, 40, 18}},
    {"lblReferenceDataFitRms", K::Label, F::ReferenceData, "", "Fit Rms (Recalculate/Original)", {}, "", E::None,
     {234, 73, 90, 18}},
    {"lblReferenceDataSunspotData", K::Label, F::ReferenceData, "", "Original Sunspot Number", {}, "", E::None,
     {328, 73, 56, 18}},
    {"cmdRecall", K::Button, F::ReferenceData, "Reca&ll", "Recall Reference Data", {}, "", E::None, {10, 98, 76, 24}},

    {"chkNoConnectData", K::Check, F::NoConnectData, "&Enable", "Enable Automatic Logging of Do Not Connect Data",
     &S::noConnectData, "No Connect Data", E::SettingsOnly, {10, 20, 80, 18}},
    {"chkNoConnectDataRecalculate", K::Check, F::NoConnectData, "Re&calculate", "Recalculate Propagation Data",
     &S::noConnectDataRecalculate, "No Connect Data Recalculate", E::Configure, {10, 47, 100, 18}},
    {"chkNoConnectDataDifference", K::Check, F::NoConnectData, "&Difference",
     "Display Differences between Recomputed Data", &S::noConnectDataRecalculateDifference,
     "No Connect Data Recalculate Difference", E::Configure, {116, 47, 90, 18}},
    {"lblNoConnectDataSunspotData", K::Label, F::NoConnectData, "", "Original Sunspot Number", {}, "", E::None,
     {10, 73, 56, 18}},

    {"cmbScanSystem", K::List, F::ScanStation, "", "System List", &S::scanStationSystemIndex,
     "Scan Station System Index", E::SettingsChanged, {10, 18, 112, 22}},
    {"txtScanStationLimit", K::Text, F::ScanStation, "25", "Top Number of Stations", &S::scanStationSystemsLimit,
     "Scan Station Systems Limit", E::SettingsChanged, {128, 19, 36, 20}},
    {"cmbScanPactorMode", K::List, F::ScanStation, "", "Pactor Frequency Filter", &S::scanStationPactorMode,
     "Scan Station Pactor Mode", E::SettingsChanged, {10, 46, 154, 22}},
    {"txtScanNotBusy", K::Text, F::ScanStation, "", "Not Busy Time (Sec)", &S::scanStationNotBusy,
     "Scan Station Not Busy", E::SettingsChanged, {10, 75, 44, 20}},
    {"lblScanNotBusy", K::Label, F::ScanStation, "", "", {}, "", E::None, {60, 78, 60, 16}},
};

bool RadioField(const FieldDefinition& field) {
  return std::string_view(field.name) == "txtReferenceRadioCommPort" ||
         std::string_view(field.name) == "txtReferenceRadioIcomAddress";
}

// A call needs at least one attempt, and a wait of no time would call on
// the very buffer judged busy.
bool PositiveField(const FieldDefinition& field) {
  return std::string_view(field.name) == "txtConnectAttempts" || std::string_view(field.name) == "txtConnectNotBusy";
}

struct ToField {
  const FieldDefinition& field;
  const AutoConnectSettings& settings;
  FieldValue value;

  void operator()(std::monostate) {}
  void operator()(bool S::*member) { value.checked = settings.*member; }
  template <typename Number>
  void operator()(Number S::*member) {
    Number n = settings.*member;
    if (field.kind == K::List) value.index = static_cast<int>(n);
    else if (field.kind == K::Option) value.checked = n == field.optionValue;
    else if constexpr (std::is_same_v<Number, float>) value.text = ShortestSingle(n);
    else value.text = IntegerText(n);
  }
};

struct FromField {
  const FieldDefinition& field;
  const FieldValue& value;
  AutoConnectSettings& settings;
  Messenger& messenger;

  void operator()(std::monostate) {}
  void operator()(bool S::*member) { settings.*member = value.checked; }
  void operator()(float S::*member) {
    auto convert = PositiveField(field) ? FieldToPositiveSingle : FieldToSingle;
    convert(value.text, settings.*member, field.key, messenger);
  }
  template <typename Integer>
  void operator()(Integer S::*member) {
    if (field.kind == K::List) {
      if (value.index >= 0) settings.*member = static_cast<Integer>(value.index);
    } else if (field.kind == K::Option) {
      if (value.checked) settings.*member = static_cast<Integer>(field.optionValue);
    } else if constexpr (std::is_same_v<Integer, std::int16_t>) {
      FieldToInt16(value.text, settings.*member, field.key, messenger);
    } else {
      auto convert = PositiveField(field) ? FieldToPositiveInt32 : FieldToInt32;
      convert(value.text, settings.*member, field.key, messenger);
    }
  }
};

}  // namespace

std::span<const FrameDefinition> OptionFrames() { return kFrames; }
std::span<const FieldDefinition> OptionFields() { return kFields; }

const FieldDefinition* OptionField(std::string_view name) {
  for (const auto& field : kFields)
    if (name == field.name) return &field;
  return nullptr;
}

const FrameDefinition& OptionFrameOf(OptionFrame frame) {
  for (const auto& f : kFrames)
    if (f.frame == frame) return f;
  throw std::logic_error("no such frame");
}

bool FrameShown(OptionFrame frame, int mode) {
  if (frame == OptionFrame::None) return true;
  return mode >= 0 && mode < 32 && (OptionFrameOf(frame).modes & (1u << mode)) != 0;
}

std::span<const char* const> PactorModeItems() { return kPactorModeItems; }
std::span<const char* const> ModeItems() { return kModeItems; }

FieldValues FieldsFromSettings(const AutoConnectSettings& settings) {
  FieldValues values;
  std::vector<OptionGroup> chosen;  // groups whose option is on already
  for (const auto& field : kFields) {
    ToField to{field, settings, {}};
    std::visit(to, field.setting);
    if (field.group != G::None && to.value.checked) {
      // A file may hold both options on; the window offers one.
      if (std::find(chosen.begin(), chosen.end(), field.group) != chosen.end()) to.value.checked = false;
      chosen.push_back(field.group);
    }
    values.push_back(std::move(to.value));
  }
  return values;
}

void SettingsFromFields(const FieldValues& fields, AutoConnectSettings& settings, Messenger& messenger) {
  // The mode first: whether the radio's fields count depends on it.
  const FieldValue& mode = fields.at(static_cast<size_t>(OptionField("cmbMode") - kFields));
  if (mode.index >= 0) settings.modeIndex = static_cast<std::int16_t>(mode.index);
  for (size_t i = 0; i < std::size(kFields) && i < fields.size(); ++i) {
    const FieldDefinition& field = kFields[i];
    if (RadioField(field) && settings.modeIndex != kModeReferenceStations) continue;
    std::visit(FromField{field, fields[i], settings, messenger}, field.setting);
  }
}

}  // namespace velmora
