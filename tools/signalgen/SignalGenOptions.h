#pragma once
// The command line of velmora-signalgen.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tools/signalgen/FadingSweep.h"
#include "tools/signalgen/SignalGen.h"
#include "tools/signalgen/Sweep.h"

namespace velmora::signalgen {

struct SignalGenOptions {
  SignalRecipe recipe;
  SweepOptions sweepOptions;
  bool sweep = false, sweepDigital = false, eightBit = false;
  std::string out;
  bool sweepFading = false;
  // A modem variant and a receiver's noise of the modem sets (ModemSet.h)
  // in place of the form; the digital sweep on the tuning set alone.
  std::string modem, receiver;
  bool tuningSet = false;
  // "--channel all": the digital sweep through every named channel and
  // those kept apart.
  bool allChannels = false;
  // CW, FAX-like and WWV-like signals through the fading channels.
  bool sweepOthers = false;
  // The receiving chain's faults (ReceivingChain.h): a sweep through them,
  // or a recording with a DC offset and a sound card clock off nominal.
  bool sweepChain = false;
  double dc = 0;
  double clockPercent = 0;
  // A kind of the boat's own interference (ShipNoise.h) in place of the
  // form; the detectors on every kind.
  std::string ship;
  bool sweepShip = false;
  // The digital sweep through fading channels on this many fresh seeds.
  int freshSeeds = 0;
};

// The options (without the program name), or nullopt with the problem
// naming the argument ("--rms: -1 is not 0 or more").
std::optional<SignalGenOptions> ParseSignalGenOptions(std::span<const std::string_view> arguments,
                                                      std::string& problem);

}  // namespace velmora::signalgen
