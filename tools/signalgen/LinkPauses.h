#pragma once
// A Pactor link as a third station hears it: the sending station's data
// blocks, the receiving station's short replies in the gaps between them,
// and now and then the turn of the link, when the other station sends its
// blocks and the first replies. The two stations come from different places:
// each is heard at a level of its own over a channel that fades on its own.
#include <cstdint>
#include <span>
#include <vector>

#include "tools/signalgen/FadingChannel.h"
#include "tools/signalgen/Random.h"

namespace velmora::signalgen {

struct LinkPauses {
  double cycle = 1.25;       // s: a block, a gap, the reply, a gap
  double block = 0.96;
  double replyStart = 1.04;  // from the start of the block
  double reply = 0.12;
  double otherLevel = 0.5;   // the other station's amplitude beside the first's
  double turnEvery = 24;     // cycles between turns of the link, on average
  double turnFor = 8;        // cycles the other station then sends, on average
};

// The envelopes of the two stations (5 ms ramps, the other at its level),
// the link starting `start` seconds in.
struct LinkGates {
  std::vector<float> first, other;
};
LinkGates MakeLinkGates(std::size_t count, const LinkPauses& pauses, double start, Random& random);

// Both stations' Pactor tones added into out, each through its own channel
// (seeds `seed` and the next); returns the envelope of the link, the
// stronger of the two at each sample.
std::vector<float> AddLink(std::span<float> out, std::span<const double> tones, double rms, double rollOff,
                           const LinkPauses& pauses, double start, const FadingChannel& channel,
                           std::uint64_t seed, Random& random);

}  // namespace velmora::signalgen
