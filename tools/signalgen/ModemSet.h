#pragma once
// The modem variants that "Digital Busy" is measured on: every family in
// several forms, split by their parameters into a tuning set (looked at
// while the detector's rules were chosen) and an unseen set (kept apart,
// run only to measure), and the kinds of receiver noise it must stay quiet
// on, split alike.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tools/signalgen/OfdmModem.h"
#include "tools/signalgen/PskModem.h"
#include "tools/signalgen/Receiver.h"
#include "tools/signalgen/ToneModem.h"

namespace velmora::signalgen {

enum class Family { Ofdm, Fsk, Psk, Mfsk };
std::string_view FamilyName(Family family);

struct ModemVariant {
  std::string_view name;  // "ofdm-s1": family, then s (tuning) or u (unseen) and a number
  Family family = Family::Ofdm;
  bool unseen = false;
  OfdmParams ofdm{};
  ToneParams tones{};  // FSK and MFSK
  PskParams psk{};
};

std::span<const ModemVariant> ModemVariants();
const ModemVariant* FindModem(std::string_view name);
// Its parameters in a few words ("32 carriers 50 Hz apart, prefix 1/8, 1500 Hz").
std::string Describe(const ModemVariant& modem);
void AddModem(std::span<float> out, const ModemVariant& modem, double rms, Random& random);

// The channel a receiver gives besides the wanted signal: white noise at
// the ratio's level, and what the receiver adds to it.
struct ChannelNoise {
  std::string_view name;  // "agc-slow-s": kind, then s (tuning) or u (unseen)
  std::string_view kind;  // what the table's row names
  bool unseen = false;
  std::optional<Passband> passband{};
  std::optional<AgcSwing> agc{};
  std::optional<Hum> hum{};
  std::optional<Crashes> crashes{};
};

std::span<const ChannelNoise> ChannelNoises();
const ChannelNoise* FindChannel(std::string_view name);

}  // namespace velmora::signalgen
