#include "selection/StationRows.h"

#include <vector>

#include "airmail/StationLists.h"
#include "common/Format.h"
#include "common/TextParse.h"
#include "selection/StationHistoryData.h"
#include "selection/StationOffsets.h"
#include "selection/TableColumns.h"

namespace velmora {
namespace {

std::string Padded(std::string number) {
  if (number.size() < 7) number.insert(0, 3 * (7 - number.size()), ' ');
  return number;
}

}  // namespace

std::string LufMufText(double frequency, double luf, double muf) {
  if (frequency > muf) return "> " + Padded(FormatNumber(muf, "0.0"));
  if (frequency < luf) return "< " + Padded(FormatNumber(luf, "0.0"));
  return FormatNumber(muf, "0.0");
}

// The mode text as the prediction gives it, leading blank included.
std::string LayerText(std::string_view mode) { return "  " + std::string(mode) + "  "; }

int StationRows::FrequencyColumnOf() const {
  return mode_ == kModeReferenceStations || mode_ == kModeReferenceData ? kColumnFrequency : kColumnTxConnect;
}

bool StationRows::StationRowsAdd(std::string_view system, std::string_view station, int& first, int& last) {
  std::vector<FrequencyRow> rows;
  first = table_.Rows();
  last = first - 1;
  // A file that cannot be read is told by the reading of the one station.
  const StationFile* file = stations_.Of(s_.data, system);
  if (!(file ? StationFrequencyListGet(*file, station, rows) : StationFrequencyListGet(s_.data, system, station, rows)))
    return false;
  for (const auto& r : rows) {
    int row = table_.RowAdd();
    table_.CellSet(row, kColumnP3, r.pactor3 ? "P3" : "");
    table_.CellSet(row, kColumnStation, r.station);
    table_.CheckCellSet(row, kColumnFrequency, r.label, true);  // a box only in mode 3
    table_.CheckCellSet(row, kColumnRxCheck, r.label, true);
    table_.CheckCellSet(row, kColumnTxConnect, r.label, true);
    last = row;
  }
  if (s_.occupancy && ColumnShown(kColumnBusy, mode_, settings_))
    if (const OccupancyNow* now = s_.occupancy->OccupancyAtThisHour()) BusyCellsFill(table_, first, last, system, *now);
  return true;
}

void StationRows::StationRowsAhead(std::string_view system, const std::vector<std::string_view>& stations) {
  RecordingMessenger quiet;
  AirmailDataFolder data(s_.data.Folder(), quiet);
  // Read once for all the stations.
  FileFailure failure;
  auto file = StationFile::Load(data, system, failure);
  if (!file) return;
  std::vector<PredictionRequest> requests;
  for (auto station : stations) {
    std::vector<FrequencyRow> rows;
    if (!StationFrequencyListGet(*file, station, rows) || rows.empty()) break;
    auto position = s_.geometry.StationPosition(system, station);
    if (!position) break;
    PredictionRequest request{std::string(system), std::string(station), *position, ship_, time_, {}, std::nullopt};
    for (const auto& r : rows) request.frequencies.push_back(Val(r.label));
    requests.push_back(std::move(request));
  }
  if (!requests.empty()) s_.predictions.PredictionsAhead(requests);
}

bool StationRows::StationRowsFill(std::string_view system, std::string_view station, int first, int last) {
  auto position = s_.geometry.StationPosition(system, station);
  if (!position) return false;
  auto bearing = s_.geometry.Bearing(ship_, *position);
  PredictionRequest request{std::string(system), std::string(station), *position, ship_, time_, {}, sunSpotNumber_};
  for (int row = first; row <= last; ++row) {
    table_.CellSet(row, kColumnRange, FormatNumber(bearing.range, "0"));
    table_.CellSet(row, kColumnAzimuth, bearing.azimuth ? FormatNumber(*bearing.azimuth, "0") : "");
    request.frequencies.push_back(table_.CellValue(row, FrequencyColumnOf()));
  }
  auto prediction = s_.predictions.PredictionGet(request);
  if (!prediction) return false;
  for (int row = first; row <= last; ++row) {
    size_t index = static_cast<size_t>(row - first);
    PredictionWrite(row, *prediction, index, request.frequencies[index]);
  }
  CorrectionsApply(system, station, first, last, prediction->transmitterAzimuth);
  return true;
}

void StationRows::PredictionWrite(int row, const PredictionNow& prediction, size_t index, double frequency) {
  table_.CellSet(row, kColumnLufMuf, LufMufText(frequency, prediction.luf, prediction.muf));
  table_.CellSet(row, kColumnStnAz, FormatNumber(prediction.transmitterAzimuth, "0"));
  // A prediction that came back short leaves the rest of the row empty.
  if (index >= prediction.frequencies.size()) return;
  const FrequencyPrediction& p = prediction.frequencies[index];
  bool slopeAdded = settings_.autoSelectSnr && settings_.autoSelectAddSnrSlope &&
                    (mode_ == kModeMultipleFrequencies || mode_ == kModeMultipleStations);
  table_.CellSet(row, kColumnLayer, LayerText(p.mode));
  table_.CellSet(row, kColumnTAng, FormatNumber(p.takeoffAngle, "0.0"));
  table_.CellSet(row, kColumnSDbw, FormatNumber(p.signal, "0"));
  table_.CellSet(row, kColumnNDbw, FormatNumber(p.noise, "0"));
  table_.CellSet(row, kColumnSnr, FormatNumber(slopeAdded ? p.snr + p.snrSlope : p.snr, "0.0"));
  table_.CellSet(row, kColumnSlope, FormatNumber(p.snrSlope, "0.0"));
}

void StationRows::CorrectionsApply(std::string_view system, std::string_view station, int first, int last,
                                   double azimuth) {
  if (settings_.stationOffset) {
    StationOffsetRows rows{system, station, first, last, azimuth, time_.hour * 100 + time_.minute,
                           FrequencyColumnOf(), kColumnSnr, kColumnStnAnt, true, mode_};
    if (!offsets_ || offsetsSystem_ != system) {
      offsets_ = StationOffsetDataGet(s_.programFolder / kStationOffsetDataFile, system, s_.data);
      offsetsSystem_ = system;
    }
    StationOffsetGet(table_, rows, *offsets_, s_.data.Messages(), s_.colors);
  }
  if (settings_.stationHistory) {
    StationHistoryRows rows{system, station, first, last, FrequencyColumnOf(), kColumnSnr, kColumnHistory, true};
    StationHistoryGet(table_, rows, s_.programFolder / kStationHistoryDataFile, s_.colors);
  }
}

}  // namespace velmora
