#include "analysis/DigitalDetector.h"

#include <algorithm>
#include <cmath>

#include "analysis/MathLib.h"
#include "common/Format.h"
#include "common/SampleFormat.h"

namespace velmora {
namespace {

constexpr double kSteadyBelow = 1.75;  // noise: 2
// A modem found as long stays found as long again: through a fade, which on
// a slowly fading channel sinks it under the noise for seconds.
constexpr double kHoldSeconds = 5;
constexpr double kMainsMemory = 6;     // seconds: the repetition's memory
constexpr double kRepeatsAbove = 18;   // noise: the strongest of some 170 lags about 5, seldom 15
// ... and while a band stands above its surroundings once the sum has held
// 2 s: a wide OFDM is found seconds sooner in a fade. (Over fewer buffers an
// AGC's answer to crashes passed 11, and a strong hum's comb, which stands
// in no band, did too.)
constexpr double kRepeatsInBandAbove = 11;
constexpr double kRepeatsInBandAfter = 2;  // seconds
// A squared 2-PSK's line over the cells round it: tens to hundreds, through
// long echoes too; noise about 4, what is left of a strong hum up to 15.
constexpr double kCarrierAbove = 20;

}  // namespace

void DigitalDetector::Restart() {
  pending_.clear();
  blockFound_ = false;
  since_ = kHoldSeconds + 1;
  found_ = 0;
  mainsSince_ = 1e9;
  steady_.Restart();
  envelope_.Restart();
  repetition_.Restart();
  carrier_.Restart();
}

bool DigitalDetector::Detect(const PowerDensity& spectrum, float bufferSeconds, bool speak, DetectorResults& results,
                             DetectorDrawing& drawing) {
  bool found = false;
  if (spectrum.N() == kDigitalBlock) {
    pending_.clear();
    // Switched on between the analysis and here: the next buffer starts.
    const auto judged = Judge(spectrum, bufferSeconds);
    if (!judged) return false;
    found = *judged;
  } else {
    found = JudgeBlocks(spectrum.Samples());
  }
  results.digitalWidth = static_cast<float>(steady_.BandHigh() - steady_.BandLow());
  results.digitalText = IntegerText(std::lround(results.digitalWidth));
  if (!found || !speak) return false;
  results.digitalDetected = true;
  if (drawing.Shown()) DrawBand(drawing);
  return true;
}

// Another sample size: its samples judged a block at a time, and the
// buffer takes the answer of the last whole block (a modem found earlier
// in a long buffer is held there; a block found alone, as noise's rare
// one, is not). At 512 samples the bins are too coarse to tell hum's lines
// apart, and at 16384 a modem would wait seconds for the few buffers the
// rules want.
bool DigitalDetector::JudgeBlocks(std::span<const std::int16_t> samples) {
  pending_.insert(pending_.end(), samples.begin(), samples.end());
  constexpr auto kBlockSeconds = static_cast<float>(kDigitalBlock) / kSampleRateHz;
  std::size_t used = 0;
  for (; pending_.size() - used >= kDigitalBlock; used += kDigitalBlock) {
    block_.Analyse(std::span(pending_).subspan(used, kDigitalBlock), kDigitalBlock);
    if (const auto found = Judge(block_, kBlockSeconds)) blockFound_ = *found;
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
  return blockFound_;
}

std::optional<bool> DigitalDetector::Judge(const PowerDensity& spectrum, float bufferSeconds) {
  if (!buffer_.Take(spectrum)) return std::nullopt;
  steady_.Follow(buffer_, bufferSeconds);
  buffer_.LimitToPassband(steady_.Lines());
  // A strong carrier's skirts, steady from buffer to buffer, would pass for
  // a repetition: the lines go with them.
  buffer_.RemoveTones(steady_.Tones());
  // ... and the band is found with them out: a strong carrier's weighted
  // skirts, hundreds of Hz wide at 30 dB over the noise, stood as a band.
  steady_.FollowBand(buffer_);
  // Strong hum, a sum of steady tones, would pass for a steady envelope
  // until its lines are known and left out; squared, it leaves lines too.
  if (steady_.LinesKnown()) {
    envelope_.Add(buffer_.Analytic(), kSampleRate / 4.0, bufferSeconds, spectrum.Samples());
    carrier_.Add(buffer_.Analytic(), kSampleRate / 4.0, bufferSeconds);
  }
  repetition_.Add(buffer_, steady_.Lines(), steady_.FlatTop(), bufferSeconds);
  // Mains hum's comb, its lines left out, still ripples the spectrum at its
  // spacing and leaves lines squared: the repetition and the doubled
  // carrier say nothing while its memory may hold it.
  mainsSince_ = steady_.Mains() ? 0 : mainsSince_ + bufferSeconds;
  const bool inBand = repetition_.Buffers() * bufferSeconds >= kRepeatsInBandAfter && steady_.BandFound();
  const bool mainsForgotten = mainsSince_ > kMainsMemory;
  const bool repeats =
      (inBand ? repetition_.BandRatio() > kRepeatsInBandAbove : repetition_.Ratio() > kRepeatsAbove) && mainsForgotten;
  const bool twoPsk = carrier_.Ratio() > kCarrierAbove && mainsForgotten;
  const bool now = envelope_.Ratio() < kSteadyBelow || repeats || steady_.NarrowBand() || twoPsk;
  // The hold is earned: a buffer found alone is not held. A fade the hold
  // bridged does not end the run.
  const double hold = std::min(kHoldSeconds, found_);
  if (now) {
    found_ = since_ >= hold ? bufferSeconds : found_ + bufferSeconds;
    since_ = 0;
  } else {
    since_ += bufferSeconds;
  }
  return now || since_ < hold;
}

// One marker at each edge of the band, over the floor there.
void DigitalDetector::DrawBand(DetectorDrawing& drawing) const {
  if (!steady_.BandFound()) return;
  const auto floor = static_cast<float>(Db10(steady_.Floor()) - Db10(buffer_.N()));
  for (double edge : {steady_.BandLow(), steady_.BandHigh()}) drawing.SpectrumMarker(edge, floor + 20, floor - 20);
}

}  // namespace velmora
