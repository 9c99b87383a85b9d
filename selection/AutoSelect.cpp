#include "selection/AutoSelect.h"

#include <algorithm>
#include <limits>

#include "airmail/StationFile.h"
#include "airmail/StationLists.h"
#include "airmail/StationRadioData.h"
#include "common/Format.h"
#include "common/TextParse.h"
#include "selection/DataConditions.h"
#include "selection/TableColumns.h"
#include "selection/TableSort.h"
#include "common/UtcAddHours.h"

namespace velmora {
namespace {

constexpr int kUnranked = 1000;  // rank of a row too far below the best SNR

std::vector<std::string> SplitSelected(std::string_view selected) {
  std::vector<std::string> keys;
  size_t start = 0;
  while (start <= selected.size() && keys.size() < kSelectedStationsMax) {
    size_t end = selected.find(',', start);
    if (end == std::string_view::npos) end = selected.size();
    auto key = Trim(selected.substr(start, end - start));
    if (!key.empty()) keys.emplace_back(key);
    start = end + 1;
  }
  return keys;
}

// AirMail's "Selected" list whole: through the profile buffer of 1024
// characters a list of some 200 stations would lose its end and keep its
// last station's name cut short, naming another station or none.
std::string SelectedWhole(const AirmailDataFolder& data, std::string_view system) {
  FileFailure failure;
  auto file = StationFile::Load(data, system, failure);
  auto whole = file ? file->WholeValue("Frequency Setup", "Selected") : std::nullopt;
  return whole ? ProfileDocument::ValueAsRead(*whole, whole->size() + 1) : std::string();
}

FrequencyRow RowOf(const FrequencyTable& table, int row) {
  FrequencyRow r;
  r.station = table.CellGet(row, kColumnStation);
  r.label = table.CellGet(row, kColumnTxConnect);
  r.pactor3 = table.CenterFrequencyIsPactor3(row, kColumnP3);
  r.checked = table.CheckGet(row, kColumnTxConnect);
  return r;
}

// The geometry with each station's position asked for once.
class PositionsOnce final : public StationGeometry {
 public:
  using Known = std::map<std::pair<std::string, std::string>, std::optional<LatLon>>;
  PositionsOnce(StationGeometry& geometry, Known& known) : geometry_(geometry), known_(known) {}
  std::optional<LatLon> ShipPosition() override { return geometry_.ShipPosition(); }
  std::optional<LatLon> StationPosition(std::string_view system, std::string_view station) override {
    auto key = std::make_pair(std::string(system), std::string(station));
    auto at = known_.find(key);
    if (at == known_.end()) at = known_.emplace(key, geometry_.StationPosition(system, station)).first;
    return at->second;
  }
  StationBearing Bearing(const LatLon& ship, const LatLon& station) override {
    return geometry_.Bearing(ship, station);
  }

 private:
  StationGeometry& geometry_;
  Known& known_;
};

// Tells each text once; the texts told are kept by the caller.
class MessagesOnce final : public Messenger {
 public:
  MessagesOnce(Messenger& messages, std::set<std::string>& told) : messages_(messages), told_(told) {}
  void Show(std::string_view text, MessageIcon icon, std::string_view title) override {
    if (told_.emplace(text).second) messages_.Show(text, icon, title);
  }
  bool AskYesNo(std::string_view text, MessageIcon icon, std::string_view title) override {
    return messages_.AskYesNo(text, icon, title);
  }

