// Every detector on any settings and any buffer: centre frequencies, ranges
// and offsets of any value (NaN, infinities, far beyond the spectrum), each
// special mode and the debug drawings. No read or write may leave its array,
// and the scores must still mean something.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tests/analysis/AnalysisTestSupport.h"

using namespace velmora;

namespace {

struct Header {
  float centre, range, step, cwRange;
  std::uint8_t flags, lengthIndex;
};
constexpr std::size_t kHeaderBytes = 4 * sizeof(float) + 2;

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderBytes) return 0;
  Header h;
  std::memcpy(&h, data, 4 * sizeof(float));
  h.flags = data[16];
  h.lengthIndex = data[17];
  std::vector<std::int16_t> samples((size - kHeaderBytes) / 2 + 1);
  std::memcpy(samples.data(), data + kHeaderBytes, (size - kHeaderBytes) / 2 * 2);

  DetectorSettings s;
  s.powerEnabled = false;
  s.burstEnabled = s.peakEnabled = s.pulseEnabled = s.debugEnabled = true;
  s.pactor2Threshold = s.pactor3Threshold = s.burstThreshold = s.peakThreshold = s.pulseThreshold = -1000;
  s.centerFrequency = s.cwFrequency = h.centre;
  s.cwRange = h.cwRange;
  s.offsetFrequencyRange = h.range;
  s.offsetFrequencyStep = h.step;
  const int mode = h.flags & 3;
  s.cwMode = mode == 1;
  s.faxMode = mode == 2;
  s.wwvMode = mode == 3;
  s.pactor3WideBand = h.flags & 4;
  s.digitalBusy = h.flags & 8;
  s.pactorFading = h.lengthIndex & 8;
  s.debugData = static_cast<float>(h.flags >> 4);
  const std::int32_t lengths[] = {256, 2048, 32768};

  SignalAnalysis analysis(s);
  testing::RecordingDrawing drawing;
  analysis.SetDrawing(&drawing);
  std::string panel;
  for (int pass = 0; pass < 2; ++pass) {  // the second buffer follows the first
    analysis.Analyse(samples, lengths[h.lengthIndex % 3]);
    const Verdict v = analysis.Detect(panel);
    Check(!(v.busy && v.noise));
    // Bands read past the spectrum's edges still give scores within their scale.
    Check(std::abs(analysis.Results().pactor2Score) <= 100);
    Check(std::abs(analysis.Results().pactor3Score) <= 100);
    Check(std::isfinite(analysis.Results().peakValue));
  }
  return 0;
}
