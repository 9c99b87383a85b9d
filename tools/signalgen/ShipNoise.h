#pragma once
// What a boat adds to the receiver's audio besides the channel: the birdies
// of power supplies and inverters, an engine's ignition and an alternator's
// whine, a lighting buzz, a nearby transmitter's splatter, the next
// channel's data, the radio's own beeps and the ship's alarm. The seed draws
// each kind's particulars (how many birdies, where, how fast they drift,
// the ignition's rate, the buzz's spacing), so other seeds are other boats.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "tools/signalgen/Random.h"

namespace velmora::signalgen {

enum class ShipKind { Birdie, DriftingBirdie, Inverter, Ignition, Whine, LightingBuzz, Splatter, NextChannel, Beeps, Alarm };

struct ShipNoiseKind {
  std::string_view name;  // "birdie-drift": what --ship takes
  std::string_view row;   // what a table's row says
  ShipKind kind;
};

std::span<const ShipNoiseKind> ShipNoiseKinds();
const ShipNoiseKind* FindShipNoise(std::string_view name);

// Adds the interference at `rms` (A/D units) while it sounds.
void AddShipNoise(std::span<float> out, ShipKind kind, double rms, Random& random);

// The interference at 3000 A/D units, white noise at `snrDb` below it in
// 3 kHz (none when not finite), through a receiver's passband.
std::vector<float> ShipChannel(ShipKind kind, double snrDb, double seconds, std::uint64_t seed);

}  // namespace velmora::signalgen
