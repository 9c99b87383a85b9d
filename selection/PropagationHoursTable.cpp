#include "selection/PropagationHoursTable.h"

#include <vector>

#include "airmail/FrequencyLabel.h"
#include "airmail/FrequencyLists.h"
#include "common/Format.h"
#include "selection/StationOffsets.h"

namespace velmora {
namespace {

bool IsPredictionHourColumn(int column) {
  return column >= kHoursFirstColumn && column < kHoursFirstColumn + kHoursOfDay;
}

// The station's offsets for each hour of the day, in bold. Offset records
// name frequencies as the frequency table shows them, "(p3)" included, so
// they are matched against the whole labels in a column of their own.
void OffsetsApply(FrequencyTable& table, const AutoConnectSettings& settings, std::string_view system,
                  std::string_view station, const std::vector<FrequencyRow>& rows, double azimuth,
                  const HoursTableServices& s) {
  auto records = StationOffsetDataGet(s.programFolder / kStationOffsetDataFile, system, s.data);
  if (records.empty()) return;
  int labels = table.ColumnAdd({});
  for (size_t k = 0; k < rows.size(); ++k) table.CellSet(static_cast<int>(k) + 1, labels, rows[k].label);
  for (int hour = 0; hour < kHoursOfDay; ++hour) {
    int column = kHoursFirstColumn + hour;
    StationOffsetRows offsetRows{system, station, 1, table.Rows() - 1, azimuth, hour * 100, labels, column,
                                 column + kHoursOffsetShift, false, settings.modeIndex,
                                 hour == 0};  // a record's missing frequency told once, not for every hour
    StationOffsetGet(table, offsetRows, records, s.data.Messages(), ReasonColors{});
  }
  table.ColumnRemoveLast();
}

}  // namespace

void HoursColumnsBuild(FrequencyTable& table, const TextWidth& measure) {
  std::vector<TableColumn> columns;
  columns.push_back({"Frequency", measure("----Frequency-"), CellAlign::Right, false});
  // Wide enough for an SNR far below zero ("-123") or one with its offset added ("66.0").
  for (int hour = 0; hour < kHoursOfDay; ++hour)
    columns.push_back({TwoDigits(hour), measure("--000-"), CellAlign::Right, false});
  for (int hour = 0; hour < kHoursOfDay; ++hour) columns.push_back({"", 0, CellAlign::Right, false});
  table.Clear(std::move(columns));
}

bool PropagationHoursFill(FrequencyTable& table, const AutoConnectSettings& settings, std::string_view system,
                          std::string_view station, const UtcDateTime& time, const HoursTableServices& s) {
  HoursColumnsBuild(table, s.measure);
  std::vector<FrequencyRow> rows;
  if (!StationFrequencyListGet(s.data, system, station, rows)) return false;
  PredictionRequest request{std::string(system), std::string(station), {}, {}, time, {}, {}};
  for (const auto& r : rows) {
    int row = table.RowAdd();
    table.CellSet(row, kHoursFrequencyColumn, WithoutPactor3Suffix(r.label));
    request.frequencies.push_back(table.CellValue(row, kHoursFrequencyColumn));
  }
  auto ship = s.geometry.ShipPosition();
  auto position = ship ? s.geometry.StationPosition(system, station) : std::nullopt;
  if (!position) return false;
  request.ship = *ship;
  request.stationPosition = *position;
  auto day = s.predictions.PredictionDayGet(request);
  if (!day || day->hours.size() < static_cast<size_t>(kHoursOfDay)) return false;
  for (size_t k = 0; k < rows.size(); ++k)
    for (int hour = 0; hour < kHoursOfDay; ++hour) {
      const auto& frequencies = day->hours[static_cast<size_t>(hour)].frequencies;
      if (k < frequencies.size())
        table.CellSet(static_cast<int>(k) + 1, kHoursFirstColumn + hour, FormatNumber(frequencies[k].snr, "0"));
    }
  if (settings.stationOffset) OffsetsApply(table, settings, system, station, rows, day->transmitterAzimuth, s);
  return true;
}

void HoursHighlight(FrequencyTable& table, int currentColumn, CellLook normal, CellLook current) {
  for (int row = 1; row < table.Rows(); ++row)
    for (int column = kHoursFrequencyColumn; column < kHoursFirstColumn + kHoursOfDay; ++column)
      table.CellLookSet(row, column, column == currentColumn ? current : normal);
}

std::string PropagationHoursToolTip(const FrequencyTable& table, int row, int column, int currentColumn) {
  if (row < 0 || row >= table.Rows()) return {};
  if (column == kHoursFrequencyColumn) return "Frequency (kHz)";
  if (!IsPredictionHourColumn(column)) return {};
  if (row == 0) {
    std::string text = "Zulu Time (" + TwoDigits(column - kHoursFirstColumn) + ")";
    return column == currentColumn ? text + ", Current Hour" : text;
  }
  if (table.CellAt(row, column).bold)
    return "Station Offset of " + table.CellGet(row, column + kHoursOffsetShift) + " dB";
  return "Signal-to-Noise (dB)";
}

}  // namespace velmora
