#pragma once
// The analysis as the loops call it once per buffer: the spectrum and
// signal level, then the detectors' verdict.
#include <cstdint>
#include <span>
#include <string>

#include "common/Verdict.h"

namespace velmora {

class BufferAnalysis {
 public:
  virtual ~BufferAnalysis() = default;
  // The spectrum and signal level of the buffer in hand. transformLength is
  // the sample size the loop runs with; a shorter last buffer of a file is
  // brought to it.
  virtual void Analyse(std::span<const std::int16_t> samples, std::int32_t transformLength) = 0;
  // The detectors on what Analyse left. panelText receives the text of
  // status panel 3 (empty clears the panel). The verdict's valid flag is
  // the loop's to set.
  virtual Verdict Detect(std::string& panelText) = 0;
  // Sample continuity was broken (loop start, device restart, playback start
  // or rewind): the detectors that carry state across buffers start again.
  virtual void RestartContinuity() = 0;
  // Another channel is heard (a loop starts, AutoConnect changed the
  // frequency): what the detectors learned of the last one is forgotten. An
  // overflow's restart keeps the channel.
  virtual void NewChannel() {}
};

// A plain analysis that detects nothing, until the detectors are wired in.
class NoAnalysis final : public BufferAnalysis {
 public:
  void Analyse(std::span<const std::int16_t>, std::int32_t) override {}
  Verdict Detect(std::string& panelText) override {
    panelText.clear();
    return {};
  }
  void RestartContinuity() override {}
};

}  // namespace velmora
