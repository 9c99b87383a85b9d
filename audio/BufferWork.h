#pragma once
// The steps of the per-buffer work that other areas fill: the analysis
// (spectrum and detectors), the displays, and who is handed the verdict.
// The processing, playback and simulation loops all hand their buffers to
// the same work through these.
#include <cstdint>
#include <span>

#include "analysis/BufferAnalysis.h"
#include "common/Verdict.h"

namespace velmora {

class BufferDisplay {
 public:
  virtual ~BufferDisplay() = default;
  virtual bool Shown() const = 0;  // false while minimised: nothing is drawn, detection goes on
  virtual void DrawTime(std::span<const std::int16_t> samples) = 0;
  virtual void DrawFrequency() = 0;  // after Analyse
  // The verdict of the buffer just analysed, after Detect on every buffer
  // processed, shown or not (a redraw processes none).
  virtual void BufferJudged(const Verdict& verdict) = 0;
  virtual void Present() = 0;        // after the detectors drew their markers
};

// Told after every Detect (the Options dialog's labels and statistics).
class DetectObserver {
 public:
  virtual ~DetectObserver() = default;
  virtual void AfterDetect() = 0;
};

// The AutoConnect window as the loops know it: handed each buffer's verdict
// while it is shown.
class VerdictListener {
 public:
  virtual ~VerdictListener() = default;
  virtual bool Visible() const = 0;
  virtual void Update(Verdict verdict) = 0;  // only while Visible()
};

}  // namespace velmora
