#pragma once
// Digital transmissions other than Pactor (OFDM, FSK, PSK, MFSK modems) in
// the 250..2950 Hz passband, told from the channel's noise by what such
// modems keep whatever data they send and noise never has, however a
// receiver shaped and levelled it: an envelope steadier than noise's over a
// few hundredths of a second (one tone at a time, phases on a constant
// amplitude); a spectrum that repeats itself at a carrier spacing, steadily
// from buffer to buffer (OFDM's cyclic prefix; a comb of narrow lines such
// as hum repeats at twice its spacing too and does not count); or a band
// narrower than any receiver's passband standing above the levels beside
// it; or, for a 2-PSK whose envelope long echoes unsettle, one line in the
// signal squared. None needs the noise heard before or a flat spectrum, so
// a modem on from the first buffer counts, and a receiver's passband and
// AGC or a fading channel's notches do not; steady lines (mains hum,
// carriers) are left out first. A modem found for a while stays found as
// long again, up to 5 s: through a fade or an ARQ pause.
#include <string_view>

#include "analysis/BandSignal.h"
#include "analysis/DetectorDrawing.h"
#include "analysis/DetectorResults.h"
#include "analysis/DoubledCarrier.h"
#include "analysis/EnvelopeSteadiness.h"
#include "analysis/PowerDensity.h"
#include "analysis/AveragedLevels.h"
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

 private:
  void DrawBand(DetectorDrawing& drawing) const;

  BandSignal buffer_;
  AveragedLevels steady_;
  EnvelopeSteadiness envelope_;
  SymbolRepetition repetition_;
  DoubledCarrier carrier_;
  double since_ = 1e9;  // seconds since a modem was last found
  double found_ = 0;    // seconds it had been found then without a break
  double mainsSince_ = 1e9;  // seconds since mains hum was last found
};

}  // namespace velmora
