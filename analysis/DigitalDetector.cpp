#include "analysis/DigitalDetector.h"

#include <algorithm>
#include <cmath>

#include "analysis/MathLib.h"
#include "common/Format.h"
#include "common/SampleFormat.h"

namespace velmora {
namespace {

constexpr double kSteadyBelow = 1.75;  // noise: 2
constexpr double kHoldSeconds = 1;     // a modem found as long stays found as long again: through a fade
constexpr double kRepeatsAbove = 18;   // noise: the strongest of some 170 lags about 5, seldom 15

}  // namespace

void DigitalDetector::Restart() {
  since_ = kHoldSeconds + 1;
  found_ = 0;
  steady_.Restart();
  envelope_.Restart();
  repetition_.Restart();
}

bool DigitalDetector::Detect(const PowerDensity& spectrum, float bufferSeconds, bool speak, DetectorResults& results,
                             DetectorDrawing& drawing) {
  // Switched on between the analysis and here: the next buffer starts.
  if (!buffer_.Take(spectrum)) return false;
  steady_.Follow(buffer_, bufferSeconds);
  buffer_.LimitToPassband(steady_.Lines());
  envelope_.Add(buffer_.Analytic(), kSampleRate / 4.0, bufferSeconds);
  repetition_.Add(buffer_, steady_.Lines(), steady_.FlatTop(), bufferSeconds);

  results.digitalWidth = static_cast<float>(steady_.BandHigh() - steady_.BandLow());
  results.digitalText = IntegerText(std::lround(results.digitalWidth));
  const bool now = Steadiness() < kSteadyBelow || Repetition() > kRepeatsAbove || steady_.NarrowBand();
  // The hold is earned: a buffer found alone is not held.
  if (now) {
    found_ = since_ > 0 ? bufferSeconds : found_ + bufferSeconds;
    since_ = 0;
  } else {
    since_ += bufferSeconds;
  }
  if ((!now && since_ >= std::min(kHoldSeconds, found_)) || !speak) return false;
  results.digitalDetected = true;
  if (drawing.Shown()) DrawBand(drawing);
  return true;
}

// One marker at each edge of the band, over the floor there.
void DigitalDetector::DrawBand(DetectorDrawing& drawing) const {
  if (steady_.BandHigh() <= steady_.BandLow()) return;
  const auto floor = static_cast<float>(Db10(steady_.Floor()) - Db10(buffer_.N()));
  for (double edge : {steady_.BandLow(), steady_.BandHigh()}) drawing.SpectrumMarker(edge, floor + 20, floor - 20);
}

}  // namespace velmora
