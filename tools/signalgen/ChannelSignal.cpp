#include "tools/signalgen/ChannelSignal.h"

#include <algorithm>
#include <cmath>

namespace velmora::signalgen {

Signal GenerateChannel(const ChannelRecipe& r) {
  Signal signal;
  const auto count = static_cast<std::size_t>(std::max(0.0, r.seconds) * kRate);
  const auto quiet = std::min(count, static_cast<std::size_t>(std::max(0.0, r.leadIn) * kRate));
  signal.samples.assign(count, 0.0f);
  signal.on.assign(count, 0);
  Random random(r.seed);
  if (r.modem) {
    AddModem(std::span(signal.samples).subspan(quiet), *r.modem, r.rms, random);
    std::fill(signal.on.begin() + static_cast<std::ptrdiff_t>(quiet), signal.on.end(), 1);
    ApplyFading(signal.samples, r.fading, r.seed);
  }
  if (r.faded) *r.faded = signal.samples;
  Random noise(r.seed ^ 0x5DEECE66DULL);
  const double noiseRms = std::isfinite(r.snrDb) ? NoiseRms(r.rms, r.snrDb) : 0.0;
  if (noiseRms > 0) AddNoise(signal.samples, noiseRms, noise);
  if (!r.channel) return signal;
  const ChannelNoise& c = *r.channel;
  std::vector<std::size_t> crashes;
  if (c.crashes) crashes = AddCrashes(signal.samples, *c.crashes, std::max(noiseRms, 1.0), noise);
  if (c.passband) ApplyPassband(signal.samples, *c.passband);
  if (c.crashes) ApplyCrashRecovery(signal.samples, crashes, c.crashes->recovery);
  if (c.agc) ApplyAgc(signal.samples, *c.agc, noise);
  if (c.hum) AddHum(signal.samples, *c.hum, noise);
  return signal;
}

}  // namespace velmora::signalgen
