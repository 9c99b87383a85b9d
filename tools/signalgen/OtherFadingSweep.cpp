// --sweep-others: the CW, FAX and WWV modes and the noise detectors on faded signals (FadingSweep.h).
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <ostream>

#include "analysis/SignalAnalysis.h"
#include "common/Format.h"
#include "tools/signalgen/ChannelSignal.h"
#include "tools/signalgen/FadingSweep.h"

namespace velmora::signalgen {
namespace {

enum class OtherMode { Normal, Cw, Fax, Wwv, Noise };

struct OtherCounts {
  int all = 0, hits = 0, pactor2 = 0, pactor3 = 0, burst = 0, peak = 0, longestMiss = 0, nonFinite = 0;
};

// One recording through the normal chain (a hit: busy), one special mode (a hit: its detection) or the
// normal chain with the burst, peak and pulse detectors on (a hit: noise).
OtherCounts CountOtherMode(std::span<const float> samples, OtherMode mode, bool wideBand, std::int32_t sampleSize) {
  DetectorSettings s;
  s.cwMode = mode == OtherMode::Cw;
  s.faxMode = mode == OtherMode::Fax;
  s.wwvMode = mode == OtherMode::Wwv;
  s.pactor3WideBand = wideBand;
  s.burstEnabled = s.peakEnabled = s.pulseEnabled = mode == OtherMode::Noise;
  SignalAnalysis analysis(s);
  analysis.RestartContinuity();
  const auto pcm = ToPcm16(samples);
  const auto n = static_cast<std::size_t>(sampleSize);
  OtherCounts c;
  std::string panel;
  for (std::size_t start = 0, miss = 0; start + n <= pcm.size(); start += n) {
    analysis.Analyse({pcm.data() + start, n}, sampleSize);
    const Verdict v = analysis.Detect(panel);
    const DetectorResults& r = analysis.Results();
    const bool hit = mode == OtherMode::Normal ? v.busy
                     : mode == OtherMode::Cw   ? r.cwDetected
                     : mode == OtherMode::Fax  ? r.faxDetected
                     : mode == OtherMode::Wwv  ? r.wwvDetected
                                               : v.noise;
    ++c.all;
    c.hits += hit;
    c.pactor2 += v.busy && r.pactor2Detected;
    c.pactor3 += v.busy && r.pactor3Detected;
    c.burst += v.noise && r.burstDetected;
    c.peak += v.noise && r.peakDetected;
    for (float x : {r.cwLevel, r.cwValue, r.faxLevel, r.faxSnr, r.wwvLevel, r.wwvValue, r.pactor2Score,
                    r.pactor3Score, r.detectorValue, r.pulseValue})
      c.nonFinite += !std::isfinite(x);
    miss = hit ? 0 : miss + 1;
    c.longestMiss = std::max(c.longestMiss, static_cast<int>(miss));
  }
  return c;
}

std::string OtherPercent(int hits, int all) {
  const double p = all ? 100.0 * hits / all : 0;
  return hits == 0 ? "0" : p < 1 ? "<1" : FormatNumber(p < 100 ? std::min(std::floor(p + 0.5), 99.0) : 100.0, "0");
}

// The worst of several runs: the least share found (or the most, for signals that should not be) and
// the longest run missed.
struct OtherWorst {
  explicit OtherWorst(bool wanted) : wantHits(wanted) {}
  bool wantHits;
  double share = -1;
  std::string text;
  int longestMiss = 0, nonFinite = 0;
  void Add(const OtherCounts& c, bool labels) {
    const double s = c.all ? static_cast<double>(c.hits) / c.all : 0;
    if (share < 0 || (wantHits ? s < share : s > share)) {
      share = s;
      text = OtherPercent(c.hits, c.all) + " %";
      if (labels && c.pactor2) text += " P2 " + OtherPercent(c.pactor2, c.all);
      if (labels && c.pactor3) text += " P3 " + OtherPercent(c.pactor3, c.all);
      if (labels && c.burst) text += " B " + OtherPercent(c.burst, c.all);
      if (labels && c.peak) text += " Pk " + OtherPercent(c.peak, c.all);
    }
    longestMiss = std::max(longestMiss, c.longestMiss);
    nonFinite += c.nonFinite;
  }
  std::string Text(double bufferSeconds) const {
    return wantHits ? text + " / " + FormatNumber(longestMiss * bufferSeconds, "0.0") + " s" : text;
  }
};

struct OtherKind {
  const char* name;
  Form form;
  bool keyed;
  OtherMode own;
};
constexpr OtherKind kOtherKinds[] = {{"steady CW", Form::Cw, false, OtherMode::Cw},
                                     {"keyed CW", Form::Cw, true, OtherMode::Cw},
                                     {"FAX-like", Form::Fax, false, OtherMode::Fax},
                                     {"WWV-like", Form::Wwv, false, OtherMode::Wwv}};
constexpr double kOtherSnrs[] = {0, 5, 10, 20};
constexpr double kOtherFalseSnrs[] = {5, 10, 20};
constexpr int kOtherLinkForms[] = {1, 2, 3, 5, 6};

std::vector<FadingChannel> OtherChannels() {
  std::vector<FadingChannel> channels{FadingChannel{}};
  for (const FadingChannel& c : NamedChannels()) channels.push_back(c);
  return channels;
}

std::vector<float> WithNoise(std::vector<float> samples, std::uint64_t seed, double snr) {
  Random noise(seed ^ 0x5DEECE66DULL);
  AddNoise(samples, NoiseRms(3000, snr), noise);
  return samples;
}

void OtherSignalTable(std::optional<OtherMode> mode, double seconds, std::int32_t sampleSize, std::ostream& out,
                      int& nonFinite) {
  out << "\n| signal | channel |";
  for (double snr : kOtherSnrs) out << ' ' << FormatNumber(snr, "0") << " dB tuning | unseen |";
  out << "\n|---|---|---|---|---|---|---|---|---|---|\n";
  for (const OtherKind& kind : kOtherKinds)
    for (const FadingChannel& channel : OtherChannels()) {
      std::vector<OtherWorst> cells(2 * std::size(kOtherSnrs), OtherWorst(mode != OtherMode::Noise));
      for (std::uint64_t seed : {1, 2, 21, 22, 23, 24}) {
        SignalRecipe r{.form = kind.form, .snrDb = std::numeric_limits<double>::infinity(), .seconds = seconds};
        r.keyed = kind.keyed;
        r.seed = seed;
        r.channel = channel;
        const Signal quiet = Generate(r);
        for (std::size_t i = 0; i < std::size(kOtherSnrs); ++i) {
          const auto samples = WithNoise(quiet.samples, seed, kOtherSnrs[i]);
          const auto c = CountOtherMode(samples, mode.value_or(kind.own), false, sampleSize);
          cells[2 * i + (seed > 2)].Add(c, mode.has_value());
        }
      }
      out << "| " << kind.name << " | " << channel.name << " |";
      for (const OtherWorst& w : cells) {
        out << ' ' << w.Text(sampleSize / kRate) << " |";
        nonFinite += w.nonFinite;
      }
      out << std::endl;
    }
}

// What must not read as a detection: every row the worst share of its runs, in each mode.
void OtherFalseRow(const std::string& name, const std::vector<std::vector<float>> (&runs)[2], bool wideBand,
                   std::int32_t sampleSize, std::ostream& out, int& nonFinite) {
  out << "| " << name << " |";
  for (OtherMode mode : {OtherMode::Normal, OtherMode::Cw, OtherMode::Fax, OtherMode::Wwv, OtherMode::Noise})
    for (const auto& side : runs) {
      OtherWorst worst(false);
      for (const auto& samples : side) worst.Add(CountOtherMode(samples, mode, wideBand, sampleSize), true);
      out << ' ' << (side.empty() ? "" : worst.Text(0)) << " |";
      nonFinite += worst.nonFinite;
    }
  out << std::endl;
}

}  // namespace

void RunOtherFadingSweep(double seconds, std::int32_t sampleSize, std::ostream& out) {
  int nonFinite = 0;
  out << "CW, FAX-like and WWV-like signals through fading channels (" << sampleSize << " samples, "
      << FormatNumber(seconds, "0") << " s each, the worst of seeds 1, 2 (tuning) and 21 to 24 (unseen))\n"
      << "\nIn their own mode (CW, FAX, WWV): share detected / longest run missed\n";
  OtherSignalTable(std::nullopt, seconds, sampleSize, out, nonFinite);
  out << "\nDefault settings: share busy (Pactor 2, Pactor 3 labels) / longest free run\n";
  OtherSignalTable(OtherMode::Normal, seconds, sampleSize, out, nonFinite);
  out << "\nBurst, peak and pulse detectors on: share noise (Burst, Peak labels) / longest run without\n";
  OtherSignalTable(OtherMode::Noise, seconds, sampleSize, out, nonFinite);
  out << "\nNo signal of these: share busy with default settings (labels), detected in CW, FAX, WWV mode, noise "
         "with the burst, peak and pulse detectors on; tuning | unseen\n\n"
         "| signal | busy | | CW | | FAX | | WWV | | noise | |\n|---|---|---|---|---|---|---|---|---|---|---|\n";
  std::vector<std::string> kinds;
  for (const ChannelNoise& c : ChannelNoises())
    if (std::ranges::find(kinds, c.kind) == kinds.end()) kinds.emplace_back(c.kind);
  for (const std::string& kind : kinds) {
    std::vector<std::vector<float>> runs[2];
    for (const ChannelNoise& c : ChannelNoises())
      for (std::uint64_t seed : {1, 2, 21, 22, 23, 24})
        if (c.kind == kind && (seed > 2) == c.unseen)
          for (double snr : {0.0, 20.0})
            runs[c.unseen].push_back(
                GenerateChannel({.channel = &c, .snrDb = snr, .seconds = seconds, .seed = seed}).samples);
    OtherFalseRow("receiver noise, " + kind, runs, false, sampleSize, out, nonFinite);
  }
  for (const FadingChannel& channel : OtherChannels())
    for (int form : kOtherLinkForms) {
      std::vector<std::vector<float>> runs[2];
      for (std::uint64_t seed : {1, 2, 21, 22, 23, 24}) {
        const Signal quiet = Generate(FadingRecipe(form, channel, seed, seconds, true));
        for (double snr : kOtherFalseSnrs) runs[seed > 2].push_back(WithNoise(quiet.samples, seed, snr));
      }
      OtherFalseRow("Pactor 3 form " + IntegerText(form) + " link, " + channel.name, runs, form == 6, sampleSize, out,
                    nonFinite);
    }
  out << "\nValues not finite: " << nonFinite << "\n";
}

}  // namespace velmora::signalgen
