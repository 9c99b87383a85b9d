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
// long again, up to 5 s: through a fade or an ARQ pause. It judges 2048
// samples at a time whatever the sample size, the size its rules were
// chosen for and the size AutoConnect listens with.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

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
inline constexpr std::int32_t kDigitalBlock = 2048;  // samples judged at a time

class DigitalDetector {
 public:
  // A block needs its transform alone.
  DigitalDetector() {
    block_.KeepTransform(true);
    block_.KeepDensities(false);
  }
  // Sample continuity was broken: the evidence starts again.
  void Restart();
  // Follows the buffer and, when it may speak (the power gate is open),
  // says whether a modem is on the channel.
  bool Detect(const PowerDensity& spectrum, float bufferSeconds, bool speak, DetectorResults& results,
              DetectorDrawing& drawing);

 private:
  // Whether a modem is found (or held), from one block's transform;
  // nothing when the transform was not kept.
  std::optional<bool> Judge(const PowerDensity& spectrum, float bufferSeconds);
  bool JudgeBlocks(std::span<const std::int16_t> samples);
  void DrawBand(DetectorDrawing& drawing) const;

  PowerDensity block_;                 // a block of another sample size's buffers
  std::vector<std::int16_t> pending_;  // ... and the samples it waits for
  bool blockFound_ = false;            // the last blocks' answer
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
