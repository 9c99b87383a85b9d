#pragma once
// The four modems the forms ofdm, fsk4, psk2400 and mfsk stand for, one
// variant of each family (the modem sets hold many more): OFDM of 52 QPSK
// carriers 43 Hz apart from 560 to 2750 Hz with a prefix of an eighth of a
// symbol, 4-FSK at 50 baud with tones 200 Hz apart from 1200 Hz, QPSK at
// 2400 baud on 1650 Hz (roll-off 0.2), MFSK of 32 tones 31.25 Hz apart from
// 1000 Hz at 31.25 baud. Each shifted by the offset, continuous, seeded.
#include <span>

#include "tools/signalgen/OfdmModem.h"
#include "tools/signalgen/PskModem.h"
#include "tools/signalgen/Random.h"
#include "tools/signalgen/ToneModem.h"

namespace velmora::signalgen {

void AddOfdm(std::span<float> out, double rms, double offset, Random& random);
void AddFsk4(std::span<float> out, double rms, double offset, Random& random);
void AddPsk2400(std::span<float> out, double rms, double offset, Random& random);
void AddMfsk(std::span<float> out, double rms, double offset, Random& random);

}  // namespace velmora::signalgen
