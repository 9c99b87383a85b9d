#pragma once
// The spectrum averaged over the last second or so: the steady lines in the
// passband (mains hum with all its harmonics, carriers), whose bins the
// modem measures leave out,
// its floor, and the band a transmission occupies when it stands clearly
// above the levels beside it and is narrower than any receiver's passband.
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "analysis/BandSignal.h"

namespace velmora {

class AveragedLevels {
 public:
  void Restart() { first_ = true, known_ = false; }
  // The averages and, every few tenths of a second, the lines.
  void Follow(const BandSignal& buffer, float bufferSeconds);
  // The band, once the buffer's steady tones are taken out of its power
  // (a strong carrier's weighted skirts would stand as a narrow band).
  void FollowBand(const BandSignal& buffer);

  // The passband's bins (from the band signal's first) that hold a steady
  // line. Long transforms are followed in cells of a few bins.
  std::span<const std::uint8_t> Lines() const { return lines_; }
  // The lines found alone and those still to be told, in Hz.
  std::span<const double> Tones() const { return tones_; }
  // A low level of the spectrum over the passband and the quiet band above.
  double Floor() const { return floor_; }
  // The strongest band standing above the levels beside it, in Hz (0..0
  // when none), and whether it is narrower than a receiver's passband and
  // stands out in the present buffer too (not round a line still to be told).
  double BandLow() const { return bandLow_; }
  double BandHigh() const { return bandHigh_; }
  bool BandFound() const { return bandHigh_ > bandLow_; }
  bool NarrowBand() const { return narrow_; }
  // The passband's bins (from the band signal's first) on the flat top of
  // a band: within 6 dB of the strongest levels and 3 dB above the floor.
  std::span<const std::uint8_t> FlatTop() const { return flatTop_; }
  // Mains hum was found, its harmonics on a comb.
  bool Mains() const { return mains_; }
  // The lines have been looked for over enough buffers to tell a steady
  // one, and no peak is still told from a line only by what the first
  // buffer is taken to show: before that, some may not be left out.
  bool LinesKnown() const { return known_; }

 private:
  class Sums;
  void FindLines(const BandSignal& buffer, const Sums& sums);
  double MainsHarmonics() const;
  void LeaveOut(const BandSignal& buffer, double frequency, double halfWidth);
  void Levels(const BandSignal& buffer, std::span<const double> mean, const Sums& sums, std::vector<double>& lineFree,
              std::vector<double>& level);
  double Rank(std::span<const double> level, std::int32_t from, std::int32_t to, double share);
  void FindFlatTop(const BandSignal& buffer);
  void FindBand(const BandSignal& buffer, std::span<const double> lineFree, std::span<const double> level);
  double Over(std::span<const double> levels) const;
  bool Shouldered(std::span<const double> levels) const;

  bool first_ = true;
  std::int32_t n_ = 0;
  std::int32_t buffers_ = 0;      // since the start, while fewer than the memory holds
  std::int32_t group_ = 1;        // bins per cell
  std::vector<double> cells_;     // the buffer's power per cell (a bin, or the mean of a few)
  std::vector<double> mean_;      // power per cell, averaged over buffers
  std::vector<double> squares_;   // its square, averaged alike
  std::vector<double> tonelessCells_, tonelessMean_;  // the same with the steady tones taken out
  bool toneless_ = false;  // a tone has been taken out since the start: the two differ
  std::vector<double> lineFree_;  // the mean with the lines' bins as the bins beside them
  std::vector<double> level_;     // the line-free mean smoothed over neighbours
  std::vector<double> bandFree_, bandLevel_;  // the same of the toneless mean, for the band
  std::vector<double> levels_;    // a few of them, for ranks
  std::vector<double> meanSums_, tonelessSums_, freeSums_;  // running sums of the mean, the toneless, the line-free
  std::vector<std::uint8_t> lines_, flatTop_;
  std::vector<double> found_;  // Hz, the lines found alone
  std::vector<std::pair<double, double>> leftOut_;  // Hz: each line left out, and its bins' half width
  double share_ = 1;           // the present buffer's share in the averages
  bool searched_ = false;      // the lines were looked for in the present buffer
  double floor_ = 0;
  double sinceSearch_ = 0;  // seconds since the lines and the band were looked for
  double bandLow_ = 0, bandHigh_ = 0;
  std::int32_t low_ = 0, high_ = 0;             // the band's cells
  std::int32_t besideFrom_ = 1, besideTo_ = 1;  // the cells beside it, off each edge
  bool stands_ = false;                         // it stands above the levels beside it
  bool modemWide_ = false;                      // ... as wide as a modem's, narrower than the passband
  bool narrow_ = false;
  bool mains_ = false;
  bool known_ = false;
  std::vector<double> pending_;  // Hz, strong peaks steady but for the first buffer's share
  std::vector<double> tones_;    // Hz, both
  double firstWeight_ = 1;       // the first buffer's weight in the averages
};

}  // namespace velmora
