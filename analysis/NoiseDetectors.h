#pragma once
// The power gate and the two noise detectors: burst noise (a sudden rise or
// fall of the signal's envelope) and peak noise (a bin standing far above
// the band around the centre frequency).
#include <string>

#include "analysis/DetectorDrawing.h"
#include "analysis/DetectorResults.h"
#include "analysis/DetectorSettings.h"
#include "analysis/PowerDensity.h"

namespace velmora {

// True when the buffer's level reaches the power threshold.
bool DetectPower(const PowerDensity& spectrum, const DetectorSettings& settings, DetectorResults& results);

// The two envelopes of |sample - mean| carried from buffer to buffer.
class BurstDetector {
 public:
  // Sample continuity was broken: the envelopes start again on the next buffer.
  void Restart() { firstBuffer_ = true; }
  bool Detect(const PowerDensity& spectrum, const DetectorSettings& settings, DetectorResults& results,
              DetectorDrawing& drawing, std::string& panelText);

 private:
  float Follow(float x);
  bool firstBuffer_ = true;
  float fast_ = 0;
  float slow_ = 0;
};

bool DetectPeak(const PowerDensity& spectrum, const DetectorSettings& settings, DetectorResults& results,
                DetectorDrawing& drawing, std::string& panelText);

}  // namespace velmora
