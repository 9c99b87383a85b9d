// Every detector on any settings and any buffer: centre frequencies, ranges
// and offsets of any value (NaN, infinities, far beyond the spectrum), each
// special mode and the debug drawings. No read or write may leave its array,
// and the scores must still mean something.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tests/analysis/AnalysisTestSupport.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Centre, offset range and step, CW range; then the flags and the length.
  float header[4];
  constexpr std::size_t kHeaderBytes = sizeof header + 2;
  if (size < kHeaderBytes) return 0;
  std::memcpy(header, data, sizeof header);
  const auto [centre, range, step, cwRange] = header;
  const std::uint8_t flags = data[16], lengthIndex = data[17];
  std::vector<std::int16_t> samples((size - kHeaderBytes) / 2 + 1);
  std::memcpy(samples.data(), data + kHeaderBytes, (size - kHeaderBytes) / 2 * 2);

  DetectorSettings s;
  s.powerEnabled = false;
  s.burstEnabled = s.peakEnabled = s.pulseEnabled = s.debugEnabled = true;
  s.pactor2Threshold = s.pactor3Threshold = s.burstThreshold = s.peakThreshold = s.pulseThreshold = -1000;
  s.centerFrequency = s.cwFrequency = centre;
  s.cwRange = cwRange;
  s.offsetFrequencyRange = range;
  s.offsetFrequencyStep = step;
  const int mode = flags & 3;
  s.cwMode = mode == 1;
  s.faxMode = mode == 2;
  s.wwvMode = mode == 3;
  s.pactor3WideBand = flags & 4;
  s.digitalBusy = flags & 8;
  s.pactorFading = lengthIndex & 8;
  s.debugData = static_cast<float>(flags >> 4);
  const std::int32_t lengths[] = {256, 2048, 32768};

  SignalAnalysis analysis(s);
  testing::RecordingDrawing drawing;
  analysis.SetDrawing(&drawing);
  std::string panel;
  for (int pass = 0; pass < 2; ++pass) {  // the second buffer follows the first
    analysis.Analyse(samples, lengths[lengthIndex % 3]);
    const Verdict v = analysis.Detect(panel);
    Require(!(v.busy && v.noise));
    // Bands read past the spectrum's edges still give scores within their scale.
    Require(std::abs(analysis.Results().pactor2Score) <= 100);
    Require(std::abs(analysis.Results().pactor3Score) <= 100);
    Require(std::isfinite(analysis.Results().peakValue));
  }
  return 0;
}
