#include "tools/signalgen/SignalGen.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/signalgen/DigitalForms.h"

namespace velmora::signalgen {
namespace {

constexpr double kBaud = 100;
constexpr int kFilterSpan = 4;      // symbols each side
constexpr double kRamp = 0.005;     // seconds, the edges of every keyed element
constexpr double kNoiseBand = 3000;  // Hz, the band the ratio is measured in

// The raised-cosine pulse at t symbol periods from its centre.
double RaisedCosine(double t, double rollOff) {
  const double sinc = t == 0 ? 1.0 : std::sin(std::numbers::pi * t) / (std::numbers::pi * t);
  const double d = 2 * rollOff * t;
  if (std::abs(std::abs(d) - 1) < 1e-9) return std::numbers::pi / 4 * sinc;
  return sinc * std::cos(std::numbers::pi * rollOff * t) / (1 - d * d);
}

// Raised edges between 0 and 1 around a set of on-intervals.
void Envelope(std::vector<float>& gate, double from, double to, double level) {
  const long first = std::max(0L, static_cast<long>(std::floor(from * kRate)));
  const long last = std::min(static_cast<long>(gate.size()) - 1, static_cast<long>(std::ceil(to * kRate)));
  for (long n = first; n <= last; ++n) {
    const double t = n / kRate;
    double g = 1;
    if (t - from < kRamp) g = 0.5 - 0.5 * std::cos(std::numbers::pi * std::max(0.0, t - from) / kRamp);
    if (to - t < kRamp) g = std::min(g, 0.5 - 0.5 * std::cos(std::numbers::pi * std::max(0.0, to - t) / kRamp));
    gate[static_cast<std::size_t>(n)] = std::max(gate[static_cast<std::size_t>(n)], static_cast<float>(g * level));
  }
}

double Rms(std::span<const float> x, std::span<const float> weight) {
  double sum = 0, count = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double w = weight.empty() ? 1.0 : weight[i];
    if (w < 0.999) continue;
    sum += static_cast<double>(x[i]) * x[i];
    count += 1;
  }
  return count > 0 ? std::sqrt(sum / count) : 0.0;
}

// Differential QPSK on a tone: each symbol turns the phase by a random
// multiple of 90 degrees.
struct PskTone {
  std::vector<double> re, im;
  double phaseRe, phaseIm, stepRe, stepIm;
};

std::vector<PskTone> PskTonesStart(std::span<const double> tones, std::size_t symbols, Random& random) {
  std::vector<PskTone> state(tones.size());
  for (std::size_t t = 0; t < tones.size(); ++t) {
    PskTone& s = state[t];
    s.re.resize(symbols);
    s.im.resize(symbols);
    int quadrant = random.Below(4);
    for (std::size_t k = 0; k < symbols; ++k) {
      quadrant = (quadrant + random.Below(4)) % 4;
      s.re[k] = std::cos(quadrant * std::numbers::pi / 2);
      s.im[k] = std::sin(quadrant * std::numbers::pi / 2);
    }
    const double start = random.Uniform() * 2 * std::numbers::pi, step = 2 * std::numbers::pi * tones[t] / kRate;
    s.phaseRe = std::cos(start);
    s.phaseIm = std::sin(start);
    s.stepRe = std::cos(step);
    s.stepIm = std::sin(step);
  }
  return state;
}

// The mean power of the filtered symbol stream, for the level.
double FilteredSymbolPower(double rollOff) {
  double pulsePower = 0;
  for (int i = 0; i < 64; ++i) {
    const double frac = i / 64.0;
    for (int k = -kFilterSpan - 1; k <= kFilterSpan + 1; ++k)
      pulsePower += RaisedCosine(frac - k, rollOff) * RaisedCosine(frac - k, rollOff);
  }
  pulsePower /= 64;
  return pulsePower;
}

constexpr int kTaps = 2 * kFilterSpan + 2;

// The sum of every tone at one sample (nothing where the gate is shut), each
// tone's carrier then moved on by a sample.
double PskTonesSample(std::vector<PskTone>& state, const double (&taps)[kTaps], long centre, std::size_t symbols,
                      double g) {
  double sum = 0;
  for (PskTone& s : state) {
    if (g > 0) {
      double re = 0, im = 0;
      for (int k = 0; k < kTaps; ++k) {
        const long symbol = centre - kFilterSpan + k;
        if (symbol < 0 || symbol >= static_cast<long>(symbols)) continue;
        re += taps[k] * s.re[static_cast<std::size_t>(symbol)];
        im += taps[k] * s.im[static_cast<std::size_t>(symbol)];
      }
      sum += re * s.phaseRe - im * s.phaseIm;
    }
    const double next = s.phaseRe * s.stepRe - s.phaseIm * s.stepIm;
    s.phaseIm = s.phaseRe * s.stepIm + s.phaseIm * s.stepRe;
    s.phaseRe = next;
  }
  return sum;
}

}  // namespace

