#pragma once
// What the receiving chain after the receiver does to the audio: a sound
// card's clock off nominal, an input gain that clips at full scale, a DC
// offset, 8-bit samples. Applied to a generated signal before it becomes
// the samples the program reads.
#include <cstdint>
#include <iosfwd>
#include <span>
#include <vector>

namespace velmora::signalgen {

// The samples as a card whose clock runs `clock` fast (0.002: 0.2 %) takes
// them: every frequency lands 1 / (1 + clock) of where it was, and the
// recording is 1 + clock times as long. Windowed-sinc interpolation.
std::vector<float> ResampleForClock(std::span<const float> samples, double clock);
// Which samples the signal is on, after the same clock.
std::vector<std::uint8_t> ResampleMaskForClock(std::span<const std::uint8_t> on, double clock);

struct ChainFault {
  double clock = 0;      // fraction fast
  double gain = 1;       // before the converter
  double dc = 0;         // A/D units
  bool eightBit = false;  // 8-bit samples, widened as the program widens them
};

// The 16-bit samples the program gets: clock, gain and DC applied, clipped
// at full scale and rounded (to the 8-bit steps when eightBit).
std::vector<std::int16_t> ThroughChain(std::span<const float> samples, const ChainFault& fault);

// --sweep-chain: every busy form in its mode and the free channel through
// each fault, per cent found busy (detected), seeds 1, 2 and 21 to 24 apart.
void RunChainSweep(double seconds, std::int32_t sampleSize, std::ostream& out);

}  // namespace velmora::signalgen
