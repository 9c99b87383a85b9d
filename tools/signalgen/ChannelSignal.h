#pragma once
// A modem (or none) as a receiver hears it: the modem on from some point,
// faded by the path it came over, white noise at the ratio in 3 kHz,
// crashes from the antenna, then the receiver's filter, its AGC and the hum
// of its audio path.
#include <cstdint>
#include <vector>

#include "tools/signalgen/ModemSet.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora::signalgen {

struct ChannelRecipe {
  const ModemVariant* modem = nullptr;    // none: the channel alone
  const ChannelNoise* channel = nullptr;  // none: white noise alone
  FadingChannel fading{};                 // what the modem passes before the noise; static by default
  double snrDb = 10;                      // in 3 kHz; noise off when not finite
  double seconds = 30;
  double leadIn = 0;  // seconds of the channel alone first
  double rms = 3000;  // the modem's, A/D units
  std::uint64_t seed = 1;
  std::vector<float>* faded = nullptr;  // given: gets the modem as faded, before the noise
};

// The samples and, per sample, whether the modem is on.
Signal GenerateChannel(const ChannelRecipe& recipe);

}  // namespace velmora::signalgen
