#include "tools/signalgen/LinkPauses.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/signalgen/SignalGen.h"

namespace velmora::signalgen {
namespace {

constexpr double kRamp = 0.005;  // s, as every keyed element of the generator

void Key(std::vector<float>& gate, double from, double to, double level) {
  const long first = std::max(0L, static_cast<long>(std::floor(from * kRate)));
  const long last = std::min(static_cast<long>(gate.size()) - 1, static_cast<long>(std::ceil(to * kRate)));
  for (long n = first; n <= last; ++n) {
    const double t = n / kRate;
    const double rise = std::min({1.0, std::max(0.0, t - from) / kRamp, std::max(0.0, to - t) / kRamp});
    const auto g = static_cast<float>(level * (0.5 - 0.5 * std::cos(std::numbers::pi * rise)));
    gate[static_cast<std::size_t>(n)] = std::max(gate[static_cast<std::size_t>(n)], g);
  }
}

// Cycles until the next turn: geometric with the given mean, at least one.
int Cycles(double mean, Random& random) {
  return 1 + static_cast<int>(-std::log(1 - random.Uniform()) * std::max(0.0, mean - 1));
}

}  // namespace

LinkGates MakeLinkGates(std::size_t count, const LinkPauses& pauses, double start, Random& random) {
  LinkGates gates{std::vector<float>(count, 0.0f), std::vector<float>(count, 0.0f)};
  const double total = static_cast<double>(count) / kRate;
  if (pauses.cycle <= 0) return gates;
  bool firstSends = true;
  int left = Cycles(pauses.turnEvery, random);
  for (double t = std::max(0.0, start); t < total; t += pauses.cycle) {
    auto& sender = firstSends ? gates.first : gates.other;
    auto& receiver = firstSends ? gates.other : gates.first;
    Key(sender, t, t + pauses.block, 1);
    Key(receiver, t + pauses.replyStart, t + pauses.replyStart + pauses.reply, 1);
    if (--left == 0) {
      firstSends = !firstSends;
      left = Cycles(firstSends ? pauses.turnEvery : pauses.turnFor, random);
    }
  }
  return gates;
}

std::vector<float> AddLink(std::span<float> out, std::span<const double> tones, double rms, double rollOff,
                           const LinkPauses& pauses, double start, const FadingChannel& channel,
                           std::uint64_t seed, Random& random) {
  const LinkGates gates = MakeLinkGates(out.size(), pauses, start, random);
  std::vector<float> envelope(out.size(), 0.0f);
  for (int station = 0; station < 2; ++station) {
    const auto& gate = station == 0 ? gates.first : gates.other;
    const double level = station == 0 ? 1.0 : pauses.otherLevel;
    std::vector<float> heard(out.size(), 0.0f);
    AddPskTones(heard, tones, rms * level, gate, random, rollOff);
    ApplyFading(heard, channel, seed + static_cast<std::uint64_t>(station));
    for (std::size_t n = 0; n < out.size(); ++n) {
      out[n] += heard[n];
      envelope[n] = std::max(envelope[n], gate[n]);
    }
  }
  return envelope;
}

}  // namespace velmora::signalgen
