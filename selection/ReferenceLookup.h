#pragma once
// The reference level of a candidate frequency in the calling modes: of the
// selected reference file's measurements, the one most like it in frequency
// and in range from the ship, interpolated between two frequencies of one
// reference station.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/Messages.h"
#include "selection/FrequencyTable.h"
#include "selection/SelectionPorts.h"

namespace velmora {

struct ReferenceMatch {
  std::string station;
  double frequency = 0;  // kHz
  double range = 0;      // nautical miles from the ship
  double level = 0;
  double error = 0;  // sqrt((ef² + er²) / 2), each relative to its limit
};

struct ReferencePoint {
  std::string station;
  double frequency = 0;
  double level = 0;
};

class ReferenceLookup {
 public:
  // The selected file read once for a fill: its measured rows, those kept
  // beside them without a level of their own left out. "No Reference Data
  // has been Selected." for no file, the reader's message for a bad one.
  static std::optional<ReferenceLookup> Load(const std::filesystem::path& file, Messenger& messages);

  explicit ReferenceLookup(std::string system, std::vector<ReferencePoint> points)
      : system_(std::move(system)), points_(std::move(points)) {}

  // The reference for a candidate at `frequency` kHz and `range` nmi; the
  // limits are per cent of the reference's frequency and range, 0 leaving
  // that error out; of equal scores the first read wins. A reference
  // station without a position ends the search.
  std::optional<ReferenceMatch> Get(const LatLon& ship, double frequency, double range, double frequencyLimit,
                                    double rangeLimit, StationGeometry& geometry) const;

 private:
  std::string system_;
  std::vector<ReferencePoint> points_;
};

// Fills "Ref", "Ref Stn", "Ref Rng" and "Ref Freq" of rows [first, last],
// whose "Range" is filled, from the lookup.
void ReferenceCellsFill(FrequencyTable& table, int first, int last, const ReferenceLookup& lookup,
                        const LatLon& ship, double frequencyLimit, double rangeLimit, StationGeometry& geometry);

}  // namespace velmora
