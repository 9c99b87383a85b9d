#pragma once
// Pactor through fading channels, with "Pactor Fading" off and on: the share
// of the buffers inside transmissions found busy and the longest run of
// free buffers, per form, channel and SNR; and the busy share of signals
// that are not Pactor. The channels and seeds the rules were tuned on
// ("seen") are kept apart from those that only measure them ("unseen").
#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "analysis/DetectorSettings.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora::signalgen {

// A signal run buffer by buffer through the analysis.
struct FadingCounts {
  int inside = 0;      // buffers wholly inside the wanted signal (every buffer of a signal without pauses)
  int insideBusy = 0;
  int all = 0;
  int allBusy = 0;
  int longestFree = 0;  // buffers in a row found free
};
FadingCounts CountFading(std::span<const float> samples, std::span<const std::uint8_t> on,
                         const DetectorSettings& settings, std::int32_t sampleSize);

struct FadingSweepOptions {
  double seconds = 60;
  std::int32_t sampleSize = 2048;
  bool link = false;  // both stations of a link and its pauses, instead of one side's steady rhythm
  std::vector<double> snrs = {3, 6, 10};
  std::vector<double> otherSnrs = {0, 10, 20, 30};
};

// The Pactor forms measured: Pactor 2 (0) and the Pactor 3 forms (3 stands
// for 4 as well, whose tones it shares).
inline constexpr int kFadingForms[] = {0, 1, 2, 3, 5, 6};
// The seeds of the tuning and those kept apart.
inline constexpr std::uint64_t kSeenSeeds[] = {1, 2};
inline constexpr std::uint64_t kUnseenSeeds[] = {21, 22, 23, 24};
// Delays and spreads kept apart from the tuning, besides the named channels.
std::vector<FadingChannel> UnseenChannels();

// A Pactor form through a channel, its noise not yet added.
SignalRecipe FadingRecipe(int form, const FadingChannel& channel, std::uint64_t seed, double seconds, bool link);

void RunFadingSweep(const FadingSweepOptions& options, std::ostream& out);
// CW, FAX-like and WWV-like signals through the named channels, in their own
// mode and with the default settings, and what the CW, FAX and WWV modes find
// on receiver noise and on a faded Pactor 3 link.
void RunOtherFadingSweep(double seconds, std::int32_t sampleSize, std::ostream& out);

}  // namespace velmora::signalgen
