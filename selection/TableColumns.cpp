#include "selection/TableColumns.h"

#include <utility>

namespace velmora {
namespace {

// A set of modes, one bit per mode index.
using ModeSet = unsigned;
constexpr ModeSet Modes(std::initializer_list<int> modes) {
  ModeSet set = 0;
  for (int mode : modes) set |= 1u << mode;
  return set;
}
constexpr ModeSet kAllModes = Modes({0, 1, 2, 3, 4, 5, 6});
constexpr ModeSet kReferenceModes = Modes({kModeReferenceStations, kModeReferenceData});
constexpr ModeSet kCallingModes = Modes({0, 1, 2, 5});  // the modes that call, and the data of failed calls

struct ColumnContext {
  int mode;
  const AutoConnectSettings& settings;
  bool In(ModeSet set) const { return (set >> mode) & 1u; }
};

struct ColumnDeclaration {
  FrequencyColumn column;
  const char* heading;
  ModeSet modes;
  bool (*shown)(const ColumnContext&);  // nullptr: shown in all its modes
  const char* widthTemplate;
  const char* referenceWidthTemplate;  // in modes 3 and 4, when it differs
  CellAlign align;
  ModeSet checkBoxes;  // the modes whose cells carry a check box
};

constexpr auto kRight = CellAlign::Right;
constexpr auto kLeft = CellAlign::Left;
constexpr auto kCenter = CellAlign::Center;

bool Never(const ColumnContext&) { return false; }
bool AdditionalData(const ColumnContext& c) { return c.settings.propagationModelAdditionalData; }
bool AzimuthShown(const ColumnContext& c) {
  if (!c.In(Modes({kModeMultipleStations, kModeNoConnectData, kModeScanStations}))) return true;
  return c.settings.propagationModelAdditionalData || c.settings.connectTxOnly;
}
bool HistoryShown(const ColumnContext& c) { return c.settings.stationHistory; }
bool SlopeShown(const ColumnContext& c) {
  if (c.In(kReferenceModes)) return c.settings.propagationModelAdditionalData;
  return c.settings.propagationModelAdditionalData || c.settings.autoSelectAddSnrSlope;
}
bool ReferenceShown(const ColumnContext& c) { return c.In(kReferenceModes) || c.settings.autoSelectReference; }
bool ReferenceAdditionalShown(const ColumnContext& c) { return c.settings.referenceStationAdditionalData; }
bool ReferenceStationShown(const ColumnContext& c) {
  return c.settings.autoSelectReference && c.settings.referenceStationAdditionalData;
}
bool NoiseShown(const ColumnContext& c) { return c.settings.autoSelectNoise; }
bool BusyShown(const ColumnContext& c) {
  return c.settings.autoSelectBusy || c.settings.propagationModelAdditionalData;
}

constexpr const char* kFrequencyTemplate = "-------10000.0(p3)-";

// In the order of the columns, left to right.
constexpr ColumnDeclaration kColumns[] = {
    {kColumnP3, "P3", kAllModes, Never, "", nullptr, kLeft, 0},
    {kColumnStation, "Station", kAllModes, nullptr, "------Station-", "---------------Station-", kLeft, 0},
    {kColumnRange, "Range", kAllModes, nullptr, "-Range-", nullptr, kRight, 0},
    {kColumnAzimuth, "Azimuth", kAllModes, AzimuthShown, "-Azimuth-", nullptr, kRight, 0},
    {kColumnFrequency, "Frequency", kReferenceModes, nullptr, kFrequencyTemplate, nullptr, kRight,
     Modes({kModeReferenceStations})},  // the stations to measure
    {kColumnRxPwr, "Rx Pwr", kReferenceModes, nullptr, "-Rx Pwr-", nullptr, kRight, 0},
    {kColumnRxSnr, "Rx Snr", kReferenceModes, nullptr, "-Rx Snr-", nullptr, kRight, 0},
    {kColumnRxCheck, "Rx Check", Modes({0, 1, 2, 5, 6}), nullptr, kFrequencyTemplate, nullptr, kLeft, kAllModes},
    {kColumnTxConnect, "Tx Connect", Modes({0, 1, 2, 5, 6}), nullptr, kFrequencyTemplate, nullptr, kLeft, kAllModes},
    {kColumnHistory, "History", kCallingModes, HistoryShown, "-History-", nullptr, kRight, 0},
    // Wider than the heading: "> 16900.0" must fit whole.
    {kColumnLufMuf, "LUF-MUF", kAllModes, nullptr, "-> 16900.0-", nullptr, kRight, 0},
    {kColumnLayer, "Layer", kAllModes, nullptr, "-Layer-", nullptr, kCenter, 0},
    {kColumnTAng, "T Ang", kAllModes, AdditionalData, "-T Ang-", nullptr, kRight, 0},
    {kColumnSDbw, "S dBw", kReferenceModes, AdditionalData, "-S dBw-", nullptr, kRight, 0},
    {kColumnNDbw, "N dBw", kReferenceModes, AdditionalData, "-N dBw-", nullptr, kRight, 0},
    {kColumnSnr, "Snr", kAllModes, nullptr, "----Snr--", "---Snr-", kRight, 0},
    {kColumnSlope, "Slope", kAllModes, SlopeShown, "-Slope-", nullptr, kRight, 0},
    {kColumnStnAz, "Stn Az", kAllModes, AdditionalData, "-Stn Az-", nullptr, kRight, 0},
    {kColumnStnAnt, "Stn Ant", kAllModes, AdditionalData, "-Stn Ant-", nullptr, kRight, 0},
    {kColumnRef, "Ref", Modes({0, 1, 2, 3, 4, 5}), ReferenceShown, "--Ref-", nullptr, kRight, 0},
    {kColumnFitErr, "Fit Err", Modes({kModeReferenceData}), ReferenceAdditionalShown, "-Fit Err-", nullptr, kRight, 0},
    {kColumnFitRms, "Fit Rms", Modes({kModeReferenceData}), ReferenceAdditionalShown, "-Fit Rms-", nullptr, kRight, 0},
    {kColumnRefStn, "Ref Stn", kCallingModes, ReferenceStationShown, "-----Ref-Stn-", nullptr, kLeft, 0},
    {kColumnRefRng, "Ref Rng", kCallingModes, ReferenceStationShown, "-Ref-Rng-", nullptr, kRight, 0},
    {kColumnRefFreq, "Ref Freq", kCallingModes, ReferenceStationShown, "-Ref-Freq-", nullptr, kRight, 0},
    {kColumnNoise, "Noise", kCallingModes, NoiseShown, "-Noise-", nullptr, kRight, 0},
    {kColumnBusy, "Busy", Modes({0, 1, 2, 5, 6}), BusyShown, "-Busy-", nullptr, kRight, 0},
    {kColumnBusyNote, "", kAllModes, Never, "", nullptr, kLeft, 0},
};
constexpr bool InColumnOrder() {
  for (int i = 0; i < kColumnCount; ++i)
    if (kColumns[i].column != i) return false;
  return true;
}
static_assert(std::size(kColumns) == kColumnCount && InColumnOrder(), "one declaration per column, in order");

struct ToolTip {
  std::string_view heading, text;
};

const ToolTip kToolTips[] = {
    {"Azimuth", "Station Azimuth (Deg)"},
    {"Busy", "Busy at this Hour (%)"},
    {"Fit Err", "Error between Propagation and Measured Snr"},
    {"Fit Rms", "Root-Mean-Square Error between Propagation and Measured Snr"},
    {"Frequency", "Frequency (kHz)"},
    {"Layer", "Ionispheric Layer, [Hops][Layer]"},
    {"LUF-MUF", "[<Lower][Maximun][>Maximun] Usable Frequency"},
    {"N dBw", "Noise Level (dBw)"},
    {"Noise", "Measured Noise Level"},
    {"Range", "Station Range (nmi)"},
    {"Ref", "Reference Level"},
    {"Ref Freq", "Reference Station Frequency (kHz)"},
    {"Ref Rng", "Reference Station Range"},
    {"Ref Stn", "Reference Station Id"},
    {"Rx Check", "Check Frequency (hKz)"},
    {"Rx Pwr", "Measured Received Power Level"},
    {"Rx Snr", "Measured Received Snr (dB)"},
    {"S dBw", "Signal Level (dBw)"},
    {"Slope", "Snr Slope (dB/Hr)"},
    {"Snr", "Signal to Noise Ratio (dB)"},
    {"Station", "Station (Id)"},
    {"Stn Ant", "Station Antenna Offset (dB)"},
    {"Stn Az", "Station to Ship Azimuth (Deg)"},
    {"T Ang", "Ionispheric Takeoff Angle (Deg)"},
    {"Tx Connect", "Connect Frequency (hKz)"},
    {"# Freq", "Number of Frequencies"},
    {"# Stn", "Number of Stations"},
};

ColumnContext ContextOf(int mode, const AutoConnectSettings& settings) {
  return {mode < 0 || mode > kModeScanStations ? 0 : mode, settings};
}

bool Shown(const ColumnDeclaration& d, const ColumnContext& context) {
  return context.In(d.modes) && (!d.shown || d.shown(context));
}

}  // namespace

bool ColumnShown(FrequencyColumn column, int mode, const AutoConnectSettings& settings) {
  return column >= 0 && column < kColumnCount && Shown(kColumns[column], ContextOf(mode, settings));
}

std::vector<TableColumn> FrequencyColumns(int mode, const AutoConnectSettings& settings, const TextWidth& measure) {
  ColumnContext context = ContextOf(mode, settings);
  std::vector<TableColumn> columns;
  columns.reserve(kColumnCount);
  for (const auto& d : kColumns) {
    TableColumn column;
    column.align = d.align;
    column.checkBoxes = context.In(d.checkBoxes);
    if (Shown(d, context)) {
      column.heading = d.heading;
      const char* widthTemplate =
          context.In(kReferenceModes) && d.referenceWidthTemplate ? d.referenceWidthTemplate : d.widthTemplate;
      column.width = measure(widthTemplate);
    }
    columns.push_back(std::move(column));
  }
  return columns;
}

void ColumnsBuild(FrequencyTable& table, int mode, const AutoConnectSettings& settings, const TextWidth& measure) {
  table.Clear(FrequencyColumns(mode, settings, measure));
}

std::string_view ColumnToolTip(std::string_view heading) {
  for (const auto& tip : kToolTips)
    if (tip.heading == heading) return tip.text;
  return {};
}

}  // namespace velmora