std::string_view FormName(Form form) {
  switch (form) {
    case Form::Noise:
      return "noise";
    case Form::Pactor2:
      return "pactor2";
    case Form::Pactor3:
      return "pactor3";
    case Form::Cw:
      return "cw";
    case Form::Fax:
      return "fax";
    case Form::Speech:
      return "speech";
    case Form::Bursts:
      return "bursts";
    case Form::Ofdm:
      return "ofdm";
    case Form::Fsk4:
      return "fsk4";
    case Form::Psk2400:
      return "psk2400";
    case Form::Mfsk:
      return "mfsk";
    case Form::Wwv:
      return "wwv";
  }
  return "";
}

bool ParseForm(std::string_view name, Form& form) {
  for (Form f : {Form::Noise, Form::Pactor2, Form::Pactor3, Form::Cw, Form::Fax, Form::Speech, Form::Bursts,
                 Form::Ofdm, Form::Fsk4, Form::Psk2400, Form::Mfsk, Form::Wwv}) {
    if (FormName(f) == name) {
      form = f;
      return true;
    }
  }
  return false;
}

bool IsDigital(Form form) {
  return form == Form::Ofdm || form == Form::Fsk4 || form == Form::Psk2400 || form == Form::Mfsk;
}

std::vector<float> ArqGate(std::size_t count, const ArqRhythm& r) {
  if (r.cycle <= 0) return std::vector<float>(count, 1.0f);
  std::vector<float> gate(count, 0.0f);
  const double total = static_cast<double>(count) / kRate;
  for (double t = r.start; t < total; t += r.cycle) {
    Envelope(gate, t, t + r.packet, 1);
    if (r.ackLength > 0) Envelope(gate, t + r.ackStart, t + r.ackStart + r.ackLength, r.ackLevel);
  }
  return gate;
}

std::vector<float> MorseGate(std::size_t count, Random& random) {
  std::vector<float> gate(count, 0.0f);
  const double dot = 0.06, total = static_cast<double>(count) / kRate;
  double t = 0.05;
  while (t < total) {
    const int elements = 1 + random.Below(4);  // one letter
    for (int e = 0; e < elements && t < total; ++e) {
      const double length = random.Below(2) ? 3 * dot : dot;
      Envelope(gate, t, t + length, 1);
      t += length + dot;
    }
    t += random.Below(4) == 0 ? 6 * dot : 2 * dot;  // letter or word space
  }
  return gate;
}

void AddPskTones(std::span<float> out, std::span<const double> tones, double rms, std::span<const float> gate,
                 Random& random, double rollOff) {
  rollOff = std::clamp(rollOff, 0.0, 1.0);
  if (tones.empty()) return;
  const double samplesPerSymbol = kRate / kBaud;
  const std::size_t symbols = static_cast<std::size_t>(out.size() / samplesPerSymbol) + 2 * kFilterSpan + 2;
  std::vector<PskTone> state = PskTonesStart(tones, symbols, random);
  const double pulsePower = FilteredSymbolPower(rollOff);
  const double amplitude = rms * std::sqrt(2.0 / (static_cast<double>(tones.size()) * pulsePower));

  double taps[kTaps];
  for (std::size_t n = 0; n < out.size(); ++n) {
    const double position = static_cast<double>(n) / samplesPerSymbol + kFilterSpan;  // in symbols
    const long centre = static_cast<long>(std::floor(position));
    for (int k = 0; k < kTaps; ++k) taps[k] = RaisedCosine(position - (centre - kFilterSpan + k), rollOff);
    const double g = gate.empty() ? 1.0 : gate[n];
    const double sum = PskTonesSample(state, taps, centre, symbols, g);
    out[n] += static_cast<float>(amplitude * g * sum);
  }
}

