#include "tools/signalgen/ShipNoiseSweep.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/SignalAnalysis.h"
#include "common/Format.h"
#include "tools/signalgen/Pcm.h"
#include "tools/signalgen/SignalGen.h"
#include "tools/signalgen/ShipNoise.h"

namespace velmora::signalgen {
namespace {

enum class ShipHit { Busy, Noise, Either, Modes };

struct ShipSetup {
  const char* title;
  ShipHit hit;
  bool digitalBusy = false, pactorFading = false, noiseDetectors = false;
};

constexpr ShipSetup kShipSetups[] = {
    {"Default settings: share busy (P2 \"Pactor 2\", P3 \"Pactor 3\") / longest free run", ShipHit::Busy},
    {"\"Digital Busy\" on: share busy (D \"Digital\") / longest free run", ShipHit::Busy, true},
    {"\"Pactor Fading\" on: share busy (F \"Fading\") / longest free run", ShipHit::Busy, false, true},
    {"Burst, peak and pulse detectors on: share noise (B \"Burst Noise\", Pk \"Peak Noise\")", ShipHit::Noise, false,
     false, true},
    {"Everything on (\"Digital Busy\", \"Pactor Fading\", burst, peak, pulse): share busy or noise / longest free run",
     ShipHit::Either, true, true, true},
    {"CW, FAX and WWV modes (each alone): share detected, CW / FAX / WWV", ShipHit::Modes},
};
constexpr double kShipSnrs[] = {0, 10, 20};
constexpr std::uint64_t kShipSeeds[] = {1, 2, 21, 22, 23, 24};

struct ShipCounts {
  int all = 0, hits = 0, pactor2 = 0, pactor3 = 0, digital = 0, fading = 0, burst = 0, peak = 0, longestFree = 0;
  int outOfRange = 0;
};

// A value no detector may give: not finite, or a score outside -100..100.
int ShipBadValues(const DetectorResults& r) {
  int bad = 0;
  for (float x : {r.cwLevel, r.cwValue, r.faxLevel, r.faxSnr, r.wwvLevel, r.wwvValue, r.detectorValue, r.pulseValue,
                  r.peakValue, r.digitalWidth, r.fadingScore, r.pulseRatio})
    bad += !std::isfinite(x);
  for (float score : {r.pactor2Score, r.pactor3Score}) bad += !(score >= -100 && score <= 100);
  return bad;
}

ShipCounts ShipCount(std::span<const std::int16_t> pcm, DetectorSettings s, ShipHit hit, std::int32_t sampleSize) {
  SignalAnalysis analysis(s);
  analysis.RestartContinuity();
  const auto n = static_cast<std::size_t>(sampleSize);
  ShipCounts c;
  std::string panel;
  for (std::size_t start = 0, free = 0; start + n <= pcm.size(); start += n) {
    analysis.Analyse({pcm.data() + start, n}, sampleSize);
    const Verdict v = analysis.Detect(panel);
    const DetectorResults& r = analysis.Results();
    const bool found = hit == ShipHit::Busy    ? v.busy
                       : hit == ShipHit::Noise ? v.noise
                       : hit == ShipHit::Either ? v.busy || v.noise
                                                : r.cwDetected || r.faxDetected || r.wwvDetected;
    ++c.all;
    c.hits += found;
    c.pactor2 += v.busy && r.pactor2Detected;
    c.pactor3 += v.busy && r.pactor3Detected;
    c.fading += v.busy && r.fadingDetected && !r.pactor2Detected && !r.pactor3Detected;
    c.digital += v.busy && r.digitalDetected && !r.pactor2Detected && !r.pactor3Detected && !r.fadingDetected;
    c.burst += v.noise && r.burstDetected;
    c.peak += v.noise && r.peakDetected;
    c.outOfRange += ShipBadValues(r);
    free = found ? 0 : free + 1;
    c.longestFree = std::max(c.longestFree, static_cast<int>(free));
  }
  return c;
}

std::string ShipPercent(int hits, int all) {
  const double p = all ? 100.0 * hits / all : 0;
  return hits == 0 ? "0" : p < 1 ? "<1" : FormatNumber(p < 100 ? std::min(std::floor(p + 0.5), 99.0) : 100.0, "0");
}

// The worst of several runs: the largest share, with its labels, and the shortest longest free run.
struct ShipWorst {
  double share = -1;
  std::string text;
  int shortestFree = -1;
  void Add(const ShipCounts& c) {
    const double s = c.all ? static_cast<double>(c.hits) / c.all : 0;
    if (s > share) {
      share = s;
      text = ShipPercent(c.hits, c.all) + " %";
      const std::pair<const char*, int> labels[] = {{"P2", c.pactor2}, {"P3", c.pactor3}, {"F", c.fading},
                                                    {"D", c.digital},  {"B", c.burst},    {"Pk", c.peak}};
      for (const auto& [label, count] : labels)
        if (count) text += std::string(" ") + label + " " + ShipPercent(count, c.all);
    }
    shortestFree = shortestFree < 0 ? c.longestFree : std::min(shortestFree, c.longestFree);
  }
};

// The three modes in one cell: the largest share each found.
struct ShipModesWorst {
  int most[3] = {0, 0, 0};
  int all = 0;  // every run of a sweep is as long
  void Add(int mode, const ShipCounts& c) {
    most[mode] = std::max(most[mode], c.hits);
    all = c.all;
  }
};

DetectorSettings ShipSettings(const ShipSetup& setup, int mode) {
  DetectorSettings s;
  s.digitalBusy = setup.digitalBusy;
  s.pactorFading = setup.pactorFading;
  s.burstEnabled = s.peakEnabled = s.pulseEnabled = setup.noiseDetectors;
  s.cwMode = mode == 0;
  s.faxMode = mode == 1;
  s.wwvMode = mode == 2;
  return s;
}

}  // namespace

void RunShipNoiseSweep(double seconds, std::int32_t sampleSize, std::ostream& out) {
  const double bufferSeconds = sampleSize / kRate;
  // Every recording once: kind by kind, ratio by ratio, seed by seed.
  struct ShipRun {
    std::size_t kind, snr;
    bool unseen;
    std::vector<std::int16_t> pcm;
  };
  std::vector<ShipRun> runs;
  for (std::size_t k = 0; k < ShipNoiseKinds().size(); ++k)
    for (std::size_t i = 0; i < std::size(kShipSnrs); ++i)
      for (std::uint64_t seed : kShipSeeds)
        runs.push_back({k, i, seed > 2, ToPcm16(ShipChannel(ShipNoiseKinds()[k].kind, kShipSnrs[i], seconds, seed))});
  out << "The ship's own interference (" << sampleSize << " samples, " << FormatNumber(seconds, "0")
      << " s each; the ratio is the interference's over white noise in 3 kHz, through a 300 to 2700 Hz passband; "
         "each cell the worst of seeds 1, 2 (tuning) or 21 to 24 (unseen): the largest share, the shortest longest "
         "free run)\n";
  int bad = 0;
  for (const ShipSetup& setup : kShipSetups) {
    out << "\n" << setup.title << "\n\n| interference |";
    for (double snr : kShipSnrs) out << ' ' << FormatNumber(snr, "0") << " dB tuning | unseen |";
    out << "\n|---|---|---|---|---|---|---|\n";
    for (std::size_t k = 0; k < ShipNoiseKinds().size(); ++k) {
      out << "| " << ShipNoiseKinds()[k].row << " |";
      for (std::size_t i = 0; i < std::size(kShipSnrs); ++i)
        for (bool unseen : {false, true}) {
          ShipWorst worst;
          ShipModesWorst modes;
          for (const ShipRun& run : runs) {
            if (run.kind != k || run.snr != i || run.unseen != unseen) continue;
            for (int mode = 0; mode < (setup.hit == ShipHit::Modes ? 3 : 1); ++mode) {
              const ShipCounts c = ShipCount(run.pcm, ShipSettings(setup, setup.hit == ShipHit::Modes ? mode : -1),
                                             setup.hit, sampleSize);
              bad += c.outOfRange;
              worst.Add(c);
              modes.Add(mode, c);
            }
          }
          if (setup.hit == ShipHit::Modes)
            out << ' ' << ShipPercent(modes.most[0], modes.all) << " / " << ShipPercent(modes.most[1], modes.all)
                << " / " << ShipPercent(modes.most[2], modes.all) << " |";
          else if (setup.hit == ShipHit::Noise)
            out << ' ' << worst.text << " |";
          else
            out << ' ' << worst.text << " / " << FormatNumber(worst.shortestFree * bufferSeconds, "0.0") << " s |";
        }
      out << std::endl;
    }
  }
  out << "\nValues not finite or out of range: " << bad << "\n";
}

}  // namespace velmora::signalgen
