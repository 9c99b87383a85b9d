#pragma once
// The detection rates of every form over a range of signal-to-noise ratios,
// each signal run buffer by buffer through the program's analysis, with
// "Pactor3 Wide Band" off and on ("Digital Busy": DigitalSweep.h).
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "analysis/DetectorSettings.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora::signalgen {

struct BufferCounts {
  int inside = 0;        // buffers wholly inside the wanted signal
  int insideBusy = 0;
  int insideLabel = 0;   // ... busy with the label of the form
  int outside = 0;       // buffers with none of it (pauses, or every buffer of a form without one)
  int outsideBusy = 0;
  int outsideNoise = 0;
  int all = 0;           // every buffer
  int allBusy = 0;
};

// Runs a signal through the analysis in buffers of sampleSize samples.
BufferCounts CountBuffers(const Signal& signal, const DetectorSettings& settings, std::int32_t sampleSize,
                          const std::string& expectedLabel);

// The panel label a detection of the form should carry ("" for none).
std::string ExpectedLabel(const SignalRecipe& recipe);

struct SweepOptions {
  double seconds = 30;
  std::int32_t sampleSize = 2048;
  std::vector<double> snrs = {-10, -5, 0, 5, 10, 15, 20, 30};
  std::vector<double> rollOffs = {0.35, 1.0};  // of the Pactor forms' symbols
};
void RunSweep(const SweepOptions& options, std::ostream& out);

}  // namespace velmora::signalgen
