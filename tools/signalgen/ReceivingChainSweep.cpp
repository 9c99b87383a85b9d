// --sweep-chain: the detectors through the faults of a receiving chain (ReceivingChain.h).
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>
#include <ostream>
#include <string>

#include "analysis/SignalAnalysis.h"
#include "common/Format.h"
#include "tools/signalgen/ChannelSignal.h"
#include "tools/signalgen/ModemSet.h"
#include "tools/signalgen/ReceivingChain.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora::signalgen {
namespace {

constexpr double kChainSnr = 10;
constexpr double kFullScale = 32768;

enum class ChainMode { Normal, DigitalBusy, Cw, Fax, Wwv, Noise };

struct ChainRow {
  std::string name;
  ChainFault fault;
  double clipShare = 0;  // else: the gain that clips this share of the samples
  double rmsDbfs = 0;    // else: the gain that puts the recording's RMS there
  double offset = 0;     // Hz, the receiver mistuned
  float searchRange = 0;  // the Pactor detectors' offset search, Hz each side (step 20 Hz)
};

std::vector<ChainRow> ChainRows() {
  std::vector<ChainRow> rows{{"none", {}}};
  for (double share : {0.001, 0.01, 0.05, 0.2, 0.5, 0.8})
    rows.push_back({FormatNumber(share * 100, share < 0.01 ? "0.0" : "0") + " % of the samples clipped", {}, share});
  for (double dbfs : {-40.0, -50.0, -60.0})
    rows.push_back({"RMS " + FormatNumber(dbfs, "0") + " dBFS", {}, 0, dbfs});
  rows.push_back({"8-bit", {.eightBit = true}});
  for (double dbfs : {-30.0, -40.0})
    rows.push_back({"8-bit, RMS " + FormatNumber(dbfs, "0") + " dBFS", {.eightBit = true}, 0, dbfs});
  for (double dc : {300.0, 1000.0, 3000.0, -3000.0})
    rows.push_back({"DC " + std::string(dc > 0 ? "+" : "") + FormatNumber(dc, "0"), {.dc = dc}});
  for (double clock : {0.1, -0.2, 0.2, 0.5, -1.0, 1.0})
    rows.push_back({"clock " + std::string(clock > 0 ? "+" : "") + FormatNumber(clock, "0.0") + " %",
                    {.clock = clock / 100}});
  for (double offset : {50.0, -50.0, 100.0, -100.0, 200.0, 300.0})
    rows.push_back({"mistuned " + std::string(offset > 0 ? "+" : "") + FormatNumber(offset, "0") + " Hz", {}, 0, 0,
                    offset});
  for (const auto& [offset, search] : {std::pair{50.0f, 100.0f}, {100.0f, 100.0f}, {200.0f, 200.0f}}) {
    ChainRow row{"mistuned +" + FormatNumber(offset, "0") + " Hz, offset search " + FormatNumber(search, "0") + " Hz",
                 {}, 0, 0, offset};
    row.searchRange = search;
    rows.push_back(row);
  }
  rows.push_back({"1 % clipped, DC +1000, clock +0.2 %", {.clock = 0.002, .dc = 1000}, 0.01});
  return rows;
}

// The gain of the row for these samples.
double RowGain(const ChainRow& row, std::span<const float> samples) {
  if (samples.empty()) return 1;
  if (row.clipShare > 0) {
    std::vector<float> magnitude(samples.size());
    std::transform(samples.begin(), samples.end(), magnitude.begin(), [](float x) { return std::abs(x); });
    const auto k = static_cast<std::size_t>((1 - row.clipShare) * static_cast<double>(magnitude.size() - 1));
    std::nth_element(magnitude.begin(), magnitude.begin() + static_cast<std::ptrdiff_t>(k), magnitude.end());
    return magnitude[k] > 0 ? kFullScale / magnitude[k] : 1;
  }
  if (row.rmsDbfs != 0) {
    double squares = 0;
    for (float x : samples) squares += static_cast<double>(x) * x;
    const double rms = std::sqrt(squares / static_cast<double>(samples.size()));
    return rms > 0 ? kFullScale * std::pow(10.0, row.rmsDbfs / 20) / rms : 1;
  }
  return row.fault.gain;
}

struct ChainCount {
  int judged = 0, hits = 0, nonFinite = 0, outOfRange = 0;
};

ChainCount CountChain(const Signal& signal, const ChainRow& row, ChainMode mode, std::int32_t sampleSize) {
  ChainFault fault = row.fault;
  fault.gain = RowGain(row, signal.samples);
  const auto pcm = ThroughChain(signal.samples, fault);
  const auto on = ResampleMaskForClock(signal.on, fault.clock);
  DetectorSettings s;
  s.digitalBusy = mode == ChainMode::DigitalBusy;
  s.cwMode = mode == ChainMode::Cw;
  s.faxMode = mode == ChainMode::Fax;
  s.wwvMode = mode == ChainMode::Wwv;
  s.burstEnabled = s.peakEnabled = s.pulseEnabled = mode == ChainMode::Noise;
  s.offsetFrequencyRange = row.searchRange;
  s.offsetFrequencyStep = 20;
  SignalAnalysis analysis(s);
  analysis.RestartContinuity();
  const auto n = static_cast<std::size_t>(sampleSize);
  const bool anyOn = std::find(signal.on.begin(), signal.on.end(), 1) != signal.on.end();
  ChainCount c;
  std::string panel;
  for (std::size_t start = 0; start + n <= pcm.size(); start += n) {
    analysis.Analyse({pcm.data() + start, n}, sampleSize);
    const Verdict v = analysis.Detect(panel);
    const DetectorResults& r = analysis.Results();
    for (float x : {r.cwLevel, r.cwValue, r.faxLevel, r.faxSnr, r.wwvLevel, r.wwvValue, r.pactor2Score,
                    r.pactor3Score, r.detectorValue, r.pulseValue, r.peakValue, analysis.BufferLevel()})
      c.nonFinite += !std::isfinite(x);
    c.outOfRange += std::abs(r.pactor2Score) > 100 || std::abs(r.pactor3Score) > 100 || r.peakValue < 0;
    // A signal is judged where it is on for the whole buffer; the free channel everywhere.
    if (anyOn && std::count(on.begin() + static_cast<std::ptrdiff_t>(start),
                            on.begin() + static_cast<std::ptrdiff_t>(start + n), 1) != static_cast<long>(n))
      continue;
    ++c.judged;
    c.hits += mode == ChainMode::Cw    ? r.cwDetected
              : mode == ChainMode::Fax ? r.faxDetected
              : mode == ChainMode::Wwv ? r.wwvDetected
              : mode == ChainMode::Noise ? v.noise
                                         : v.busy;
  }
  return c;
}

std::string ChainPercent(int hits, int all) {
  const double p = all ? 100.0 * hits / all : 0;
  return hits == 0 ? "0" : p < 1 ? "<1" : FormatNumber(p < 100 ? std::min(std::floor(p + 0.5), 99.0) : 100.0, "0");
}

struct ChainColumn {
  std::string name;
  ChainMode mode;
  // The signal of a seed with the row's mistuning; tuning seeds are 1 and 2.
  std::function<Signal(std::uint64_t seed, double offset, double seconds)> make;
};

Signal PactorSignal(Form form, int variant, std::uint64_t seed, double offset, double seconds) {
  SignalRecipe r{.form = form, .variant = variant, .offset = offset, .snrDb = kChainSnr, .seconds = seconds};
  r.rhythm.ackLength = 0;
  r.seed = seed;
  return Generate(r);
}

Signal FormSignal(Form form, std::uint64_t seed, double offset, double seconds) {
  SignalRecipe r{.form = form, .offset = offset, .snrDb = kChainSnr, .seconds = seconds};
  r.seed = seed;
  return Generate(r);
}

Signal ModemSignal(const char* family, std::uint64_t seed, double seconds) {
  const std::string name = std::string(family) + (seed <= 2 ? "-s1" : "-u1");
  return GenerateChannel({.modem = FindModem(name), .snrDb = kChainSnr, .seconds = seconds, .seed = seed});
}

std::vector<ChainColumn> BusyColumns() {
  std::vector<ChainColumn> columns{{"Pactor 2", ChainMode::Normal, [](std::uint64_t seed, double offset,
                                                                      double seconds) {
                                      return PactorSignal(Form::Pactor2, 1, seed, offset, seconds);
                                    }}};
  for (int v : {1, 2, 3, 5, 6})
    columns.push_back({"P3 " + IntegerText(v), ChainMode::Normal,
                       [v](std::uint64_t seed, double offset, double seconds) {
                         return PactorSignal(Form::Pactor3, v, seed, offset, seconds);
                       }});
  const std::pair<const char*, std::pair<Form, ChainMode>> modes[] = {{"CW", {Form::Cw, ChainMode::Cw}},
                                                                       {"FAX", {Form::Fax, ChainMode::Fax}},
                                                                       {"WWV", {Form::Wwv, ChainMode::Wwv}}};
  for (const auto& [name, m] : modes) {
    const Form form = m.first;
    columns.push_back({name, m.second, [form](std::uint64_t seed, double offset, double seconds) {
                         return FormSignal(form, seed, offset, seconds);
                       }});
  }
  // The modems' own frequencies: a mistuned receiver moves nothing the
  // Digital Busy rules look for but the band.
  for (const char* family : {"ofdm", "fsk", "psk", "mfsk"})
    columns.push_back({family, ChainMode::DigitalBusy, [family](std::uint64_t seed, double, double seconds) {
                         return ModemSignal(family, seed, seconds);
                       }});
  return columns;
}

constexpr const char* kChainNoiseKinds[] = {"white", "passband", "agc-slow", "agc-fast", "hum", "crashes"};

Signal FreeSignal(std::string_view kind, std::uint64_t seed, double seconds) {
  const bool unseen = seed > 2;
  std::string name(kind);
  if (kind == "passband") name += unseen ? "-u1" : "-s1";
  else if (kind != "white") name += unseen ? "-u" : "-s";
  return GenerateChannel({.channel = FindChannel(name), .snrDb = kChainSnr, .seconds = seconds, .seed = seed});
}

struct ChainTally {
  int nonFinite = 0, outOfRange = 0;
  // The share of the buffers found, the count's faults added up.
  double Share(const ChainCount& c) {
    nonFinite += c.nonFinite;
    outOfRange += c.outOfRange;
    return c.judged ? static_cast<double>(c.hits) / c.judged : 0;
  }
};

void BusyTable(std::span<const std::uint64_t> seeds, double seconds, std::int32_t sampleSize, std::ostream& out,
               ChainTally& tally) {
  const auto columns = BusyColumns();
  // Each signal made once, for every fault but a mistuning.
  std::map<std::tuple<std::string, std::uint64_t, double>, Signal> signals;
  const auto made = [&](const ChainColumn& column, std::uint64_t seed, double offset) -> const Signal& {
    const auto key = std::tuple(column.name, seed, offset);
    auto found = signals.find(key);
    if (found == signals.end()) found = signals.emplace(key, column.make(seed, offset, seconds)).first;
    return found->second;
  };
  out << "\n| fault |";
  for (const ChainColumn& c : columns) out << ' ' << c.name << " |";
  out << "\n|---|";
  for (std::size_t i = 0; i < columns.size(); ++i) out << "---|";
  out << '\n';
  for (const ChainRow& row : ChainRows()) {
    out << "| " << row.name << " |";
    for (const ChainColumn& column : columns) {
      double least = 2;
      std::string text;
      for (std::uint64_t seed : seeds) {
        const auto c = CountChain(made(column, seed, row.offset), row, column.mode, sampleSize);
        const double share = tally.Share(c);
        if (share < least) least = share, text = ChainPercent(c.hits, c.judged);
      }
      out << ' ' << text << " |";
    }
    out << std::endl;
  }
}

void FreeTable(std::span<const std::uint64_t> seeds, double seconds, std::int32_t sampleSize, std::ostream& out,
               ChainTally& tally) {
  const std::pair<const char*, ChainMode> modes[] = {
      {"busy", ChainMode::Normal}, {"busy, Digital Busy on", ChainMode::DigitalBusy}, {"CW mode", ChainMode::Cw},
      {"FAX mode", ChainMode::Fax}, {"WWV mode", ChainMode::Wwv}, {"noise, noise detectors on", ChainMode::Noise}};
  out << "\n| fault |";
  for (const auto& [name, mode] : modes) out << ' ' << name << " |";
  out << "\n|---|---|---|---|---|---|---|\n";
  std::map<std::pair<std::string, std::uint64_t>, Signal> signals;
  for (const char* kind : kChainNoiseKinds)
    for (std::uint64_t seed : seeds) signals.emplace(std::pair(kind, seed), FreeSignal(kind, seed, seconds));
  std::vector<float> searched;
  for (const ChainRow& row : ChainRows()) {
    // Nothing to mistune: the offset search alone, once for each range.
    if (row.offset != 0 && (row.searchRange == 0 || std::ranges::count(searched, row.searchRange))) continue;
    if (row.offset != 0) searched.push_back(row.searchRange);
    out << "| " << (row.offset != 0 ? "offset search " + FormatNumber(row.searchRange, "0") + " Hz" : row.name)
        << " |";
    for (const auto& [name, mode] : modes) {
      double most = -1;
      std::string text;
      for (const char* kind : kChainNoiseKinds)
        for (std::uint64_t seed : seeds) {
          const auto c = CountChain(signals.at(std::pair(kind, seed)), row, mode, sampleSize);
          const double share = tally.Share(c);
          if (share > most) most = share, text = ChainPercent(c.hits, c.judged) + (c.hits ? std::string(" ") + kind : "");
        }
      out << ' ' << text << " |";
    }
    out << std::endl;
  }
}

// A whole Pactor link, the other station 20 dB below or above the first;
// the weaker at the sweep's ratio to the noise, the stronger 20 dB above it.
void LinkTable(std::span<const std::uint64_t> seeds, double seconds, std::int32_t sampleSize, std::ostream& out,
               ChainTally& tally) {
  out << "\n| other station | fault | Pactor 2 | P3 1 | P3 2 | P3 3 | P3 5 | P3 6 |\n|---|---|---|---|---|---|---|---|\n";
  const auto rows = ChainRows();
  for (double otherDb : {-20.0, 20.0})
    for (const std::string_view name : {"none", "1 % of the samples clipped", "DC +1000", "clock +0.2 %"}) {
      const auto row = std::find_if(rows.begin(), rows.end(), [&](const ChainRow& r) { return r.name == name; });
      if (row == rows.end()) continue;
      out << "| " << (otherDb > 0 ? "+" : "") << FormatNumber(otherDb, "0") << " dB | " << name << " |";
      for (int form : {0, 1, 2, 3, 5, 6}) {
        double least = 2;
        std::string text;
        for (std::uint64_t seed : seeds) {
          SignalRecipe r{.form = form ? Form::Pactor3 : Form::Pactor2, .variant = std::max(form, 1),
                         .snrDb = kChainSnr + std::max(0.0, -otherDb), .seconds = seconds, .link = true};
          r.seed = seed;
          r.linkPauses.otherLevel = std::pow(10.0, otherDb / 20);
          const auto c = CountChain(Generate(r), *row, ChainMode::Normal, sampleSize);
          const double share = tally.Share(c);
          if (share < least) least = share, text = ChainPercent(c.hits, c.judged);
        }
        out << ' ' << text << " |";
      }
      out << std::endl;
    }
}

}  // namespace

