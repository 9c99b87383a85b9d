#pragma once
// Digital modems other than Pactor, as they share the e-mail channels:
// multi-carrier OFDM with a cyclic prefix, 4-tone FSK at 50 baud,
// single-carrier PSK at 2400 baud and multi-tone MFSK. Each adds a
// continuous transmission of random data at the given RMS, seeded.
#include <span>

#include "tools/signalgen/Random.h"

namespace velmora::signalgen {

// 52 QPSK carriers 43 Hz apart from 560 to 2750 Hz (about 2.3 kHz), symbols
// of 256 samples each led by a 32-sample cyclic prefix.
void AddOfdm(std::span<float> out, double rms, double offset, Random& random);
// Four continuous-phase tones 200 Hz apart around 1500 Hz, 50 baud.
void AddFsk4(std::span<float> out, double rms, double offset, Random& random);
// QPSK at 2400 baud on 1650 Hz, root-raised-cosine shaped (roll-off 0.2).
void AddPsk2400(std::span<float> out, double rms, double offset, Random& random);
// 32 tones 31.25 Hz apart from 1000 Hz (1 kHz wide), 31.25 baud, one at a time.
void AddMfsk(std::span<float> out, double rms, double offset, Random& random);

}  // namespace velmora::signalgen
