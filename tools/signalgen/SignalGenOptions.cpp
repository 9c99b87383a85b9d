#include "tools/signalgen/SignalGenOptions.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "common/TextParse.h"
#include "tools/signalgen/ModemSet.h"
#include "tools/signalgen/ShipNoise.h"

namespace velmora::signalgen {
namespace {

// The longest recording: an hour of samples is 80 MB of doubles.
constexpr double kMostSeconds = 3600;

std::nullopt_t Refuse(std::string& problem, std::string text) {
  problem = std::move(text);
  return std::nullopt;
}

std::optional<double> Number(std::string_view text) {
  const auto v = ParseLeadingNumber(text);
  if (!v || !std::isfinite(*v)) return std::nullopt;
  return v;
}

std::string ShipNoiseNames() {
  std::string names;
  for (const ShipNoiseKind& kind : ShipNoiseKinds()) names += (names.empty() ? "" : ", ") + std::string(kind.name);
  return names;
}

bool IsSampleSize(double n) { return n >= 256 && n <= 32768 && n == std::ldexp(1.0, std::ilogb(n)); }

}  // namespace

std::optional<SignalGenOptions> ParseSignalGenOptions(std::span<const std::string_view> arguments,
                                                      std::string& problem) {
  SignalGenOptions options;
  auto& [recipe, sweepOptions, sweep, sweepDigital, eightBit, out, sweepFading, modem, receiver, tuningSet,
         allChannels, sweepOthers, sweepChain, dc, clockPercent, ship, sweepShip, freshSeeds] = options;
  bool haveForm = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view a = arguments[i];
    const std::string name(a);
    if (a == "--sweep") {
      sweep = true;
    } else if (a == "--sweep-digital") {
      sweepDigital = true;
    } else if (a == "--sweep-fading") {
      sweepFading = true;
    } else if (a == "--sweep-others") {
      sweepOthers = true;
    } else if (a == "--sweep-chain") {
      sweepChain = true;
    } else if (a == "--sweep-ship") {
      sweepShip = true;
    } else if (a == "--ship") {
      if (i + 1 >= arguments.size()) return Refuse(problem, "--ship: a kind must follow");
      ship = std::string(arguments[++i]);
      if (!FindShipNoise(ship)) return Refuse(problem, "--ship: " + ship + " is none of " + ShipNoiseNames());
      haveForm = true;
    } else if (a == "--link") {
      recipe.link = true;
    } else if (a == "--channel") {
      if (i + 1 >= arguments.size()) return Refuse(problem, "--channel: a channel must follow");
      allChannels = arguments[++i] == "all";
      if (!allChannels && !ParseChannel(arguments[i], recipe.channel))
        return Refuse(problem, "--channel: " + std::string(arguments[i]) +
                                   " is none of static, good, moderate, poor, flutter, or PATHS:DELAY_MS:SPREAD_HZ");
    } else if (a == "--form") {
      if (i + 1 >= arguments.size()) return Refuse(problem, "--form: a form must follow");
      if (!ParseForm(arguments[++i], recipe.form))
        return Refuse(problem, "--form: " + std::string(arguments[i]) +
                                   " is none of noise, pactor2, pactor3, cw, fax, speech, bursts, ofdm, fsk4, psk2400, "
                                   "mfsk, wwv");
      haveForm = true;
    } else if (a == "--tuning-set") {
      tuningSet = true;
    } else if (a == "--modem" || a == "--receiver") {
      if (i + 1 >= arguments.size()) return Refuse(problem, name + ": a name must follow");
      const std::string_view value = arguments[++i];
      if (a == "--modem" ? !FindModem(value) : !FindChannel(value))
        return Refuse(problem, name + ": " + std::string(value) + " is none of the " +
                                   (a == "--modem" ? "modems" : "receivers' noises") + " the digital sweep lists");
      (a == "--modem" ? modem : receiver) = std::string(value);
      haveForm = true;
    } else if (a == "--out") {
      if (i + 1 >= arguments.size()) return Refuse(problem, "--out: a file must follow");
      out = std::string(arguments[++i]);
    } else if (a == "--no-noise") {
      recipe.snrDb = std::numeric_limits<double>::infinity();
    } else if (a == "--continuous") {
      recipe.rhythm.cycle = 0;
    } else if (a == "--one-sided") {
      recipe.rhythm.ackLength = 0;
    } else if (a == "--keyed") {
      recipe.keyed = true;
    } else if (a == "--8bit") {
      eightBit = true;
    } else {
      static constexpr std::string_view kValued[] = {"--variant", "--center", "--offset",     "--snr",
                                                     "--rms",     "--seconds", "--pitch",     "--roll-off",
                                                     "--start",   "--burst-rate", "--seed", "--sample-size",
                                                     "--dc",      "--clock",   "--link-other", "--fresh-seeds"};
      if (std::find(std::begin(kValued), std::end(kValued), a) == std::end(kValued))
        return Refuse(problem, (name.empty() ? std::string("\"\"") : name) + ": no such option");
      if (i + 1 >= arguments.size()) return Refuse(problem, name + ": a number must follow");
      const std::string text(arguments[++i]);
      const auto v = Number(text);
      if (!v) return Refuse(problem, name + ": " + text + " is no number");
      auto refuse = [&](const char* wanted) { return Refuse(problem, name + ": " + text + " is not " + wanted); };
      if (a == "--variant") {
        if (*v < 1 || *v > 6 || *v != std::floor(*v)) return refuse("a variant from 1 to 6");
        recipe.variant = static_cast<int>(*v);
      } else if (a == "--center") {
        recipe.center = *v;
      } else if (a == "--offset") {
        recipe.offset = *v;
      } else if (a == "--snr") {
        recipe.snrDb = *v;
      } else if (a == "--rms") {
        if (*v < 0) return refuse("0 or more");
        recipe.rms = *v;
      } else if (a == "--seconds") {
        if (!(*v > 0 && *v <= kMostSeconds)) return refuse("more than 0 and at most 3600");
        recipe.seconds = sweepOptions.seconds = *v;
      } else if (a == "--pitch") {
        if (*v <= 20) return refuse("more than 20");
        recipe.pitch = *v;
      } else if (a == "--roll-off") {
        if (*v < 0 || *v > 1) return refuse("from 0 to 1");
        recipe.rollOff = *v;
      } else if (a == "--start") {
        if (*v < 0 || *v > kMostSeconds) return refuse("from 0 to 3600");
        recipe.rhythm.start = *v;
      } else if (a == "--burst-rate") {
        if (*v < 0) return refuse("0 or more");
        recipe.burstRate = *v;
      } else if (a == "--dc") {
        dc = *v;
      } else if (a == "--clock") {
        if (std::abs(*v) > 10) return refuse("from -10 to 10");
        clockPercent = *v;
      } else if (a == "--link-other") {
        if (std::abs(*v) > 40) return refuse("from -40 to 40");
        recipe.linkPauses.otherLevel = std::pow(10.0, *v / 20);
      } else if (a == "--fresh-seeds") {
        if (*v < 1 || *v > 100 || *v != std::floor(*v)) return refuse("a whole number from 1 to 100");
        freshSeeds = static_cast<int>(*v);
      } else if (a == "--seed") {
        const auto seed = ParseInteger(text);
        if (!seed || *seed < 0) return refuse("a whole number of 0 or more");
        recipe.seed = static_cast<std::uint64_t>(*seed);
      } else {
        if (!IsSampleSize(*v)) return refuse("a power of two from 256 to 32768");
        sweepOptions.sampleSize = static_cast<std::int32_t>(*v);
      }
    }
  }
  if (allChannels && !sweepDigital) return Refuse(problem, "--channel: all is for --sweep-digital alone");
  if (freshSeeds > 0 && !(sweepDigital && (allChannels || recipe.channel.Fades())))
    return Refuse(problem, "--fresh-seeds: only for --sweep-digital through a fading channel");
  if (!sweep && !sweepDigital && !sweepFading && !sweepOthers && !sweepChain && !sweepShip) {
    if (!haveForm) return Refuse(problem, "--form is needed");
    if (out.empty()) return Refuse(problem, "--out is needed");
  }
  return options;
}

}  // namespace velmora::signalgen
