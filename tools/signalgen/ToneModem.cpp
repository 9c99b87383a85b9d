#include "tools/signalgen/ToneModem.h"

#include "tools/signalgen/Waveform.h"

namespace velmora::signalgen {

void AddTones(std::span<float> out, const ToneParams& p, double rms, Random& random) {
  if (p.tones < 1 || p.baud <= 0) return;
  const double first = p.center - (p.tones - 1) * p.spacing / 2;
  AddScaled(out, ToneHops(out.size(), first, p.spacing, p.tones, p.baud, random), rms);
}

}  // namespace velmora::signalgen
