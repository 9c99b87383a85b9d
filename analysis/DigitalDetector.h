#pragma once
// Digital transmissions other than Pactor (OFDM, FSK, PSK, MFSK modems) in
// the 200..3000 Hz passband, told from the channel's noise by their shape:
// against a noise floor tracked bin by bin, a modem's signal fills a band
// with edges inside the passband, leaves the bins above it quiet (where an
// impulse or a static crash fills everything), is wider than a carrier, and
// keeps that band from one buffer to the next.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/DetectorDrawing.h"
#include "analysis/DetectorResults.h"
#include "analysis/PowerDensity.h"

namespace velmora {

inline constexpr std::string_view kDigitalLabel = "Digital";

// The band a buffer's signal occupies, in Hz (0..0 when none).
struct OccupiedBand {
  double low = 0;
  double high = 0;
  bool modemLike = false;  // wide enough, filled enough, nothing above the passband
  double Width() const { return high - low; }
};

class DigitalDetector {
 public:
  // Sample continuity was broken: the floor and the evidence start again.
  void Restart() { first_ = true; }
  // Follows the floor with the buffer and, when it may speak (the power gate
  // is open), says whether a modem is on the channel: a modem-like band in
  // this buffer and the one before, overlapping.
  bool Detect(const PowerDensity& spectrum, float bufferSeconds, bool speak, DetectorResults& results,
              DetectorDrawing& drawing);

 private:
  struct Edges {
    std::int32_t low = 0, high = 0, inside = 0;  // first and last bin, bins occupied
  };
  void Follow(const PowerDensity& spectrum, float bufferSeconds);
  static Edges FindEdges(std::int32_t first, std::int32_t last, const std::function<bool(std::int32_t)>& occupied);
  bool WideAndFilled(const Edges& e, const std::vector<float>& levels, float resolution) const;
  OccupiedBand Measure(const PowerDensity& spectrum) const;
  OccupiedBand MeasureAlone(const PowerDensity& spectrum) const;

  bool first_ = true;
  std::int32_t n_ = 0;
  std::int32_t firstBin_ = 0;  // the bins followed: the passband and the quiet band above it
  std::int32_t lastBin_ = 0;
  std::vector<float> level_;  // dB per bin, smoothed over neighbours and buffers
  std::vector<float> now_;    // dB per bin, smoothed over neighbours in this buffer alone
  std::vector<float> floor_;  // dB per bin: falls at once, rises slowly
  OccupiedBand last_;
};

}  // namespace velmora
