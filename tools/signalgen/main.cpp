// velmora-signalgen: writes test recordings (Pactor 2 and 3, other digital
// modems, CW, FAX-like, speech-like, bursts, noise) and measures the
// detectors over an SNR sweep.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/SystemLib.h"
#include "tools/HelpAsked.h"
#include "tools/OutputChecked.h"
#include "tools/signalgen/ChannelSignal.h"
#include "tools/signalgen/DigitalSweep.h"
#include "tools/signalgen/FadingSweep.h"
#include "tools/signalgen/ReceivingChain.h"
#include "tools/signalgen/SignalGen.h"
#include "tools/signalgen/SignalGenOptions.h"
#include "tools/signalgen/ShipNoise.h"
#include "tools/signalgen/ShipNoiseSweep.h"
#include "tools/signalgen/Sweep.h"

namespace {

using namespace velmora::signalgen;

const char* kUsage =
    "usage: velmora-signalgen --form FORM [options] --out FILE.bin\n"
    "       velmora-signalgen --sweep [--seconds S] [--sample-size N]\n"
    "       velmora-signalgen --modem NAME | --receiver NAME [--modem NAME] [options] --out FILE.bin\n"
    "       velmora-signalgen --sweep-digital [--tuning-set] [--channel C|all] [--fresh-seeds K] [--seconds S]\n"
    "                     [--sample-size N]\n"
    "       velmora-signalgen --sweep-fading [--seconds S] [--sample-size N] [--link]\n"
    "       velmora-signalgen --sweep-others [--seconds S] [--sample-size N]\n"
    "       velmora-signalgen --sweep-chain [--seconds S] [--sample-size N]\n"
    "       velmora-signalgen --ship KIND [--snr DB] [--seconds S] [--seed N] --out FILE.bin\n"
    "       velmora-signalgen --sweep-ship [--seconds S] [--sample-size N]\n"
    "  FORM: noise, pactor2, pactor3, cw, fax, speech, bursts, ofdm, fsk4, psk2400, mfsk, wwv\n"
    "  --modem NAME     a modem variant of the digital sweep's sets (ofdm-s1, fsk-u2, ...), on from --start\n"
    "  --receiver NAME  a receiver's noise of the digital sweep (white, passband-s1, agc-slow-u, hum-s, ...)\n"
    "  --ship KIND      the boat's own interference, the seed drawing its particulars: birdie,\n"
    "                   birdie-drift, inverter, ignition, whine, buzz, splatter, next-channel, beeps,\n"
    "                   alarm; white noise --snr below it, through a receiver's passband\n"
    "  --tuning-set     the digital sweep on the tuning set alone, the unseen set left out\n"
    "  --fresh-seeds K  the digital sweep through fading: every variant at 10 dB on K seeds no rule was\n"
    "                   chosen on (101 and up), in place of the two sets\n"
    "  --variant V      Pactor 3 tone set 1..6 (default 1)\n"
    "  --center HZ      Pactor 2 centre, CW tone, time signal's carrier (default 1700)\n"
    "  --offset HZ      frequency offset of every tone or carrier (default 0)\n"
    "  --snr DB         signal-to-noise ratio in 3 kHz (default 20); --no-noise for none\n"
    "  --rms A          signal level while on, A/D units (default 3000)\n"
    "  --seconds S      length (default 10)\n"
    "  --continuous     Pactor without the ARQ pauses\n"
    "  --one-sided      Pactor without the other station's acknowledgements\n"
    "  --roll-off R     Pactor: raised-cosine roll-off of the symbols, 0..1 (default 0.35)\n"
    "  --start S        Pactor, digital: seconds of channel noise before the signal (default 0)\n"
    "  --keyed          CW keyed like Morse instead of a steady tone\n"
    "  --burst-rate R   bursts per second (default 2)\n"
    "  --pitch HZ       speech: mean voice pitch (default 120)\n"
    "  --seed N         random seed (default 1)\n"
    "  --channel C      what the signal passes before the noise: static (default), good, moderate,\n"
    "                   poor, flutter, or PATHS:DELAY_MS:SPREAD_HZ (Rayleigh paths, Gaussian Doppler);\n"
    "                   the digital sweep through it at 5 and 10 dB (all: the four and six kept apart)\n"
    "  --link           Pactor: both stations of a link, data blocks, replies and turns, each station\n"
    "                   fading on its own\n"
    "  --link-other DB  the link's other station beside the first (default -6)\n"
    "  --dc A           a DC offset, A/D units, added after the signal and noise (default 0)\n"
    "  --clock P        the sound card's clock P per cent fast (negative: slow); default 0\n"
    "  --8bit           8-bit unsigned samples instead of 16-bit\n";

int Usage(std::string_view problem) {
  std::cerr << "velmora-signalgen: " << problem << "\n" << kUsage;
  return 2;
}

int Run(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (velmora::HelpAsked(args)) {
    std::cout << kUsage;
    return 0;
  }
  std::string problem;
  auto options = ParseSignalGenOptions(args, problem);
  if (!options) return Usage(problem);
  auto& [recipe, sweepOptions, sweep, sweepDigital, eightBit, out, sweepFading, modem, receiver, tuningSet,
         allChannels, sweepOthers, sweepChain, dc, clockPercent, ship, sweepShip, freshSeeds] = *options;
  if (sweep) {
    RunSweep(sweepOptions, std::cout);
    return 0;
  }
  if (sweepDigital) {
    sweepOptions.snrs = {-5, 0, 5, 10, 15, 20, 30};
    auto fading = allChannels ? NamedChannels() : std::vector<FadingChannel>{};
    if (recipe.channel.Fades()) fading = {recipe.channel};
    RunDigitalSweep({sweepOptions, tuningSet, fading, allChannels, freshSeeds}, std::cout);
    return 0;
  }
  if (sweepChain) {
    RunChainSweep(sweepOptions.seconds, sweepOptions.sampleSize, std::cout);
    return 0;
  }
  if (sweepOthers) {
    RunOtherFadingSweep(sweepOptions.seconds, sweepOptions.sampleSize, std::cout);
    return 0;
  }
  if (sweepShip) {
    RunShipNoiseSweep(sweepOptions.seconds, sweepOptions.sampleSize, std::cout);
    return 0;
  }
  if (sweepFading) {
    RunFadingSweep({.seconds = sweepOptions.seconds, .sampleSize = sweepOptions.sampleSize, .link = recipe.link},
                   std::cout);
    return 0;
  }
  Signal signal;
  if (!ship.empty())
    signal.samples = ShipChannel(FindShipNoise(ship)->kind, recipe.snrDb, recipe.seconds, recipe.seed);
  else if (modem.empty() && receiver.empty())
    signal = Generate(recipe);
  else
    signal = GenerateChannel({.modem = FindModem(modem), .channel = FindChannel(receiver), .fading = recipe.channel,
                              .snrDb = recipe.snrDb, .seconds = recipe.seconds, .leadIn = recipe.rhythm.start,
                              .rms = recipe.rms, .seed = recipe.seed});
  auto samples = ResampleForClock(signal.samples, clockPercent / 100);
  for (float& x : samples) x += static_cast<float>(dc);
  std::error_code error;
  if (!WriteRecording(out, samples, eightBit, error)) {
    std::cerr << "velmora-signalgen: cannot write \"" << out << "\": " << velmora::ErrorText(error) << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return velmora::OutputChecked("velmora-signalgen", Run(argc, argv), 1); }
