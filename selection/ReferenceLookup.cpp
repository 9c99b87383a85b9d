#include "selection/ReferenceLookup.h"

#include <cmath>
#include <limits>

#include "common/Format.h"
#include "common/RecordFile.h"
#include "common/TextParse.h"
#include "selection/DataConditions.h"
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
  auto lines = ReadTextLines(file, failure);
  if (!lines) {
    messages.Show("ReferenceDataGetReference, " + ErrorText(failure.error), MessageIcon::Exclamation);
    return std::nullopt;
  }
  std::string system = lines->size() > 1 ? std::string(Trim(SplitRecord((*lines)[1]).front())) : std::string();
  std::vector<ReferencePoint> points;
  for (size_t i = 3; i < lines->size(); ++i) {
    if (Trim((*lines)[i]).empty()) continue;
    Record fields = SplitRecord((*lines)[i]);
    if (fields.size() <= kColumnFrequency) continue;
    std::optional<double> level = 0.0;
    if (fields.size() > kColumnRef && !Trim(fields[kColumnRef]).empty()) level = FieldNumber(fields[kColumnRef]);
    if (!level) {
      messages.Show("ReferenceDataGetReference, " + TypeMismatch(i + 1, (*lines)[i]), MessageIcon::Exclamation);
      return std::nullopt;
    }
    points.push_back({std::string(Trim(fields[kColumnStation])), Val(fields[kColumnFrequency]), *level});
  }
  return ReferenceLookup(std::move(system), std::move(points));
}

std::optional<ReferenceMatch> ReferenceLookup::Get(const LatLon& ship, double frequency, double range,
                                                   double frequencyLimit, double rangeLimit,
                                                   StationGeometry& geometry) const {
  std::optional<ReferenceMatch> best;
  double bestScore = std::numeric_limits<double>::infinity();
  double stationRange = 0;
  size_t bestIndex = 0;
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
    // Interpolated towards the row before, the level is nearer the truth
    // than that row's own, which it replaces when they score alike.
    bool refinesBest = below && bestIndex + 1 == i && score == bestScore;
    if (score < bestScore || refinesBest) {
      bestScore = score;
      bestIndex = i;
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
