// Recordings through the analysis chain: the bytes played back buffer by
// buffer as 16-bit or 8-bit samples through the spectrum, every detector,
// the verdict and the statistics, as the offline analyser runs them.
#include <cstdio>
#include <sstream>

#include "tools/analyse/RecordingAnalyser.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  AnalyseOptions options;
  options.recording = "-";
  options.eightBit = data[0] & 1;
  // Short buffers, so a small input holds several.
  options.sampleSize = 256 << ((data[0] >> 1) & 3);
  std::FILE* input = fmemopen(const_cast<std::uint8_t*>(data + 1), size - 1, "rb");
  if (!input) return 0;
  std::ostringstream out, error;
  AnalyseRecording(options, input, out, error);
  std::fclose(input);
  return 0;
}
