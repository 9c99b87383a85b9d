#pragma once
// Test signals that look like what an HF receiver hears: Pactor 2 and
// Pactor 3 (differential PSK on 100-baud tones) in the rhythm of an ARQ link,
// CW, a FAX-like FM tone, a time signal's AM, speech-like audio, impulsive
// bursts and white noise at a chosen signal-to-noise ratio in 3 kHz. Seeded,
// so the same settings always give the same samples. A test tool, not part of
// the program.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/SampleFormat.h"
#include "tools/signalgen/FadingChannel.h"
#include "tools/signalgen/LinkPauses.h"
#include "tools/signalgen/Pcm.h"
#include "tools/signalgen/Random.h"

namespace velmora::signalgen {

inline constexpr double kRate = kSampleRate;


enum class Form { Noise, Pactor2, Pactor3, Cw, Fax, Speech, Bursts, Ofdm, Fsk4, Psk2400, Mfsk, Wwv };
// The other digital modems, continuous: busy in every buffer.
bool IsDigital(Form form);
std::string_view FormName(Form form);
bool ParseForm(std::string_view name, Form& form);

// The ARQ rhythm: a data packet, a pause, the other station's short
// acknowledgement (weaker), a pause; the cycle repeats. cycle 0: continuous.
struct ArqRhythm {
  double cycle = 1.25;
  double packet = 0.96;
  double ackStart = 1.04;
  double ackLength = 0.12;
  double ackLevel = 0.5;  // amplitude of the acknowledgement relative to the packet
  double start = 0;       // seconds of quiet before the first packet
};

struct SignalRecipe {
  Form form = Form::Noise;
  int variant = 1;              // Pactor 3 tone set 1..6
  double center = 1700;         // Pactor 2 centre, CW and tone frequency, Hz
  double offset = 0;            // frequency offset of every tone, Hz
  double rms = 3000;            // A/D units while the signal is on
  double snrDb = 20;            // in 3 kHz; noise off when not finite
  double seconds = 10;
  ArqRhythm rhythm{};           // Pactor forms; continuous when rhythm.cycle = 0
  bool keyed = false;           // CW: Morse-like keying instead of a steady tone
  double burstRate = 2;         // bursts per second
  double rollOff = 0.35;        // Pactor: roll-off of the raised-cosine symbol shaping (0..1)
  double pitch = 120;           // speech: mean voice pitch, Hz (about 120 male, 200 female)
  std::uint64_t seed = 1;
  FadingChannel channel{};      // what the signal passes before the noise is added; static by default
  bool link = false;            // Pactor: both stations of a link and its pauses instead of the rhythm
  LinkPauses linkPauses{};
};

// The samples (A/D units, unclipped) and, per sample, whether the wanted
// signal is on (inside a packet or acknowledgement, or always for the
// continuous forms; never for noise alone).
struct Signal {
  std::vector<float> samples;
  std::vector<std::uint8_t> on;
};

Signal Generate(const SignalRecipe& recipe);

// The single components, added into a buffer (the level is the component's
// RMS while fully on; gate, if given, holds its envelope 0..1 per sample).
void AddPskTones(std::span<float> out, std::span<const double> tones, double rms, std::span<const float> gate,
                 Random& random, double rollOff = 0.35);
void AddTone(std::span<float> out, double frequency, double rms, std::span<const float> gate);
void AddFmTone(std::span<float> out, double low, double high, double rms, Random& random);
// A time signal's AM as a receiver's BFO puts its carrier at `carrier`.
void AddTimeSignal(std::span<float> out, double carrier, double rms);
void AddSpeech(std::span<float> out, double rms, double pitch, Random& random);
void AddBursts(std::span<float> out, double perSecond, double peak, Random& random);
void AddNoise(std::span<float> out, double rms, Random& random);
// The envelope of the ARQ rhythm, with 5 ms ramps.
std::vector<float> ArqGate(std::size_t count, const ArqRhythm& rhythm);
std::vector<float> MorseGate(std::size_t count, Random& random);

// The noise's power in a 3 kHz band at that ratio, and the RMS of white
// noise that has it.
double NoisePowerInBand(double signalRms, double snrDb);
double NoiseRms(double signalRms, double snrDb);
// The Pactor 3 tone frequencies of a variant with an offset.
std::vector<double> Pactor3Frequencies(int variant, double offset);

}  // namespace velmora::signalgen