void RunChainSweep(double seconds, std::int32_t sampleSize, std::ostream& out) {
  constexpr std::uint64_t kTuning[] = {1, 2};
  constexpr std::uint64_t kUnseen[] = {21, 22, 23, 24};
  ChainTally tally;
  out << "The detectors through a receiving chain's faults (" << sampleSize << " samples, "
      << FormatNumber(seconds, "0") << " s each, " << FormatNumber(kChainSnr, "0")
      << " dB in 3 kHz; the worst of the seeds)\n";
  for (const auto& [title, seeds] : {std::pair{"tuning, seeds 1 and 2", std::span<const std::uint64_t>(kTuning)},
                                     std::pair{"unseen, seeds 21 to 24", std::span<const std::uint64_t>(kUnseen)}}) {
    out << "\nBusy forms, " << title << ": per cent of the buffers inside the signal found (Pactor: busy with "
        << "the default settings; CW, FAX, WWV in their mode; the modems busy with Digital Busy on)\n";
    BusyTable(seeds, seconds, sampleSize, out, tally);
    out << "\nA Pactor link, " << title << ": per cent of the buffers inside a transmission found busy\n";
    LinkTable(seeds, seconds, sampleSize, out, tally);
    out << "\nThe free channel, " << title << ": the most of any receiver's noise, per cent of the buffers\n";
    FreeTable(seeds, seconds, sampleSize, out, tally);
  }
  out << "\nValues not finite: " << tally.nonFinite << "; figures out of their range: " << tally.outOfRange << "\n";
}

}  // namespace velmora::signalgen
