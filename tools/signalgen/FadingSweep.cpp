#include "tools/signalgen/FadingSweep.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>

#include "analysis/SignalAnalysis.h"
#include "common/Format.h"
#include "tools/signalgen/ReceiverNoise.h"

namespace velmora::signalgen {
namespace {

// The seeds of the signals that are not Pactor: tuned on, kept apart.
constexpr std::uint64_t kSeenOtherSeeds[] = {1, 2, 3, 4, 5, 6};
constexpr std::uint64_t kUnseenOtherSeeds[] = {21, 22, 23, 24};
constexpr double kCrashesPerSecond = 0.5;  // the receiver noise's static crashes

std::string FormName(int form) {
  return form == 0 ? "Pactor 2" : "Pactor 3, form " + IntegerText(form) + (form == 6 ? " (wide band)" : "");
}

// Form 6 is measured with the wide band on, both ways.
DetectorSettings Settings(int form, bool fading) {
  DetectorSettings s;
  s.pactor3WideBand = form == 6;
  s.pactorFading = fading;
  return s;
}

// The worse of two measurements: the smaller share, the longer free run.
void KeepWorst(FadingCounts& worst, const FadingCounts& c, bool first) {
  if (first ||
      static_cast<long long>(c.insideBusy) * worst.inside < static_cast<long long>(worst.insideBusy) * c.inside) {
    worst.inside = c.inside;
    worst.insideBusy = c.insideBusy;
  }
  worst.longestFree = first ? c.longestFree : std::max(worst.longestFree, c.longestFree);
}

std::string ShareAndRun(const FadingCounts& c, double bufferSeconds) {
  const double share = c.inside ? 100.0 * c.insideBusy / c.inside : 0;
  // Whole per cents, never rounded up to a full share that was not.
  const double shown = share < 100 ? std::min(std::floor(share + 0.5), 99.0) : 100;
  return FormatNumber(shown, "0") + " % / " + FormatNumber(c.longestFree * bufferSeconds, "0.0") + " s";
}

struct Measured {
  FadingCounts off, on;
};

// One faded signal at each SNR, off and on; its noise as the generator adds it.
std::vector<Measured> MeasureAtEachSnr(const SignalRecipe& quiet, int form, const FadingSweepOptions& options) {
  const Signal signal = Generate(quiet);
  std::vector<Measured> cells;
  for (double snr : options.snrs) {
    std::vector<float> samples = signal.samples;
    Random noise(quiet.seed ^ 0x5DEECE66DULL);
    AddNoise(samples, NoiseRms(quiet.rms, snr), noise);
    cells.push_back({CountFading(samples, signal.on, Settings(form, false), options.sampleSize),
                     CountFading(samples, signal.on, Settings(form, true), options.sampleSize)});
  }
  return cells;
}

void PactorTable(const std::string& title, const std::vector<FadingChannel>& channels,
                 std::span<const std::uint64_t> seeds, const FadingSweepOptions& options, std::ostream& out) {
  const double bufferSeconds = options.sampleSize / kRate;
  out << "\n" << title << " (seeds";
  for (std::uint64_t seed : seeds) out << ' ' << seed;
  out << "; the worst of them): busy share inside transmissions / longest free run, \"Pactor Fading\" off -> on\n\n";
  out << "| form | channel |";
  for (double snr : options.snrs) out << ' ' << FormatNumber(snr, "0") << " dB |";
  out << "\n|---|---|";
  for (std::size_t i = 0; i < options.snrs.size(); ++i) out << "---|";
  out << '\n';
  for (int form : kFadingForms)
    for (const FadingChannel& channel : channels) {
      std::vector<Measured> worst(options.snrs.size());
      for (std::size_t k = 0; k < std::size(seeds); ++k) {
        const auto cells = MeasureAtEachSnr(FadingRecipe(form, channel, seeds[k], options.seconds, options.link), form,
                                            options);
        for (std::size_t i = 0; i < cells.size(); ++i) {
          KeepWorst(worst[i].off, cells[i].off, k == 0);
          KeepWorst(worst[i].on, cells[i].on, k == 0);
        }
      }
      out << "| " << FormName(form) << " | " << channel.name << " |";
      for (const Measured& m : worst)
        out << ' ' << ShareAndRun(m.off, bufferSeconds) << " -> " << ShareAndRun(m.on, bufferSeconds) << " |";
      out << std::endl;
    }
}

// The signals that must not read busy, each at the noise level of the SNR.
struct Other {
  std::string name;
  Form form;
  double pitch = 120;
  bool receiver = false;
};
const Other kOthers[] = {{"noise", Form::Noise},
                         {"receiver noise (passband, AGC, crashes)", Form::Noise, 120, true},
                         {"static bursts", Form::Bursts},
                         {"keyed CW", Form::Cw},
                         {"FAX-like", Form::Fax},
                         {"speech-like, 120 Hz pitch", Form::Speech, 120},
                         {"speech-like, 200 Hz pitch", Form::Speech, 200}};

Signal OtherSignal(const Other& other, std::size_t index, std::uint64_t seed, double snr, double seconds) {
  SignalRecipe r;
  r.form = other.form;
  r.keyed = other.form == Form::Cw;
  r.pitch = other.pitch;
  r.seconds = seconds;
  r.snrDb = snr;
  r.seed = seed * 1000 + index;
  if (!other.receiver) return Generate(r);
  Signal s{ReceiverNoise(seconds, NoiseRms(r.rms, snr), kCrashesPerSecond, r.seed), {}};
  s.on.assign(s.samples.size(), 0);
  return s;
}

void OtherTable(const std::string& title, std::span<const std::uint64_t> seeds, const FadingSweepOptions& options,
                std::ostream& out) {
  out << "\n" << title << " (seeds";
  for (std::uint64_t seed : seeds) out << ' ' << seed;
  out << ", all buffers): busy share \"Pactor Fading\" off / on, and the buffers it added\n\n| signal |";
  for (double snr : options.otherSnrs) out << ' ' << FormatNumber(snr, "0") << " dB |";
  out << "\n|---|";
  for (std::size_t i = 0; i < options.otherSnrs.size(); ++i) out << "---|";
  out << '\n';
  for (std::size_t i = 0; i < std::size(kOthers); ++i) {
    out << "| " << kOthers[i].name << " |";
    for (double snr : options.otherSnrs) {
      FadingCounts off, on;
      for (std::uint64_t seed : seeds) {
        const Signal s = OtherSignal(kOthers[i], i, seed, snr, options.seconds);
        const FadingCounts a = CountFading(s.samples, {}, Settings(0, false), options.sampleSize);
        const FadingCounts b = CountFading(s.samples, {}, Settings(0, true), options.sampleSize);
        off.all += a.all;
        off.allBusy += a.allBusy;
        on.allBusy += b.allBusy;
      }
      const auto percent = [&](int busy) { return FormatNumber(off.all ? 100.0 * busy / off.all : 0.0, "0"); };
      out << ' ' << percent(off.allBusy) << " / " << percent(on.allBusy) << " % (+" << on.allBusy - off.allBusy
          << ") |";
    }
    out << std::endl;
  }
}

}  // namespace

FadingCounts CountFading(std::span<const float> samples, std::span<const std::uint8_t> on,
                         const DetectorSettings& settings, std::int32_t sampleSize) {
  DetectorSettings s = settings;
  SignalAnalysis analysis(s);
  analysis.RestartContinuity();
  const auto pcm = ToPcm16(samples);
  const std::size_t n = static_cast<std::size_t>(sampleSize);
  FadingCounts counts;
  std::string panel;
  int free = 0;
  for (std::size_t start = 0; start + n <= pcm.size(); start += n) {
    analysis.Analyse({pcm.data() + start, n}, sampleSize);
    const bool busy = analysis.Detect(panel).busy;
    ++counts.all;
    counts.allBusy += busy;
    const bool inside = on.empty() || std::all_of(on.begin() + static_cast<std::ptrdiff_t>(start),
                                                  on.begin() + static_cast<std::ptrdiff_t>(start + n),
                                                  [](std::uint8_t x) { return x != 0; });
    if (inside) {
      ++counts.inside;
      counts.insideBusy += busy;
    }
    free = busy ? 0 : free + 1;
    counts.longestFree = std::max(counts.longestFree, free);
  }
  return counts;
}

std::vector<FadingChannel> UnseenChannels() {
  return {CustomChannel(2, 0.7, 0.2), CustomChannel(2, 1.5, 0.8), CustomChannel(2, 3, 1.5),
          CustomChannel(2, 0.5, 3),   CustomChannel(3, 1, 0.3),   CustomChannel(3, 2.5, 1.2)};
}

SignalRecipe FadingRecipe(int form, const FadingChannel& channel, std::uint64_t seed, double seconds, bool link) {
  SignalRecipe r;
  r.form = form == 0 ? Form::Pactor2 : Form::Pactor3;
  r.variant = form == 0 ? 1 : form;
  r.seconds = seconds;
  r.snrDb = std::numeric_limits<double>::infinity();  // added for each SNR
  r.rhythm.ackLength = 0;                              // one side heard, as the other sweeps
  r.seed = seed * 100 + static_cast<std::uint64_t>(form);
  r.channel = channel;
  r.link = link;
  return r;
}

void RunFadingSweep(const FadingSweepOptions& options, std::ostream& out) {
  out << "Pactor through fading channels (default detector settings, " << options.sampleSize << " samples per buffer, "
      << FormatNumber(options.seconds, "0") << " s per signal, "
      << (options.link ? "both stations of a link with its pauses and turns"
                       : "one side heard, a 0.29 s pause every 1.25 s")
      << ", white noise at the SNR in 3 kHz)\n";
  std::vector<FadingChannel> named{FadingChannel{}};
  for (const FadingChannel& c : NamedChannels()) named.push_back(c);
  PactorTable("Seen: the channels and seeds the rules were tuned on", named, kSeenSeeds, options, out);
  PactorTable("Unseen seeds", std::vector<FadingChannel>(named.begin() + 1, named.end()), kUnseenSeeds, options, out);
  PactorTable("Unseen delays and spreads", UnseenChannels(), std::span(kUnseenSeeds).first(2), options, out);
  if (options.link) return;  // the signals that are not Pactor are the same either way
  OtherTable("Signals that are not Pactor, seen", kSeenOtherSeeds, options, out);
  OtherTable("Signals that are not Pactor, unseen", kUnseenOtherSeeds, options, out);
}

}  // namespace velmora::signalgen
