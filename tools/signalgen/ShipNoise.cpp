#include "tools/signalgen/ShipNoise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/signalgen/PskModem.h"
#include "tools/signalgen/Receiver.h"
#include "tools/signalgen/SignalGen.h"
#include "tools/signalgen/Waveform.h"

namespace velmora::signalgen {
namespace {

constexpr double kShipTwoPi = 2 * std::numbers::pi;

constexpr ShipNoiseKind kShipKinds[] = {
    {"birdie", "birdies, steady", ShipKind::Birdie},
    {"birdie-drift", "birdies, drifting", ShipKind::DriftingBirdie},
    {"inverter", "inverter (carrier and sidebands)", ShipKind::Inverter},
    {"ignition", "ignition", ShipKind::Ignition},
    {"whine", "alternator whine", ShipKind::Whine},
    {"buzz", "lighting buzz", ShipKind::LightingBuzz},
    {"splatter", "SSB voice splatter", ShipKind::Splatter},
    {"next-channel", "data on the next channel", ShipKind::NextChannel},
    {"beeps", "the radio's beeps", ShipKind::Beeps},
    {"alarm", "ship's alarm", ShipKind::Alarm},
};

double ShipBetween(Random& random, double low, double high) { return low + (high - low) * random.Uniform(); }

// A slow wander back and forth: a triangle of ±swing Hz run through at `rate` Hz per second.
double ShipWander(double t, double rate, double swing, double start) {
  if (rate <= 0 || swing <= 0) return 0;
  const double period = 4 * swing / rate, x = std::fmod(t / period + start, 1.0);
  return swing * (x < 0.5 ? 4 * x - 1 : 3 - 4 * x);
}

// Adds a tone that follows frequency(t), from a random phase.
template <class Frequency>
void ShipAddGliding(std::vector<double>& wave, double level, Frequency frequency, Random& random) {
  double phase = random.Uniform() * kShipTwoPi;
  for (std::size_t n = 0; n < wave.size(); ++n) {
    wave[n] += level * std::cos(phase);
    phase = std::fmod(phase + kShipTwoPi * frequency(static_cast<double>(n) / kRate) / kRate, kShipTwoPi);
  }
}

// Adds the wave at `rms` while it is not silent (its silent samples are exactly 0).
void ShipAddWhileOn(std::span<float> out, std::span<const double> wave, double rms) {
  double squares = 0;
  std::size_t on = 0;
  for (double x : wave)
    if (x != 0) squares += x * x, ++on;
  if (on == 0 || squares <= 0) return;
  const double scale = rms / std::sqrt(squares / static_cast<double>(on));
  for (std::size_t n = 0; n < out.size() && n < wave.size(); ++n) out[n] += static_cast<float>(wave[n] * scale);
}

// One to three carriers from switching supplies, each drifting at up to `rate` Hz per second.
std::vector<double> ShipBirdies(std::size_t count, double rate, Random& random) {
  std::vector<double> wave(count);
  for (int i = 0, n = 1 + random.Below(3); i < n; ++i) {
    const double level = std::pow(10.0, -ShipBetween(random, 0, 10) / 20);
    const double centre = ShipBetween(random, 500, 2500), drift = ShipBetween(random, rate / 5, rate);
    const double swing = ShipBetween(random, 50, 300), start = random.Uniform();
    ShipAddGliding(wave, level, [&](double t) { return centre + ShipWander(t, drift, swing, start); }, random);
  }
  return wave;
}

// A carrier with sidebands at a switching rate, slowly drifting as the load changes.
std::vector<double> ShipInverter(std::size_t count, Random& random) {
  std::vector<double> wave(count);
  const double centre = ShipBetween(random, 700, 2300), switching = ShipBetween(random, 80, 400);
  const double drift = ShipBetween(random, 0.2, 2), swing = ShipBetween(random, 30, 100), start = random.Uniform();
  for (int k = -3; k <= 3; ++k) {
    const double level = k == 0 ? 1 : std::pow(10.0, -ShipBetween(random, 4, 8) * std::abs(k) / 20);
    ShipAddGliding(
        wave, level, [&](double t) { return centre + k * switching + ShipWander(t, drift, swing, start); }, random);
  }
  return wave;
}

// An engine's sparks: a short broadband click 10 to 100 times a second, the rate following the revs.
std::vector<double> ShipIgnition(std::size_t count, Random& random) {
  std::vector<double> wave(count);
  const double rate = ShipBetween(random, 10, 100), revs = ShipBetween(random, 0.02, 0.15);
  const double period = ShipBetween(random, 3, 10), phase = random.Uniform() * kShipTwoPi;
  const double decay = ShipBetween(random, 0.0002, 0.001);
  for (double t = random.Uniform() / rate; t * kRate < static_cast<double>(count);) {
    const auto first = static_cast<std::size_t>(t * kRate);
    const double height = ShipBetween(random, 0.7, 1);
    for (std::size_t i = 0; i < static_cast<std::size_t>(5 * decay * kRate) && first + i < count; ++i)
      wave[first + i] += height * std::exp(-static_cast<double>(i) / kRate / decay) * random.Gaussian();
    t += (1 + ShipBetween(random, -0.03, 0.03)) / (rate * (1 + revs * std::sin(phase + kShipTwoPi * t / period)));
  }
  return wave;
}

// An alternator's whine: a tone and its next two harmonics rising and falling with the revs.
std::vector<double> ShipWhine(std::size_t count, Random& random) {
  std::vector<double> wave(count);
  const double base = ShipBetween(random, 500, 1500), revs = ShipBetween(random, 0.1, 0.3);
  const double period = ShipBetween(random, 3, 10), phase = random.Uniform() * kShipTwoPi;
  for (int h = 1; h <= 3; ++h)
    ShipAddGliding(
        wave, 1.0 / (h * h),
        [&](double t) { return h * base * (1 + revs * std::sin(phase + kShipTwoPi * t / period)); }, random);
  return wave;
}

// Plasma or LED lights: a comb of lines at about 100 or 120 Hz spacing (not the mains' exactly), its base
// wandering slowly.
std::vector<double> ShipBuzz(std::size_t count, Random& random) {
  std::vector<double> wave(count);
  const double spacing = (random.Below(2) ? 100 : 120) * (1 + ShipBetween(random, -0.03, 0.03));
  const double wander = ShipBetween(random, 0, 0.01), period = ShipBetween(random, 5, 20), phase = random.Uniform();
  for (int h = 1; h * spacing < 3000; ++h)
    ShipAddGliding(
        wave, ShipBetween(random, 0.5, 1) / std::sqrt(h),
        [&](double t) { return h * spacing * (1 + wander * std::sin(kShipTwoPi * (phase + t / period))); }, random);
  return wave;
}

// A transmitter nearby, overdriven: speech clipped hard, its intermodulation spread over the channel, in
// overs of a few seconds.
std::vector<double> ShipSplatter(std::size_t count, Random& random) {
  std::vector<float> voice(count, 0.0f);
  AddSpeech(voice, 1000, ShipBetween(random, 100, 220), random);
  std::vector<double> wave(count);
  bool talking = random.Below(2) == 0;
  for (std::size_t n = 0; n < count;) {
    const auto length = static_cast<std::size_t>(kRate * (talking ? ShipBetween(random, 2, 8) : ShipBetween(random, 1, 4)));
    for (std::size_t i = n; i < std::min(count, n + length); ++i)
      wave[i] = talking ? std::clamp(static_cast<double>(voice[i]), -300.0, 300.0) : 0.0;
    n += length;
    talking = !talking;
  }
  return wave;
}

// Another station's data on the next channel, its lower edge inside the passband: Pactor 3 in its ARQ
// rhythm or a fast single-carrier PSK modem.
void ShipNextChannel(std::span<float> out, double rms, Random& random) {
  if (random.Below(2) == 0) {
    static constexpr int kWideForms[] = {3, 5, 6};
    const int variant = kWideForms[random.Below(3)];
    const double lowest = Pactor3Frequencies(variant, 0).front();
    const auto tones = Pactor3Frequencies(variant, ShipBetween(random, 2400, 2650) - lowest);
    const auto gate = ArqGate(out.size(), ArqRhythm{.start = random.Uniform()});
    AddPskTones(out, tones, rms, gate, random);
    return;
  }
  PskParams psk{.order = 2 << random.Below(2), .baud = ShipBetween(random, 1200, 2400), .rollOff = 0.2};
  psk.center = ShipBetween(random, 2400, 2650) + psk.Width() / 2;
  AddPsk(out, psk, rms, random);
}

// The radio's beep: a tone of 0.1 to 0.5 s every few seconds, with 5 ms ramps.
std::vector<double> ShipBeeps(std::size_t count, Random& random) {
  std::vector<double> wave(count);
  const double frequency = ShipBetween(random, 600, 2000), length = ShipBetween(random, 0.1, 0.5);
  const double every = ShipBetween(random, 2, 6), ramp = 0.005;
  for (double t = random.Uniform() * every; t * kRate < static_cast<double>(count); t += every) {
    const auto first = static_cast<std::size_t>(t * kRate);
    for (std::size_t i = 0; i < static_cast<std::size_t>(length * kRate) && first + i < count; ++i) {
      const double s = static_cast<double>(i) / kRate, edge = std::min({1.0, s / ramp, (length - s) / ramp});
      wave[first + i] = std::max(edge, 1e-6) * std::cos(kShipTwoPi * frequency * s);
    }
  }
  return wave;
}

// The ship's alarm sounding: two tones warbling, or a tone swept up over and over.
std::vector<double> ShipAlarm(std::size_t count, Random& random) {
  std::vector<double> wave(count);
  const double low = ShipBetween(random, 500, 1500), high = low * ShipBetween(random, 1.2, 1.6);
  const double rate = ShipBetween(random, 1, 4);
  if (random.Below(2) == 0)
    ShipAddGliding(wave, 1, [&](double t) { return std::fmod(t * rate, 1.0) < 0.5 ? low : high; }, random);
  else
    ShipAddGliding(wave, 1, [&](double t) { return low + (high - low) * std::fmod(t * rate, 1.0); }, random);
  return wave;
}

}  // namespace

std::span<const ShipNoiseKind> ShipNoiseKinds() { return kShipKinds; }

const ShipNoiseKind* FindShipNoise(std::string_view name) {
  const auto found = std::ranges::find(kShipKinds, name, &ShipNoiseKind::name);
  return found == std::end(kShipKinds) ? nullptr : &*found;
}

void AddShipNoise(std::span<float> out, ShipKind kind, double rms, Random& random) {
  const std::size_t count = out.size();
  switch (kind) {
    case ShipKind::Birdie:
      return ShipAddWhileOn(out, ShipBirdies(count, 0, random), rms);
    case ShipKind::DriftingBirdie:
      return ShipAddWhileOn(out, ShipBirdies(count, 5, random), rms);
    case ShipKind::Inverter:
      return ShipAddWhileOn(out, ShipInverter(count, random), rms);
    case ShipKind::Ignition:
      return AddScaled(out, ShipIgnition(count, random), rms);
    case ShipKind::Whine:
      return ShipAddWhileOn(out, ShipWhine(count, random), rms);
    case ShipKind::LightingBuzz:
      return ShipAddWhileOn(out, ShipBuzz(count, random), rms);
    case ShipKind::Splatter:
      return ShipAddWhileOn(out, ShipSplatter(count, random), rms);
    case ShipKind::NextChannel:
      return ShipNextChannel(out, rms, random);
    case ShipKind::Beeps:
      return ShipAddWhileOn(out, ShipBeeps(count, random), rms);
    case ShipKind::Alarm:
      return ShipAddWhileOn(out, ShipAlarm(count, random), rms);
  }
}

std::vector<float> ShipChannel(ShipKind kind, double snrDb, double seconds, std::uint64_t seed) {
  std::vector<float> samples(static_cast<std::size_t>(std::max(0.0, seconds) * kRate), 0.0f);
  Random random(seed);
  AddShipNoise(samples, kind, 3000, random);
  Random noise(seed ^ 0x5DEECE66DULL);
  if (std::isfinite(snrDb)) AddNoise(samples, NoiseRms(3000, snrDb), noise);
  ApplyPassband(samples, Passband{});
  return samples;
}

}  // namespace velmora::signalgen
