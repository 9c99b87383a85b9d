#pragma once
// The steps of the per-buffer work that other areas fill: the analysis
// (spectrum and detectors) and the displays. The processing, playback and
// simulation loops all hand their buffers to the same work through these.
#include <cstdint>
#include <span>
#include <string>

namespace velmora {

// The detector verdict of one buffer.
struct Verdict {
  bool busy = false;   // a signal detector fired
  bool noise = false;  // a noise detector fired
  bool pulse = false;  // the pulse detector is switched on and found a pulse (stops a playback)
};

class BufferAnalysis {
 public:
  virtual ~BufferAnalysis() = default;
  // The spectrum and signal level of the buffer in hand. transformLength is
  // the sample size the loop runs with; a shorter last buffer of a file is
  // brought to it.
  virtual void Analyse(std::span<const std::int16_t> samples, std::int32_t transformLength) = 0;
  // The detectors on what Analyse left. panelText receives the text of
  // status panel 3 (empty clears the panel).
  virtual Verdict Detect(std::string& panelText) = 0;
  // Sample continuity was broken (loop start, device restart, playback start
  // or rewind): the detectors that carry state across buffers start again.
  virtual void RestartContinuity() = 0;
};

class BufferDisplay {
 public:
  virtual ~BufferDisplay() = default;
  virtual bool Shown() const = 0;  // false while minimised: nothing is drawn, detection goes on
  virtual void DrawTime(std::span<const std::int16_t> samples) = 0;
  virtual void DrawFrequency() = 0;  // after Analyse
  virtual void Present() = 0;        // after the detectors drew their markers
};

// Told after every Detect (the Options dialog's labels and statistics).
class DetectObserver {
 public:
  virtual ~DetectObserver() = default;
  virtual void AfterDetect() = 0;
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
