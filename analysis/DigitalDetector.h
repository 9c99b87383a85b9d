#pragma once
// Digital transmissions other than Pactor (OFDM, FSK, PSK, MFSK modems) in
// the 200..3000 Hz passband, told from the channel's noise by what every
// such modem keeps and noise never has, whatever data it sends and however
// a receiver shaped and levelled the noise: an envelope steadier than
// noise's (one tone at a time, or phases on a constant amplitude), or a
// spectrum that repeats itself at a fixed spacing from buffer to buffer
// (OFDM's carriers with their cyclic prefix, tone grids). Neither depends
// on the spectrum's shape or level, so a receiver's passband and AGC, a
// fading channel's notches and the floor heard before do not matter; mains
// hum and other steady lines are left out first.
#include <string_view>

#include "analysis/BandSignal.h"
#include "analysis/DetectorDrawing.h"
#include "analysis/DetectorResults.h"
#include "analysis/EnvelopeSteadiness.h"
#include "analysis/PowerDensity.h"
#include "analysis/SteadySpectrum.h"
#include "analysis/SymbolRepetition.h"

namespace velmora {

inline constexpr std::string_view kDigitalLabel = "Digital";

class DigitalDetector {
 public:
  // Sample continuity was broken: the evidence starts again.
  void Restart();
  // Follows the buffer and, when it may speak (the power gate is open),
  // says whether a modem is on the channel.
  bool Detect(const PowerDensity& spectrum, float bufferSeconds, bool speak, DetectorResults& results,
              DetectorDrawing& drawing);

  // The two figures it decides by (for measurements).
  double Steadiness() const { return envelope_.Ratio(); }
  double Repetition() const { return repetition_.Ratio(); }

 private:
  void DrawBand(DetectorDrawing& drawing) const;

  BandSignal buffer_;
  SteadySpectrum steady_;
  EnvelopeSteadiness envelope_;
  SymbolRepetition repetition_;
  double since_ = 1e9;  // seconds since a modem was last found
  double found_ = 0;    // seconds it had been found then without a break
};

}  // namespace velmora