 private:
  Messenger& messages_;
  std::set<std::string>& told_;
};

}  // namespace

std::optional<std::vector<std::string>> AutoSelectStationSet(const AirmailDataFolder& data, std::string_view system,
                                                             const AutoConnectSettings& settings,
                                                             const std::optional<LatLon>& ship) {
  if (!settings.autoSelectAllStations) {
    auto selected = SplitSelected(SelectedWhole(data, system));
    if (!selected.empty()) return selected;
  }
  auto all = StationGetAll(data, system, ship);
  if (!all) return std::nullopt;
  std::vector<std::string> keys;
  for (size_t i = 0; i < all->size() && i < kNearestStations; ++i) keys.push_back((*all)[i].key);
  return keys;
}

UtcDateTime AutoSelect::PredictionTime() const {
  return UtcAddHours(s_.clock.Now(), settings_.propagationModelTimeShift);
}

StationRows AutoSelect::RowsFor(const LatLon& ship) const {
  return StationRows(table_, settings_, mode_, s_.rows, ship, PredictionTime());
}

bool AutoSelect::Ham() const { return ToUpper(system_) == "HAM"; }

void AutoSelect::Uncheck(int row) {
  table_.CheckSet(row, kColumnRxCheck, false);
  table_.CheckSet(row, kColumnTxConnect, false);
}

bool AutoSelect::AutoSelectOneStation(std::string_view station) {
  RedrawPause pause(table_);
  auto ship = s_.rows.geometry.ShipPosition();
  StationRows rows = RowsFor(ship.value_or(LatLon{}));
  int first = 0, last = -1;
  if (!rows.StationRowsAdd(system_, station, first, last) || !ship) return false;
  ship_ = ship;
  {
    PredictionFill fill(s_.rows.predictions, 1);
    if (!rows.StationRowsFill(system_, station, first, last)) return false;
  }
  OneStationSelect(station, first, last);
  if (settings_.autoSelectNoise) s_.window.NoiseSelectionStart();
  return AutoSelectCheck();
}

void AutoSelect::OneStationSelect(std::string_view station, int first, int& last) {
  if (Ham()) AutoSelectPactor(first, last, settings_.autoSelectPactorMode);
  // With a threshold to pass, the rule runs between the threshold and the top N.
  if (!settings_.autoSelectReference && !settings_.autoSelectSnr) AutoSelectBusy(first, last);
  if (settings_.autoSelectReference) AutoSelectReference(first, last);
  if (settings_.autoSelectSnr) AutoSelectSnr(first, last);
  if (settings_.stationStations) MultipleRadioReduce(station, first, last);
}

std::vector<std::string_view> AutoSelect::StationsInRange(const std::vector<std::string>& stations,
                                                          const LatLon& ship) {
  // A station without a position cannot be predicted (the geometry told
  // why); the others still can.
  std::vector<std::string_view> inRange;
  for (const auto& station : stations) {
    auto position = s_.rows.geometry.StationPosition(system_, station);
    if (position && s_.rows.geometry.Bearing(ship, *position).range <= settings_.autoSelectRangeMax)
      inRange.push_back(station);
  }
  if (inRange.size() <= kAutoSelectStationLimit) return inRange;
  // The first of them by name: a box naming hundreds grows past the
  // screen, its caption and OK button out of reach.
  constexpr size_t kLeftOutNamed = 20;
  std::string leftOut;
  size_t named = std::min(inRange.size(), kAutoSelectStationLimit + kLeftOutNamed);
  for (size_t i = kAutoSelectStationLimit; i < named; ++i)
    leftOut += (leftOut.empty() ? "" : ", ") + std::string(inRange[i]);
  if (named < inRange.size()) leftOut += " and " + std::to_string(inRange.size() - named) + " more";
  Messages().Show("AutoSelectStations, Predicted only the first " + std::to_string(kAutoSelectStationLimit) +
                      " of the " + std::to_string(inRange.size()) + " stations in range; left out: " + leftOut + ".",
                  MessageIcon::Exclamation);
  inRange.resize(kAutoSelectStationLimit);
  return inRange;
}

bool AutoSelect::AutoSelectStations(const std::vector<std::string>& stations, const LatLon& ship) {
  RedrawPause pause(table_);
  ship_ = ship;
  // Knowing them all first, the fill can say which station of how many it
  // is predicting.
  auto inRange = StationsInRange(stations, ship);
  {
    PredictionFill fill(s_.rows.predictions, inRange.size());
    StationRows rows = RowsFor(ship);
    rows.StationRowsAhead(system_, inRange);
    for (auto station : inRange) {
      int first = 0, last = -1;
      if (!rows.StationRowsAddAndFill(system_, station, first, last)) return false;
      StationSelect(station, first, last);
    }
  }
  bool selected = AutoSelectCheck();
  if (settings_.autoSelectSnr) AutoSelectAllStations(kColumnSnr, settings_.autoSelectSnrThreshold);
  if (settings_.autoSelectReference) AutoSelectAllStations(kColumnRef, 40);
  // The ranking counts every row, left out or not: its cut may leave none to call.
  if (selected) selected = AutoSelectCheck();
  AutoSelectSameFrequency();
  if (settings_.autoSelectNoise) s_.window.NoiseSelectionStart();
  return selected;
}

void AutoSelect::StationSelect(std::string_view station, int first, int& last) {
  if (Ham()) AutoSelectPactor(first, last, settings_.autoSelectPactorMode);
  if (!settings_.autoSelectReference && !settings_.autoSelectSnr) AutoSelectBusy(first, last);
  if (settings_.autoSelectSnr) AutoSelectSnr(first, last);
  if (settings_.autoSelectReference) AutoSelectReference(first, last);
  if (settings_.stationStations) MultipleRadioReduce(station, first, last);
}

void AutoSelect::AutoSelectPactor(int first, int last, int pactorMode) {
  if (pactorMode != 0 && pactorMode != 1) return;
  for (int row = first; row <= last; ++row) {
    if (!table_.CheckGet(row, kColumnTxConnect)) continue;
    bool pactor3 = table_.CenterFrequencyIsPactor3(row, kColumnP3);
    if (pactor3 == (pactorMode == 1)) table_.CheckSet(row, kColumnTxConnect, false);
  }
}

void AutoSelect::ReferenceFill(int first, int last) {
  if (!referenceRead_) {
    referenceRead_ = true;
    reference_ = ReferenceLookup::Load(DataFileFollow(settings_.referenceDataFile, s_.rows.programFolder), Messages());
  }
  if (!ship_) ship_ = s_.rows.geometry.ShipPosition();
  if (!reference_ || !ship_) return;
  PositionsOnce geometry(s_.rows.geometry, referencePositions_);
  ReferenceCellsFill(table_, first, last, *reference_, *ship_, settings_.autoSelectReferenceFrequencyLimit,
                     settings_.autoSelectReferenceRangeLimit, geometry);
}

void AutoSelect::AutoSelectReference(int first, int last) {
  ReferenceFill(first, last);
  // A row given no level (no reference data, none like it) is not judged by
  // one: read as 0 it would rank with the measured ones.
  auto level = [this](int row) { return !Trim(table_.CellGet(row, kColumnRef)).empty(); };
  bool passed = false;
  for (int row = first; row <= last; ++row) {
    if (!level(row)) continue;
    if (table_.CellValue(row, kColumnRef) < 0) Uncheck(row);
    else passed = true;
  }
  AutoSelectBusy(first, last);
  if (settings_.autoSelectNoise || !passed) return;
  const SortKey byReference[] = {{kColumnRef, kSortNumericDescending}};
  SortRows(table_, first, last, byReference, Messages());
  int kept = 0;
  for (int row = first; row <= last; ++row) {
    // A frequency left out already (by the Pactor filter, the SNR rules, a
    // level below 0, as usually busy) would hold a place with nothing to call.
    if (table_.CellGet(row, kColumnTxConnect).empty() || !table_.CheckGet(row, kColumnTxConnect) || !level(row))
      continue;
    if (++kept > settings_.autoSelectReferenceTopFrequencies) table_.CheckSet(row, kColumnTxConnect, false);
  }
  if (settings_.autoSelectReferenceTopFrequencies == 1) {
    const SortKey byFrequency[] = {{kColumnTxConnect, kSortNumericAscending}};
    SortRows(table_, first, last, byFrequency, Messages());
  }
}

void AutoSelect::AutoSelectSnr(int first, int last) {
  bool passed = false;
  for (int row = first; row <= last; ++row) {
    if (table_.CellValue(row, kColumnSnr) < settings_.autoSelectSnrThreshold) Uncheck(row);
    else passed = true;
  }
  AutoSelectBusy(first, last);
  if (settings_.autoSelectNoise || !passed) return;
  if (settings_.autoSelectHighestFrequency && settings_.autoSelectSnrTopFrequencies == 1)
    AutoSelectHighest(first, last);
  else
    AutoSelectSnrTop(first, last);
  if (settings_.autoSelectSnrTopFrequencies == 1 && last > first) {
    const SortKey byFrequency[] = {{kColumnTxConnect, kSortNumericAscending}};
    SortRows(table_, first, last, byFrequency, Messages());
  }
}

void AutoSelect::AutoSelectBusy(int first, int last) {
  if (!settings_.autoSelectBusy || !s_.rows.occupancy) return;
  const OccupancyNow* now = s_.rows.occupancy->OccupancyAtThisHour();
  if (!now) return;
  velmora::AutoSelectBusy(table_, first, last,
                          {*now, system_, settings_.autoSelectBusyThreshold,
                           settings_.autoSelectBusyMinutes, s_.rows.colors[kReasonUsuallyBusy]});
}

void AutoSelect::AutoSelectSnrTop(int first, int last) {
  const SortKey bySnr[] = {{kColumnSnr, kSortNumericDescending}, {kColumnTxConnect, kSortNumericDescending}};
  SortRows(table_, first, last, bySnr, Messages());
  int kept = 0;
  for (int row = first; row <= last; ++row) {
    if (!table_.CheckGet(row, kColumnTxConnect)) continue;
    if (++kept > settings_.autoSelectSnrTopFrequencies) table_.CheckSet(row, kColumnTxConnect, false);
  }
}

void AutoSelect::AutoSelectHighest(int first, int last) {
  double best = -1e30;
  for (int row = first; row <= last; ++row)
    if (table_.CheckGet(row, kColumnTxConnect)) best = std::max(best, table_.CellValue(row, kColumnSnr));
  const SortKey byFrequency[] = {{kColumnTxConnect, kSortNumericDescending}};
  if (last > first) SortRows(table_, first, last, byFrequency, Messages());

  int rankColumn = table_.ColumnAdd({});
  int counter = 0;
  for (int row = first; row <= last; ++row) {
    int rank = kUnranked;
    if (table_.CheckGet(row, kColumnTxConnect) &&
        best - table_.CellValue(row, kColumnSnr) <= settings_.autoSelectHighestSnrRange)
      rank = ++counter;
    table_.CellSet(row, rankColumn, IntegerText(rank));
  }
  const SortKey byRank[] = {{rankColumn, kSortNumericAscending},
                            {kColumnSnr, kSortNumericDescending},
                            {kColumnTxConnect, kSortNumericDescending}};
  if (last > first) SortRows(table_, first, last, byRank, Messages());

  counter = 1;
  for (int row = first; row <= last; ++row) {
    if (!table_.CheckGet(row, kColumnTxConnect)) continue;
    if (counter > settings_.autoSelectSnrTopFrequencies) {
      table_.CheckSet(row, kColumnTxConnect, false);
      continue;
    }
    ++counter;
    if (table_.CellValue(row, kColumnSnr) != best && table_.CellValue(row, rankColumn) < kUnranked)
      table_.CellColorSet(row, kColumnTxConnect, s_.rows.colors[kReasonHigherFrequency]);
  }
  table_.ColumnRemoveLast();
}

void AutoSelect::AutoSelectAllStations(int column, double drop) {
  if (table_.DataRows() < 1) return;
  double best = -std::numeric_limits<double>::infinity();
  for (int row = 1; row < table_.Rows(); ++row) best = std::max(best, table_.CellValue(row, column));
  if (best > 0)
    for (int row = table_.Rows() - 1; row >= 1; --row)
      if (table_.CellValue(row, column) < best - drop) table_.RowRemove(row);
  if (table_.DataRows() > 0) {
    const SortKey byColumn[] = {{column, kSortNumericDescending}};
    SortRows(table_, 1, table_.Rows() - 1, byColumn, Messages());
  }
  if (table_.DataRows() > settings_.autoSelectAllStationsLimit)
    table_.RowsCut(std::max(settings_.autoSelectAllStationsLimit, 0) + 1);
}

void AutoSelect::AutoSelectSameFrequency() {
  auto mark = [this](int column, bool bothCells) {
    for (int row = 1; row < table_.Rows(); ++row) {
      if (!table_.CheckGet(row, column)) continue;
      // By the number: one station's 7102.0(p3) is another's 7102.0.
      double frequency = table_.CellValue(row, column);
      auto station = table_.CellGet(row, kColumnStation);
      for (int other = 1; other < table_.Rows(); ++other) {
        if (table_.CellGet(other, kColumnStation) == station || !table_.CheckGet(other, column) ||
            table_.CellValue(other, column) != frequency)
          continue;
        Bgr shared = s_.rows.colors[kReasonSameFrequency];
        table_.CellColorSet(other, column, shared);
        if (bothCells) {
          table_.CellColorSet(other, kColumnRxCheck, shared);
          table_.CellColorSet(other, kColumnTxConnect, shared);
        }
      }
    }
  };
  mark(kColumnTxConnect, false);
  if (!settings_.connectTxOnly) mark(kColumnRxCheck, true);
}

bool AutoSelect::AutoSelectCheck() {
  int selected = 0;
  for (int row = table_.Rows() - 1; row >= 1; --row) {
    if (table_.CheckGet(row, kColumnTxConnect)) {
      ++selected;
      continue;
    }
    if (!settings_.connectTxOnly) continue;
    if (mode_ == kModeMultipleFrequencies) table_.CheckSet(row, kColumnRxCheck, false);
    else if (mode_ == kModeMultipleStations) table_.RowRemove(row);
  }
  if (selected > 0) return true;
  s_.window.WindowActivate();
  Messages().Show("Unable to select any of the listed connect frequencies given the current AutoSelect requirements.",
                  MessageIcon::Information);
  s_.window.UpdateStatusStatus("AutoSelect, No Frequencies");
  return false;
}

void AutoSelect::MultipleRadioReduce(std::string_view station, int first, int& last) {
  if (first > last) return;
  std::vector<FrequencyRow> before, kept;
  for (int row = first; row <= last; ++row) before.push_back(RowOf(table_, row));
  kept = before;
  size_t end = kept.size();
  MessagesOnce messages(Messages(), radioDataTold_);
  if (settings_.stationStationsFile == 0) {
    // An unreadable file has no groups: every row stays.
    if (const StationFile* file = stations_.Of(s_.rows.data, system_))
      FrequencyGroupFilter(*file, station, kept, 0, end);
  } else {
    StationStationsGetFile(s_.rows.programFolder / kStationRadioDataFile, messages, system_, station, kept, 0, end);
  }
  if (kept.size() == before.size()) return;
  // The filters keep the order, so the rows kept are found again in turn.
  std::vector<bool> stays(before.size(), false);
  for (size_t i = 0, k = 0; i < before.size(); ++i)
    if (k < kept.size() && kept[k] == before[i]) stays[i] = true, ++k;
  for (int row = last; row >= first; --row) {
    if (stays[static_cast<size_t>(row - first)]) continue;
    table_.RowRemove(row);
    --last;
  }
  for (int row = first; row <= last; ++row)
    table_.CellColorSet(row, kColumnStation, s_.rows.colors[kReasonMultipleRadios]);
}

}  // namespace velmora
