// velmora-signalgen: writes test recordings (Pactor 2 and 3, other digital
// modems, CW, FAX-like, speech-like, bursts, noise) and measures the
// detectors over an SNR sweep.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/SystemLib.h"
#include "common/TextParse.h"
#include "tools/signalgen/SignalGen.h"
#include "tools/signalgen/Sweep.h"

namespace {

using namespace velmora::signalgen;

const char* kUsage =
    "usage: velmora-signalgen --form FORM [options] --out FILE.bin\n"
    "       velmora-signalgen --sweep [--seconds S] [--sample-size N]\n"
    "       velmora-signalgen --sweep-digital [--seconds S] [--sample-size N]\n"
    "  FORM: noise, pactor2, pactor3, cw, fax, speech, bursts, ofdm, fsk4, psk2400, mfsk\n"
    "  --variant V      Pactor 3 tone set 1..6 (default 1)\n"
    "  --center HZ      Pactor 2 centre, CW tone (default 1700)\n"
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
    "  --8bit           8-bit unsigned samples instead of 16-bit\n";

// The longest recording: an hour of samples is 80 MB of doubles.
constexpr double kMostSeconds = 3600;

int Usage(std::string_view problem) {
  std::cerr << "velmora-signalgen: " << problem << "\n" << kUsage;
  return 2;
}

std::optional<double> Number(std::string_view text) {
  const auto v = velmora::ParseLeadingNumber(text);
  if (!v || !std::isfinite(*v)) return std::nullopt;
  return v;
}

bool IsSampleSize(double n) { return n >= 256 && n <= 32768 && n == std::ldexp(1.0, std::ilogb(n)); }

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  SignalRecipe recipe;
  bool sweep = false, sweepDigital = false, eightBit = false, haveForm = false;
  SweepOptions sweepOptions;
  std::string out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    const std::string name(a);
    if (a == "--sweep") {
      sweep = true;
    } else if (a == "--sweep-digital") {
      sweepDigital = true;
    } else if (a == "--form") {
      if (i + 1 >= args.size()) return Usage("--form: a form must follow");
      if (!ParseForm(args[++i], recipe.form))
        return Usage("--form: " + std::string(args[i]) + " is none of noise, pactor2, pactor3, cw, fax, speech, bursts, ofdm, fsk4, psk2400, mfsk");
      haveForm = true;
    } else if (a == "--out") {
      if (i + 1 >= args.size()) return Usage("--out: a file must follow");
      out = std::string(args[++i]);
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
                                                     "--start",   "--burst-rate", "--seed", "--sample-size"};
      if (std::find(std::begin(kValued), std::end(kValued), a) == std::end(kValued))
        return Usage((name.empty() ? std::string("\"\"") : name) + ": no such option");
      if (i + 1 >= args.size()) return Usage(name + ": a number must follow");
      const std::string text(args[++i]);
      const auto v = Number(text);
      if (!v) return Usage(name + ": " + text + " is no number");
      auto refuse = [&](const char* wanted) { return Usage(name + ": " + text + " is not " + wanted); };
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
      } else if (a == "--seed") {
        const auto seed = velmora::ParseInteger(text);
        if (!seed || *seed < 0) return refuse("a whole number of 0 or more");
        recipe.seed = static_cast<std::uint64_t>(*seed);
      } else {
        if (!IsSampleSize(*v)) return refuse("a power of two from 256 to 32768");
        sweepOptions.sampleSize = static_cast<std::int32_t>(*v);
      }
    }
  }
  if (sweep) {
    RunSweep(sweepOptions, std::cout);
    return 0;
  }
  if (sweepDigital) {
    sweepOptions.snrs = {-5, 0, 5, 10, 15, 20, 30};
    RunDigitalSweep(sweepOptions, std::cout);
    return 0;
  }
  if (!haveForm) return Usage("--form is needed");
  if (out.empty()) return Usage("--out is needed");
  const Signal signal = Generate(recipe);
  std::error_code error;
  if (!WriteRecording(out, signal.samples, eightBit, error)) {
    std::cerr << "velmora-signalgen: cannot write \"" << out << "\": " << velmora::ErrorText(error) << "\n";
    return 1;
  }
  return 0;
}