void AddTone(std::span<float> out, double frequency, double rms, std::span<const float> gate) {
  const double amplitude = rms * std::sqrt(2.0), step = 2 * std::numbers::pi * frequency / kRate;
  for (std::size_t n = 0; n < out.size(); ++n) {
    const double g = gate.empty() ? 1.0 : gate[n];
    out[n] += static_cast<float>(amplitude * g * std::cos(step * static_cast<double>(n)));
  }
}

void AddFmTone(std::span<float> out, double low, double high, double rms, Random& random) {
  // Picture elements of about 2 ms, smoothed, between black and white.
  const double amplitude = rms * std::sqrt(2.0);
  double phase = 0, value = random.Uniform(), target = value;
  const std::size_t element = static_cast<std::size_t>(0.002 * kRate);
  for (std::size_t n = 0; n < out.size(); ++n) {
    if (n % element == 0) target = random.Below(3) == 0 ? random.Uniform() : target;
    value += (target - value) * 0.05;
    phase += 2 * std::numbers::pi * (low + (high - low) * value) / kRate;
    if (phase > 2 * std::numbers::pi) phase -= 2 * std::numbers::pi;
    out[n] += static_cast<float>(amplitude * std::cos(phase));
  }
}

void AddTimeSignal(std::span<float> out, double carrier, double rms) {
  // The steady carrier; a 600 Hz tone at 50 % modulation, silent from 10 ms
  // before to 25 ms after each second's tick, 5 ms of 1000 Hz at 100 %.
  std::vector<float> tone(out.size(), 1.0f), tick(out.size(), 0.0f);
  for (double t = 0; t < static_cast<double>(out.size()) / kRate; t += 1) {
    Envelope(tick, t, t + 0.005, 1);
    for (std::size_t n = static_cast<std::size_t>(std::max(0.0, t - 0.01) * kRate);
         n < std::min(out.size(), static_cast<std::size_t>((t + 0.025) * kRate)); ++n)
      tone[n] = 0;
  }
  AddTone(out, carrier, rms, {});
  for (double side : {-1.0, 1.0}) {
    AddTone(out, carrier + side * 600, rms / 4, tone);
    AddTone(out, carrier + side * 1000, rms / 2, tick);
  }
}

