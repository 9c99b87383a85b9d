#include "tools/signalgen/DigitalSweep.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/PactorDetectors.h"
#include "analysis/SignalAnalysis.h"
#include "common/Format.h"
#include "tools/signalgen/ChannelSignal.h"
#include "tools/signalgen/FadingSweep.h"

namespace velmora::signalgen {
namespace {

constexpr double kLeadIn = 5;  // seconds of the channel alone before a modem comes on
constexpr double kReceiverSnr = 10;
constexpr double kAimed = 90;  // per cent busy every variant should reach at 10 dB

// What a run of the option on a modem shows: the buffers with the modem on
// and how many of them read busy, and when the first did (seconds after it
// came on; negative: never). Through a fading channel also what the channel
// allowed: the buffers in which the faded modem stood under the noise in 3
// kHz, and the buffers (and busy ones) from the first at which it had stood
// 5 dB over it for a second, when it could have been found at the latest.
struct ModemRun {
  int buffers = 0;
  int busy = 0;
  double first = -1;
  int under = 0;
  int clear = 0, clearBusy = 0;
  double clearAfter = -1;  // seconds after it came on that the clear buffers begin
  double ratioSum = 0;     // the faded modem's power over the noise's, summed over the buffers
  double Rate() const { return buffers > 0 ? 100.0 * busy / buffers : 0.0; }
  double UnderRate() const { return buffers > 0 ? 100.0 * under / buffers : 0.0; }
  double ClearRate() const { return clear > 0 ? 100.0 * clearBusy / clear : -1.0; }
  // What the run's SNR came to through the channel (its mean is the SNR asked).
  double HeardSnr() const { return 10 * std::log10(std::max(1e-30, ratioSum / std::max(1, buffers))); }
};

// The faded modem before the noise, and the noise's power in 3 kHz.
struct FadedModem {
  std::span<const float> samples;
  double noise = 1;
};

constexpr double kClearDb = 5, kClearSeconds = 1;

ModemRun Measure(const Signal& signal, const DetectorSettings& settings, std::int32_t sampleSize,
                 const FadedModem* faded = nullptr) {
  DetectorSettings s = settings;
  SignalAnalysis analysis(s);
  analysis.RestartContinuity();
  const auto pcm = ToPcm16(signal.samples);
  const auto n = static_cast<std::size_t>(sampleSize);
  ModemRun run;
  std::string panel;
  std::size_t onSince = pcm.size();
  double clearFor = 0;  // seconds the modem has stood clear of the noise
  for (std::size_t start = 0; start + n <= pcm.size(); start += n) {
    analysis.Analyse({pcm.data() + start, n}, sampleSize);
    const bool busy = analysis.Detect(panel).busy;
    if (!signal.on[start] || !signal.on[start + n - 1]) continue;
    onSince = std::min(onSince, start);
    ++run.buffers;
    run.busy += busy;
    if (busy && run.first < 0) run.first = static_cast<double>(start + n - onSince) / kRate;
    if (!faded) continue;
    double power = 0;
    for (float x : faded->samples.subspan(start, n)) power += double{x} * x;
    const double ratio = power / static_cast<double>(n) / faded->noise;
    run.ratioSum += ratio;
    const double db = 10 * std::log10(std::max(1e-30, ratio));
    run.under += db < 0;
    clearFor = db >= kClearDb ? clearFor + static_cast<double>(n) / kRate : 0.0;
    if (run.clear == 0 && clearFor >= kClearSeconds) run.clearAfter = static_cast<double>(start - onSince) / kRate;
    if (run.clear > 0 || clearFor >= kClearSeconds) ++run.clear, run.clearBusy += busy;
  }
  return run;
}

std::string Pad(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string Percent(double rate) { return FormatNumber(rate, "0"); }

DetectorSettings With(bool digital) {
  DetectorSettings s;
  s.digitalBusy = digital;
  return s;
}

// A variant's seed on a channel seed: 1, that of the static tables, gives 1000 and up.
std::uint64_t Seed(const ModemVariant& m, std::uint64_t channelSeed) {
  return 1000 * channelSeed + static_cast<std::uint64_t>(&m - ModemVariants().data());
}

// The rates of a cell: the least (every variant must hold) and the mean.
struct Rates {
  double least = 101, sum = 0;
  int count = 0;
  void Add(double rate) {
    least = std::min(least, rate);
    sum += rate;
    ++count;
  }
  std::string Text(const char* format = "0") const {
    return count ? FormatNumber(least, format) + " (" + FormatNumber(sum / count, format) + ")" : "-";
  }
};

constexpr double kFadingSnrs[] = {5, 10};
constexpr double kFreshSnr = 10;

class Sweeper {
 public:
  Sweeper(const DigitalSweepOptions& options, std::ostream& out) : o_(options), out_(out) {}

  void Run() {
    if (!o_.fading.empty()) return FadingTables();
    out_ << "\"Digital Busy\" on the modem sets (" << o_.sweep.sampleSize << " samples per buffer, "
         << FormatNumber(o_.sweep.seconds, "0") << " s per modem, white noise at the SNR in 3 kHz)\n";
    FamilyTables();
    VariantTable();
    ReceiverTable();
    NoiseTable();
    TransmissionTable();
    PactorTable();
  }

 private:
  void Header(const std::string& first) {
    out_ << Pad(first, 26);
    for (double snr : o_.sweep.snrs) out_ << Pad(FormatNumber(snr, "0") + " dB", 12);
    out_ << '\n';
  }

  bool Shown(const ModemVariant& m) const { return !(o_.tuningOnly && m.unseen); }

  ModemRun Modem(const ModemVariant& m, const ChannelNoise* channel, double snr, double leadIn,
                 const FadingChannel& fading = {}, std::uint64_t channelSeed = 1) {
    std::vector<float> faded;
    const ChannelRecipe recipe{.modem = &m,
                               .channel = channel,
                               .fading = fading,
                               .snrDb = snr,
                               .seconds = o_.sweep.seconds + leadIn,
                               .leadIn = leadIn,
                               .seed = Seed(m, channelSeed),
                               .faded = fading.Fades() ? &faded : nullptr};
    const Signal signal = GenerateChannel(recipe);
    const FadedModem modem{faded, NoisePowerInBand(recipe.rms, snr)};
    return Measure(signal, With(true), o_.sweep.sampleSize, fading.Fades() ? &modem : nullptr);
  }

  // Per family and set: the least variant's rate, then the mean in brackets.
  std::string Cell(Family family, bool unseen, const std::function<ModemRun(const ModemVariant&)>& run) {
    Rates rates;
    for (const ModemVariant& m : ModemVariants())
      if (m.family == family && m.unseen == unseen && Shown(m)) rates.Add(run(m).Rate());
    return rates.Text();
  }

  void FamilyTables() {
    for (double leadIn : {0.0, kLeadIn}) {
      out_ << "\nPer cent of the modem's buffers busy, option on, "
           << (leadIn > 0 ? "on after 5 s of the channel alone" : "on from the first buffer")
           << "; the least variant (the mean); "
           << (o_.tuningOnly ? "tuning set alone\n" : "tuning set, then unseen set\n");
      Header("family, set");
      for (Family family : {Family::Ofdm, Family::Fsk, Family::Psk, Family::Mfsk}) {
        for (bool unseen : {false, true}) {
          if (unseen && o_.tuningOnly) continue;
          out_ << Pad(std::string(FamilyName(family)) + (unseen ? ", unseen" : ", tuning"), 26);
          for (double snr : o_.sweep.snrs)
            out_ << Pad(Cell(family, unseen, [&](const ModemVariant& m) { return Modem(m, nullptr, snr, leadIn); }),
                        12);
          out_ << '\n';
        }
      }
    }
  }

  void VariantTable() {
    out_ << "\nEach variant on from the first buffer: per cent busy at 10 dB and 5 dB, and the seconds to "
            "its first busy buffer at 10 dB\n";
    for (const ModemVariant& m : ModemVariants()) {
      if (!Shown(m)) continue;
      const ModemRun ten = Modem(m, nullptr, 10, 0), five = Modem(m, nullptr, 5, 0);
      out_ << Pad(std::string(m.name), 9) << Pad(Percent(ten.Rate()), 5) << Pad(Percent(five.Rate()), 5)
           << Pad(ten.first < 0 ? "never" : FormatNumber(ten.first, "0.0"), 7) << "  " << Describe(m) << '\n';
    }
  }

  void ReceiverTable() {
    out_ << "\nThrough a receiver at " << FormatNumber(kReceiverSnr, "0")
         << " dB, on from the first buffer (the modem and the noise through its passband, its AGC swinging): "
            "the least variant (the mean)\n";
    out_ << Pad("receiver", 26);
    for (Family family : {Family::Ofdm, Family::Fsk, Family::Psk, Family::Mfsk})
      out_ << Pad(std::string(FamilyName(family)), 12);
    out_ << '\n';
    for (const ChannelNoise& c : ChannelNoises()) {
      if (!c.agc || (o_.tuningOnly && c.unseen)) continue;
      out_ << Pad(std::string(c.name), 26);
      for (Family family : {Family::Ofdm, Family::Fsk, Family::Psk, Family::Mfsk})
        out_ << Pad(Cell(family, c.unseen, [&](const ModemVariant& m) { return Modem(m, &c, kReceiverSnr, 0); }), 12);
      out_ << '\n';
    }
  }

  // Through fading channels, on from the first buffer: the tuning variants
  // on the seeds the rules may be chosen on, the unseen variants on seeds
  // kept apart, and on the delays and spreads kept apart; or every variant
  // on fresh seeds.
  void FadingTables() {
    out_ << "\"Digital Busy\" through fading channels (" << o_.sweep.sampleSize << " samples per buffer, "
         << FormatNumber(o_.sweep.seconds, "0")
         << " s per modem and seed, on from the first buffer, white noise at the SNR in 3 kHz)\n";
    if (o_.freshSeeds > 0)
      FreshSeedTable();
    else
      SetTables();
    if (!weak_.empty())
      out_ << "\nBelow " << Percent(kAimed) << " % (variant/seed, channel, SNR: per cent):" << weak_ << '\n';
  }

  void SetTables() {
    FadingTable("Per cent of the modem's buffers busy, option on; the least of the variants and seeds (the mean); "
                "tuning variants on seeds 1 and 2, unseen variants on seeds 21 to 24",
                o_.fading, kSeenSeeds, kUnseenSeeds);
    if (o_.keptApartChannels && !o_.tuningOnly)
      FadingTable("Delays and spreads kept apart, unseen variants on seeds 21 and 22", UnseenChannels(), {},
                  std::span(kUnseenSeeds).first(2));
  }

  // The busy share from the first buffer, printed as each cell is done;
  // then the same runs from the first second the modem stood clear of the
  // noise (the hold's part), with the mean share of buffers it stood under
  // the noise; then per variant.
  void FadingTable(const std::string& title, const std::vector<FadingChannel>& channels,
                   std::span<const std::uint64_t> tuningSeeds, std::span<const std::uint64_t> unseenSeeds) {
    const bool tuning = !tuningSeeds.empty(), unseen = !unseenSeeds.empty() && !o_.tuningOnly;
    std::string header = "\n| family | channel |";
    for (double snr : kFadingSnrs)
      header += (tuning ? " " + Percent(snr) + " dB tuning |" : "") +
                (unseen ? " " + Percent(snr) + " dB unseen |" : "");
    header += "\n|---|---|";
    for (std::size_t i = 0; i < std::size(kFadingSnrs) * (tuning + unseen); ++i) header += "---|";
    out_ << "\n" << title << "\n" << header << '\n';
    std::vector<std::pair<std::string, std::vector<FadingRates>>> rows;
    for (const FadingChannel& channel : channels)
      for (Family family : {Family::Ofdm, Family::Fsk, Family::Psk, Family::Mfsk}) {
        auto& [row, cells] = rows.emplace_back("| " + std::string(FamilyName(family)) + " | " + channel.name + " |",
                                               std::vector<FadingRates>{});
        out_ << row;
        for (double snr : kFadingSnrs)
          for (bool set : {false, true}) {
            if (!(set ? unseen : tuning)) continue;
            cells.push_back(FadingCell(family, set, channel, snr, set ? unseenSeeds : tuningSeeds));
            out_ << ' ' << cells.back().all.Text() << " |" << std::flush;
          }
        out_ << std::endl;
      }
    const auto again = [&](const std::string& what, const auto& cellText) {
      out_ << "\nThe same runs counted " << what << '\n' << header << '\n';
      for (const auto& [row, cells] : rows) {
        out_ << row;
        for (const FadingRates& r : cells) out_ << ' ' << cellText(r) << " |";
        out_ << '\n';
      }
    };
    again("from the first buffer at which the modem had stood " + Percent(kClearDb) +
              " dB over the noise in 3 kHz for " + Percent(kClearSeconds) +
              " s (runs where it never did left out); after the semicolon the mean per cent of the buffers in which "
              "it stood under the noise",
          [](const FadingRates& r) {
            return r.clear.Text() + "; " + Percent(r.under.sum / std::max(1, r.under.count));
          });
    again("per variant, its busy buffers over all its seeds: the least variant (the mean)",
          [](const FadingRates& r) { return r.variants.Text("0.0"); });
  }

  // A cell's runs: the rates, and the runs below the aim and of those
  // the ones that reach it from the modem's first clear second.
  struct FadingRates {
    Rates all, clear, under;
    Rates variants;  // each variant's busy buffers over all its runs, as a variant is judged on a steady channel
    int runs = 0, weak = 0, channelHeld = 0;
    double latestClear = 0;  // seconds, the latest first clear second
  };
  // The variants of a family, of one set or (none) of both, on these seeds.
  FadingRates FadingCell(Family family, std::optional<bool> unseen, const FadingChannel& channel, double snr,
                         std::span<const std::uint64_t> seeds) {
    FadingRates rates;
    for (const ModemVariant& m : ModemVariants()) {
      if (m.family != family || (unseen && m.unseen != *unseen)) continue;
      ModemRun variant;
      for (std::uint64_t seed : seeds) {
        const ModemRun run = Modem(m, nullptr, snr, 0, channel, seed);
        variant.buffers += run.buffers;
        variant.busy += run.busy;
        ++rates.runs;
        rates.all.Add(run.Rate());
        if (run.clear > 0) {
          rates.clear.Add(run.ClearRate());
          rates.latestClear = std::max(rates.latestClear, run.clearAfter);
        }
        rates.under.Add(run.UnderRate());
        if (run.Rate() >= kAimed) continue;
        ++rates.weak;
        rates.channelHeld += run.ClearRate() >= kAimed;
        Weak(m, seed, channel, snr, run);
      }
      rates.variants.Add(variant.Rate());
    }
    return rates;
  }

  // A run below the aim, with what the channel allowed it.
  void Weak(const ModemVariant& m, std::uint64_t seed, const FadingChannel& channel, double snr,
            const ModemRun& run) {
    weak_ += "\n  " + std::string(m.name) + "/" + IntegerText(static_cast<long long>(seed)) + ", " + channel.name +
             ", " + Percent(snr) + " dB: " + Percent(run.Rate()) + " (from 1 s clear: " +
             (run.clear > 0 ? Percent(run.ClearRate()) + ", clear after " + FormatNumber(run.clearAfter, "0.0") + " s"
                            : "never clear") +
             "; under the noise: " + Percent(run.UnderRate()) + "; heard at " + FormatNumber(run.HeardSnr(), "0.0") +
             " dB over the run)";
  }

  // Every variant, tuning and unseen alike (unless the tuning set alone is
  // asked), at 10 dB on seeds no rule was chosen on: how many runs fall
  // under the aim from the first buffer, and how many of those only because
  // the channel held the modem under the noise at the start (they reach the
  // aim from its first clear second).
  void FreshSeedTable() {
    constexpr std::uint64_t kFirst = 101;
    const std::uint64_t last = kFirst + static_cast<std::uint64_t>(o_.freshSeeds) - 1;
    out_ << (o_.tuningOnly ? "\nEvery tuning variant at " : "\nEvery variant at ") << Percent(kFreshSnr)
         << " dB on seeds " << kFirst << " to " << last
         << ", which no rule was chosen on: per cent of the modem's buffers busy, the least run (the mean)\n"
            "\n| family | channel | runs | under "
         << Percent(kAimed) << " % | of those, " << Percent(kAimed)
         << " % or more from the first clear second | from the first buffer | from the first clear second | the "
            "latest first clear second | per variant, over its seeds |\n|---|---|---|---|---|---|---|---|---|\n";
    std::vector<std::uint64_t> seeds(static_cast<std::size_t>(o_.freshSeeds));
    std::iota(seeds.begin(), seeds.end(), kFirst);
    // The tuning set alone leaves the unseen variants out here too.
    const std::optional<bool> set = o_.tuningOnly ? std::optional(false) : std::nullopt;
    for (const FadingChannel& channel : o_.fading)
      for (Family family : {Family::Ofdm, Family::Fsk, Family::Psk, Family::Mfsk}) {
        const FadingRates r = FadingCell(family, set, channel, kFreshSnr, seeds);
        out_ << "| " << FamilyName(family) << " | " << channel.name << " | " << r.runs << " | " << r.weak << " | "
             << r.channelHeld << " | " << r.all.Text() << " | " << r.clear.Text() << " | "
             << FormatNumber(r.latestClear, "0.0") << " s | " << r.variants.Text("0.0") << " |" << std::endl;
      }
  }

  // Busy buffers of all, option off / on.
  std::string OffOn(const Signal& signal) {
    const ModemRun off = Measure(AllOn(signal), With(false), o_.sweep.sampleSize);
    const ModemRun on = Measure(AllOn(signal), With(true), o_.sweep.sampleSize);
    return Percent(off.Rate()) + " / " + Percent(on.Rate());
  }
  static Signal AllOn(Signal signal) {
    std::fill(signal.on.begin(), signal.on.end(), 1);
    return signal;
  }

  void NoiseTable() {
    out_ << "\nPer cent of all buffers busy on a receiver's noise alone (at the noise level of that SNR), option "
            "off / on\n";
    Header("noise");
    for (const ChannelNoise& c : ChannelNoises()) {
      if (o_.tuningOnly && c.unseen) continue;
      out_ << Pad(std::string(c.name), 26);
      for (double snr : o_.sweep.snrs)
        out_ << Pad(OffOn(GenerateChannel({.channel = &c, .snrDb = snr, .seconds = o_.sweep.seconds, .seed = 77})), 12);
      out_ << '\n';
    }
  }

  void TransmissionTable() {
    out_ << "\nPer cent of all buffers busy on transmissions that are no modem, option off / on\n";
    Header("transmission");
    const std::vector<std::pair<std::string, SignalRecipe>> signals = {
        {"FAX-like", {.form = Form::Fax, .seed = 105}},
        {"speech-like, 120 Hz pitch", {.form = Form::Speech, .pitch = 120, .seed = 106}},
        {"speech-like, 200 Hz pitch", {.form = Form::Speech, .pitch = 200, .seed = 106}},
        {"keyed CW", {.form = Form::Cw, .keyed = true, .seed = 104}},
    };
    for (const auto& [name, base] : signals) {
      out_ << Pad(name, 26);
      for (double snr : o_.sweep.snrs) {
        SignalRecipe recipe = base;
        recipe.snrDb = snr;
        recipe.seconds = o_.sweep.seconds;
        out_ << Pad(OffOn(Generate(recipe)), 12);
      }
      out_ << '\n';
    }
  }

  // The Pactor forms keep their labels with the option on, and their
  // pauses stay free.
  void PactorTable() {
    using Pick = std::pair<int BufferCounts::*, int BufferCounts::*>;
    for (const auto& [title, pick] :
         {std::pair{"inside transmissions busy with the form's own label",
                    Pick{&BufferCounts::insideLabel, &BufferCounts::inside}},
          std::pair{"in the pauses busy", Pick{&BufferCounts::outsideBusy, &BufferCounts::outside}}}) {
      out_ << "\nPactor (one side of an ARQ link): per cent of the buffers " << title << ", option off / on\n";
      Header("form");
      for (int form = 0; form <= 6; ++form) {
        SignalRecipe recipe{.form = form == 0 ? Form::Pactor2 : Form::Pactor3,
                            .variant = std::max(1, form),
                            .seconds = o_.sweep.seconds,
                            .rhythm = {.ackLength = 0},
                            .seed = static_cast<std::uint64_t>(10 + form)};
        const std::string label = ExpectedLabel(recipe);
        out_ << Pad(form == 0 ? label : std::string(Pactor3Label(form)), 26);
        for (double snr : o_.sweep.snrs) {
          recipe.snrDb = snr;
          const Signal signal = Generate(recipe);
          const BufferCounts off = CountBuffers(signal, With(false), o_.sweep.sampleSize, label);
          const BufferCounts on = CountBuffers(signal, With(true), o_.sweep.sampleSize, label);
          const int of = off.*pick.second;
          out_ << Pad(of ? Percent(100.0 * off.*pick.first / of) + " / " + Percent(100.0 * on.*pick.first / of) : "-",
                      12);
        }
        out_ << '\n';
      }
    }
  }

  const DigitalSweepOptions& o_;
  std::ostream& out_;
  std::string weak_;  // the fading runs below the aim
};

}  // namespace

void RunDigitalSweep(const DigitalSweepOptions& options, std::ostream& out) { Sweeper(options, out).Run(); }

}  // namespace velmora::signalgen
