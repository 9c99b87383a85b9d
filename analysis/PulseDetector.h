#pragma once
// The pulse detector: inside buffers a Pactor detector has just found busy,
// it looks for a step in the energy of the high-passed signal between two
// steady halves of a 1000-sample window (a transmission beside its pause),
// and measures that step as the buffer's signal-to-noise figure.
#include <array>
#include <cstdint>
#include <string>

#include "analysis/DetectorDrawing.h"
#include "analysis/DetectorResults.h"
#include "analysis/DetectorSettings.h"
#include "analysis/PowerDensity.h"

namespace velmora {

class PulseDetector {
 public:
  // Sample continuity was broken: the ring and the filter start again on the next buffer.
  void Restart() { firstBuffer_ = true; }
  void Detect(bool busy, const PowerDensity& spectrum, const DetectorSettings& settings,
              DetectorResults& results, DetectorDrawing& drawing, std::string& panelText);

  // The running window sums, which the pulse search reads: energies by age,
  // the age of the current sample's energy being 0 and that of the previous one 1.
  struct Sums {
    double oldQuarter = 0;  // ages 776..1000
    double oldHalf = 0;     // ages 551..1000
    double older = 0;       // ages 501..1000
    double newQuarter = 0;  // ages 0..224
    double newHalf = 0;     // ages 0..449
    double newer = 0;       // ages 0..499
  };

 private:
  static constexpr std::size_t kRing = 1024;  // holds ages 1..1023: enough for age 1001 leaving
  double Age(std::size_t age) const { return ring_[(write_ + kRing - age) % kRing]; }
  void Reset();
  double Filter(double x);

  bool firstBuffer_ = true;
  std::array<double, kRing> ring_{};
  std::size_t write_ = 0;
  Sums sums_;
  double low_ = 0;
  double previousHigh_ = 0;
};

}  // namespace velmora
