#include "selection/DataModeTables.h"

#include "airmail/StationEntries.h"
#include "airmail/StationRanges.h"
#include "selection/DataConditions.h"
#include "selection/TableColumns.h"
#include "selection/TableSort.h"

namespace velmora {

UtcDateTime DataModeTables::PredictionTime() const { return velmora::PredictionTime(settings_, clock_); }

std::vector<std::string> DataModeTables::ReferenceStationSet(std::string_view system) {
  std::vector<std::string> stations;
  if (settings_.referenceStationAllStations) {
    auto all = StationGetAll(s_.data, system, s_.geometry.ShipPosition());
    if (!all) return {};
    for (const auto& station : *all) {
      if (static_cast<int>(stations.size()) >= settings_.referenceStationAllStationsLimit) break;
      stations.push_back(station.key);
    }
    return stations;
  }
  SelectionList listed;
  if (!StationGetListSelected(s_.data, system, listed, settings_.referenceStationStationIndex)) return {};
  for (int i = 0; i < static_cast<int>(listed.entries.size()); ++i)
    if (!settings_.referenceStationSelectStation || i == listed.selected)
      stations.push_back(StationFromStationName(s_.data, system, listed.entries[static_cast<size_t>(i)]));
  return stations;
}

void DataModeTables::ReferenceStationsFill(FrequencyTable& table, std::string_view system) {
  auto ship = s_.geometry.ShipPosition();
  if (!ship) return;
  auto stations = ReferenceStationSet(system);
  StationRows rows(table, settings_, kModeReferenceStations, s_, *ship, PredictionTime());
  {
    PredictionFill fill(s_.predictions, stations.size());
    for (const auto& station : stations) {
      int first = 0, last = -1;
      if (!rows.StationRowsAddAndFill(system, station, first, last)) break;
    }
  }
  // Nearest station first, each station's frequencies upwards.
  const SortKey order[] = {{kColumnRange, kSortNumericAscending},
                           {kColumnStation, kSortTextAscending},
                           {kColumnFrequency, kSortNumericAscending}};
  SortRows(table, 1, table.DataRows(), order, s_.data.Messages());
}

void DataModeTables::ReferenceDataFill(FrequencyTable& table) {
  reference_.reset();
  fitShown_ = {};
  fitLabel_.clear();
  if (!settings_.referenceDataFile.empty())
    reference_ = ReferenceDataRecall(table, DataFileFollow(settings_.referenceDataFile, s_.programFolder),
                                     settings_.referenceDataReference, s_.data.Messages());
  std::optional<double> original;
  if (reference_) {
    fitShown_ = reference_->fit;
    if (settings_.referenceDataRecompute) {
      fitShown_ = ReferenceDataRecompute(table, settings_, s_, reference_->conditions);
      if (settings_.referenceDataRecomputeDifference) original = reference_->fit.rms;
    }
  }
  if (fitAllFiles_) {
    fitShown_ = ReferenceListBuild(s_.programFolder, settings_, s_).allFiles;
    original.reset();
  }
  if (reference_ || fitAllFiles_) fitLabel_ = FitRmsText(fitShown_.rms, original);
}

void DataModeTables::NoConnectDataFill(FrequencyTable& table, std::string_view file) {
  noConnect_ = NoConnectDataRecall(table, DataFileFollow(file, s_.programFolder), s_.data.Messages());
  if (noConnect_ && settings_.noConnectDataRecalculate)
    NoConnectRecalculate(table, settings_, s_, noConnect_->conditions, PredictionTime(),
                         settings_.noConnectDataRecalculateDifference);
}

}  // namespace velmora