void AddSpeech(std::span<float> out, double rms, double meanPitch, Random& random) {
  // Vowels as three formants (Hz); voiced harmonics of a gliding pitch
  // inside 300..2700 Hz, in syllables with pauses between them.
  static constexpr double kVowels[][3] = {
      {730, 1090, 2440}, {530, 1840, 2480}, {270, 2290, 3010}, {570, 840, 2410}, {300, 870, 2240}, {660, 1720, 2410}};
  std::vector<float> voice(out.size(), 0.0f);
  std::vector<float> gate(out.size(), 0.0f);
  const double total = static_cast<double>(out.size()) / kRate;
  double t = 0.1;
  struct Syllable {
    double from, to, pitch;
    int vowel;
  };
  std::vector<Syllable> syllables;
  while (t < total) {
    const double length = 0.12 + 0.2 * random.Uniform();
    syllables.push_back({t, t + length, meanPitch * (0.85 + 0.3 * random.Uniform()), random.Below(6)});
    Envelope(gate, t, t + length, 1);
    t += length + (random.Below(5) == 0 ? 0.3 + 0.3 * random.Uniform() : 0.04 + 0.1 * random.Uniform());
  }
  double phase = 0;
  std::size_t current = 0;
  for (std::size_t n = 0; n < out.size(); ++n) {
    const double time = static_cast<double>(n) / kRate;
    while (current + 1 < syllables.size() && time > syllables[current].to) ++current;
    const Syllable& s = syllables.empty() ? Syllable{0, 0, meanPitch, 0} : syllables[current];
    const double progress = s.to > s.from ? std::clamp((time - s.from) / (s.to - s.from), 0.0, 1.0) : 0.0;
    const double pitch = s.pitch * (1.1 - 0.2 * progress);  // falling intonation
    phase += 2 * std::numbers::pi * pitch / kRate;
    if (phase > 2 * std::numbers::pi) phase -= 2 * std::numbers::pi;
    if (gate[n] <= 0) continue;
    const double* f = kVowels[s.vowel];
    double sum = 0;
    for (int h = 1; h * pitch < 2700; ++h) {
      const double fh = h * pitch;
      if (fh < 300) continue;
      double gain = 0;
      for (int i = 0; i < 3; ++i) gain += 1 / (1 + std::pow((fh - f[i]) / (60.0 + 40 * i), 2)) / (1 + i);
      sum += gain * std::sin(h * phase);
    }
    voice[n] = static_cast<float>(sum * gate[n]);
  }
  // A little breath noise, then the level.
  for (std::size_t n = 0; n < voice.size(); ++n) voice[n] += static_cast<float>(0.02 * random.Gaussian() * gate[n]);
  const double level = Rms(voice, gate);
  if (level <= 0) return;
  for (std::size_t n = 0; n < out.size(); ++n) out[n] += static_cast<float>(voice[n] * rms / level);
}

void AddBursts(std::span<float> out, double perSecond, double peak, Random& random) {
  if (perSecond <= 0) return;
  const double total = static_cast<double>(out.size()) / kRate;
  double t = -std::log(1 - random.Uniform()) / perSecond;
  while (t < total) {
    const std::size_t start = static_cast<std::size_t>(t * kRate);
    const double decay = 0.0005 + 0.002 * random.Uniform();  // seconds
    const std::size_t length = static_cast<std::size_t>(5 * decay * kRate);
    for (std::size_t i = 0; i < length && start + i < out.size(); ++i)
      out[start + i] += static_cast<float>(peak * std::exp(-(i / kRate) / decay) * random.Gaussian() / 2);
    t += -std::log(1 - random.Uniform()) / perSecond;
  }
}

void AddNoise(std::span<float> out, double rms, Random& random) {
  for (float& x : out) x += static_cast<float>(rms * random.Gaussian());
}

double NoisePowerInBand(double signalRms, double snrDb) { return signalRms * signalRms / std::pow(10.0, snrDb / 10); }

double NoiseRms(double signalRms, double snrDb) {
  // White noise spreads over 0..5512.5 Hz; the ratio counts the part in 3 kHz.
  return signalRms / std::pow(10.0, snrDb / 20) * std::sqrt(kRate / 2 / kNoiseBand);
}

std::vector<double> Pactor3Frequencies(int variant, double offset) {
  std::vector<int> tones;
  switch (variant) {
    case 1:
      tones = {5, 12};
      break;
    case 2:
      tones = {3, 5, 7, 10, 12, 14};
      break;
    case 3:
    case 4:
      for (int t = 2; t <= 15; ++t) tones.push_back(t);
      break;
    case 5:
      for (int t = 1; t <= 16; ++t) tones.push_back(t);
      break;
    default:
      for (int t = 0; t <= 17; ++t) tones.push_back(t);
      break;
  }
  std::vector<double> frequencies;
  for (int t : tones) frequencies.push_back((t + 4) * 120.0 + offset);
  return frequencies;
}

