#include "selection/ReferenceLookup.h"

#include <cmath>
#include <limits>

#include "common/Format.h"
#include "common/RecordFile.h"
#include "common/TextParse.h"
#include "selection/DataConditions.h"
#include "selection/ReferenceData.h"
#include "selection/TableColumns.h"

namespace velmora {
namespace {

// |measured − wanted| in units of the limit's share of the measured value;
// no limit is no error. A measured 0 has no share to take: only the same
// value matches it, anything else is left out rather than made "NaN".
double RelativeError(double measured, double wanted, double limitPercent) {
  if (limitPercent == 0) return 0;
  double scale = limitPercent / 100 * measured;
  if (scale == 0) return measured == wanted ? 0 : std::numeric_limits<double>::infinity();
  return std::fabs(measured - wanted) / scale;
}

}  // namespace

std::optional<ReferenceLookup> ReferenceLookup::Load(const std::filesystem::path& file, Messenger& messages) {
  if (file.empty()) {
    messages.Show("No Reference Data has been Selected.", MessageIcon::Information);
    return std::nullopt;
  }
  FileFailure failure;
  auto text = ReadText(file, failure);
  if (!text) {
    // Named: selected in "Reference Data" long before, it may be gone since.
    messages.Show("ReferenceDataGetReference, " + ErrorText(failure.error) + "\r" + NotReadText(file) + ".",
                  MessageIcon::Exclamation);
    return std::nullopt;
  }
  DataFileLines lines(*text);
  Record conditions = lines.ConditionsLine() ? SplitRecord(*lines.ConditionsLine(), 0, kDataFileQuotes) : Record{};
  std::string system = conditions.empty() ? std::string() : std::string(Trim(conditions.front()));
  std::vector<ReferencePoint> points;
  while (auto line = lines.Next()) {
    auto fields = ReferenceRowRead(line->text);
    if (!fields) {
      messages.Show("ReferenceDataGetReference, " + TypeMismatch(line->number, line->text), MessageIcon::Exclamation);
      return std::nullopt;
    }
    // A row kept beside measured ones without a level of its own measured nothing.
    const std::string& level = (*fields)[kColumnRef];
    if (Trim(level).empty()) continue;
    points.push_back({std::string(Trim((*fields)[kColumnStation])), Val((*fields)[kColumnFrequency]),
                      *FieldNumber(level)});
  }
  return ReferenceLookup(std::move(system), std::move(points));
}

std::optional<ReferenceMatch> ReferenceLookup::Get(const LatLon& ship, double frequency, double range,
                                                   double frequencyLimit, double rangeLimit,
                                                   StationGeometry& geometry) const {
  std::optional<ReferenceMatch> best;
  double bestScore = std::numeric_limits<double>::infinity();
  double stationRange = 0;
  for (size_t i = 0; i < points_.size(); ++i) {
    const ReferencePoint& point = points_[i];
    if (i == 0 || point.station != points_[i - 1].station) {
      auto position = geometry.StationPosition(system_, point.station);
      if (!position) break;
      stationRange = geometry.Bearing(ship, *position).range;
    }
    ReferenceMatch candidate{point.station, point.frequency, stationRange, point.level, 0};
    const ReferencePoint* below = i > 0 && points_[i - 1].station == point.station ? &points_[i - 1] : nullptr;
    if (below && !(below->frequency <= frequency && frequency < point.frequency)) below = nullptr;
    if (below) {
      double f1 = below->frequency, f2 = point.frequency;
      candidate.level = below->level + (frequency - f1) * (point.level - below->level) / (f2 - f1);
      candidate.frequency = frequency - f1 <= f2 - frequency ? f1 : f2;
    }
    double ef = RelativeError(candidate.frequency, frequency, frequencyLimit);
    double er = RelativeError(stationRange, range, rangeLimit);
    double score = ef * ef + er * er;
    // Of equal scores the first read wins.
    if (score < bestScore) {
      bestScore = score;
      candidate.error = std::sqrt(score / 2);
      best = candidate;
    }
  }
  return best;
}

void ReferenceCellsFill(FrequencyTable& table, int first, int last, const ReferenceLookup& lookup,
                        const LatLon& ship, double frequencyLimit, double rangeLimit, StationGeometry& geometry) {
  for (int row = first; row <= last; ++row) {
    auto match = lookup.Get(ship, table.CellValue(row, kColumnTxConnect), table.CellValue(row, kColumnRange),
                            frequencyLimit, rangeLimit, geometry);
    if (!match) continue;
    table.CellSet(row, kColumnRef, FormatNumber(match->level, "0"), CellAlign::Right);
    table.CellSet(row, kColumnRefStn, match->station, CellAlign::Left);
    table.CellSet(row, kColumnRefRng, FormatNumber(match->range, "0"), CellAlign::Right);
    table.CellSet(row, kColumnRefFreq, FormatNumber(match->frequency, "0.0"), CellAlign::Right);
  }
}

}  // namespace velmora
