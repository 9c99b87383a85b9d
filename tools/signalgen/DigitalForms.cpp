#include "tools/signalgen/DigitalForms.h"

namespace velmora::signalgen {

void AddOfdm(std::span<float> out, double rms, double offset, Random& random) {
  AddOfdm(out, {.carriers = 52, .spacing = 11025.0 / 256, .guard = 0.125, .center = 1658 + offset}, rms, random);
}

void AddFsk4(std::span<float> out, double rms, double offset, Random& random) {
  AddTones(out, {.tones = 4, .spacing = 200, .baud = 50, .center = 1500 + offset}, rms, random);
}

void AddPsk2400(std::span<float> out, double rms, double offset, Random& random) {
  AddPsk(out, {.order = 4, .baud = 2400, .rollOff = 0.2, .center = 1650 + offset}, rms, random);
}

void AddMfsk(std::span<float> out, double rms, double offset, Random& random) {
  AddTones(out, {.tones = 32, .spacing = 31.25, .baud = 31.25, .center = 1484.375 + offset}, rms, random);
}

}  // namespace velmora::signalgen