namespace {

// Both Pactor forms: the tones keyed by the ARQ rhythm, or a whole link.
std::vector<float> AddPactor(const SignalRecipe& recipe, std::vector<float>& samples, Random& random) {
  const auto tones =
      recipe.form == Form::Pactor2
          ? std::vector<double>{recipe.center - 100 + recipe.offset, recipe.center + 100 + recipe.offset}
          : Pactor3Frequencies(recipe.variant, recipe.offset);
  if (recipe.link)
    return AddLink(samples, tones, recipe.rms, recipe.rollOff, recipe.linkPauses, recipe.rhythm.start,
                   recipe.channel, recipe.seed, random);
  std::vector<float> gate = ArqGate(samples.size(), recipe.rhythm);
  AddPskTones(samples, tones, recipe.rms, gate, random, recipe.rollOff);
  return gate;
}

// Adds the recipe's form to the samples and gives where it is on.
std::vector<float> AddForm(const SignalRecipe& recipe, std::vector<float>& samples, Random& random) {
  const std::size_t count = samples.size();
  std::vector<float> gate;
  switch (recipe.form) {
    case Form::Noise:
    case Form::Bursts:
      break;
    case Form::Pactor2:
    case Form::Pactor3:
      return AddPactor(recipe, samples, random);
    case Form::Cw:
      gate = recipe.keyed ? MorseGate(count, random) : std::vector<float>(count, 1.0f);
      AddTone(samples, recipe.center + recipe.offset, recipe.rms, gate);
      break;
    case Form::Wwv:
      gate.assign(count, 1.0f);
      AddTimeSignal(samples, recipe.center + recipe.offset, recipe.rms);
      break;
    case Form::Fax:
      gate.assign(count, 1.0f);
      AddFmTone(samples, 1500 + recipe.offset, 2300 + recipe.offset, recipe.rms, random);
      break;
    case Form::Speech:
      gate.assign(count, 1.0f);
      AddSpeech(samples, recipe.rms, recipe.pitch, random);
      break;
    case Form::Ofdm:
      gate.assign(count, 1.0f);
      AddOfdm(samples, recipe.rms, recipe.offset, random);
      break;
    case Form::Fsk4:
      gate.assign(count, 1.0f);
      AddFsk4(samples, recipe.rms, recipe.offset, random);
      break;
    case Form::Psk2400:
      gate.assign(count, 1.0f);
      AddPsk2400(samples, recipe.rms, recipe.offset, random);
      break;
    case Form::Mfsk:
      gate.assign(count, 1.0f);
      AddMfsk(samples, recipe.rms, recipe.offset, random);
      break;
  }
  return gate;
}

// The channel as it was before the modem came on.
void QuietBeforeStart(const SignalRecipe& recipe, std::vector<float>& samples, std::vector<float>& gate) {
  const auto quiet = std::min(samples.size(), static_cast<std::size_t>(std::max(0.0, recipe.rhythm.start) * kRate));
  std::fill_n(samples.begin(), quiet, 0.0f);
  std::fill_n(gate.begin(), quiet, 0.0f);
}

// The fading, the bursts and the noise the signal meets on its way.
void AddChannel(const SignalRecipe& recipe, std::vector<float>& samples) {
  const bool linked = recipe.link && (recipe.form == Form::Pactor2 || recipe.form == Form::Pactor3);
  if (!linked) ApplyFading(samples, recipe.channel, recipe.seed);  // the link's stations fade on their own

  Random noise(recipe.seed ^ 0x5DEECE66DULL);
  if (recipe.form == Form::Bursts) AddBursts(samples, recipe.burstRate, 8 * recipe.rms, noise);
  if (std::isfinite(recipe.snrDb)) AddNoise(samples, NoiseRms(recipe.rms, recipe.snrDb), noise);
}

}  // namespace

Signal Generate(const SignalRecipe& recipe) {
  Signal signal;
  const std::size_t count = static_cast<std::size_t>(std::max(0.0, recipe.seconds) * kRate);
  signal.samples.assign(count, 0.0f);
  signal.on.assign(count, 0);
  Random random(recipe.seed);
  std::vector<float> gate = AddForm(recipe, signal.samples, random);
  if (IsDigital(recipe.form)) QuietBeforeStart(recipe, signal.samples, gate);
  for (std::size_t n = 0; n < gate.size(); ++n) signal.on[n] = gate[n] > 0.3f;
  AddChannel(recipe, signal.samples);
  return signal;
}

}  // namespace velmora::signalgen
