#include "audio/SignalSide.h"

#include <algorithm>
#include <utility>

#include "common/SystemLib.h"

namespace velmora {

SignalSide::SignalSide(MainSettings& settings, SignalDevices devices, SignalHost& host, Messenger& messages,
                       EventPump& pump, Clock& clock, VerdictListener& autoConnect)
    : settings_(settings),
      devices_(devices),
      host_(host),
      messages_(messages),
      pump_(pump),
      clock_(clock),
      autoConnect_(autoConnect) {}

void SignalSide::ProcessStart() {
  if (running_) return;
  startCalledOff_ = false;
  host_.StartProcessTimer();
  host_.SetToolbarPressed("Start", true);
  // A step keeps saying so until its one buffer is done.
  host_.SetStatus(1, stepRequest_ ? "Stepping" : "Starting");
}

void SignalSide::ProcessStop() {
  stopRequest_ = true;
  host_.SetToolbarPressed("Stop", true);
  host_.SetToolbarPressed("Start", false);
}

void SignalSide::ProcessStep() {
  if (running_) {
    stopRequest_ = true;
    return;
  }
  stepRequest_ = true;
  host_.SetStatus(1, "Stepping");
  ProcessStart();
}

void SignalSide::ProcessReset() {
  analysis_->NewChannel();
  // A recording that plays reads on: a start queued now would start it
  // again as soon as the user stops it.
  if (running_)
    resetRequest_ = true;
  else if (!playing_)
    ProcessStart();
}

void SignalSide::StartLoopFromTimer() {
  if (running_ || playing_) return;
  if (std::exchange(startCalledOff_, false)) {
    stepRequest_ = false;
    host_.SetStatus(1, "Stopped");
    return;
  }
  if (inputSource == kSoundCard)
    Process();
  else if (inputSource == kSimulated)
    SimulateLoop();
  else if (inputSource == kPlayback)
    PlaybackLoop();
}

void SignalSide::Start() {
  if (inputSource == kPlayback) {
    if (playing_) return;
    // Through the timer too, so the click that asked for it returns first.
    playbackPressed_ = true;
    startCalledOff_ = false;
    host_.SetToolbarPressed("Start", true);
    host_.SetStatus(1, "Starting");
    host_.StartProcessTimer();
    return;
  }
  ProcessStart();
}

void SignalSide::Stop() {
  // A start still waiting for its tick (held while an AutoConnect operation
  // runs, or the loop before ends) must not start after all; a later start
  // request clears this.
  startCalledOff_ = true;
  if (inputSource == kPlayback)
    PlaybackStop();
  else
    ProcessStop();
}

void SignalSide::Step() {
  if (inputSource == kPlayback)
    PlaybackStep();
  else
    ProcessStep();
}

void SignalSide::StopForClose() {
  if (inputSource == kPlayback)
    PlaybackEnd();
  else if (running_)
    ProcessStop();
  RecordEnd(false);  // nobody to tell at close
}

void SignalSide::ProcessStopped() {
  ProcessStop();
  // The device this loop opened, whatever the source is by now: Options may
  // have switched it while the loop ran.
  if (openDevice_ == &devices_.input) WaveInputClose();
  if (openDevice_ == &devices_.output) WaveOutputClose();
  openDevice_ = nullptr;
  running_ = false;
  stepRequest_ = false;
  host_.SetStatus(1, "Stopped");
}

void SignalSide::TakeLoopSampleSize() {
  // Read once per start: AutoConnect may change the setting while a loop runs.
  loopSampleSize_ = IsValidSampleSize(settings_.display.sampleSize) ? settings_.display.sampleSize : kSampleSizeDefault;
}

std::uint32_t SignalSide::BufferBytes() const {
  return static_cast<std::uint32_t>(loopSampleSize_) * (use16Bit ? 2u : 1u);
}

void SignalSide::SetFirstBuffer() { analysis_->RestartContinuity(); }

void SignalSide::ProcessBuffer(int index, std::int32_t count) {
  if (count <= 0) return;
  count = std::min(count, kSampleSizeMax);
  host_.HideReadoutIfOutside();
  sampleCount_ = count;
  currentBuffer_ = static_cast<std::uint16_t>(index);
  bufferSeconds_ = static_cast<float>(count) / kSampleRate;

  // The test signal is always made in 16 bits, whatever the capture width.
  const bool wide = use16Bit || inputSource == kSimulated;
  CopySamples(index, count, wide);
  if (recorder_.Recording()) RecordWrite(index, count, wide);
  AnalyseBuffer(count);

  if (inputSource == kPlayback && playbackStopDetected && (verdict_.busy || verdict_.noise)) PlaybackStop();

  if (autoConnect_.Visible()) {
    if (!verdict_.valid) host_.SetStatus(3, "Low Input Level");
    autoConnect_.Update(verdict_);
  }
}

// The buffer's samples in 16 bits, and whether it carries no audio.
void SignalSide::CopySamples(int index, std::int32_t count, bool wide) {
  if (wide) {
    const auto& in = buffers_.samples16[index];
    std::copy_n(in.begin(), count, samples_.begin());
  } else {
    const auto& in = buffers_.samples8[index];
    for (std::int32_t i = 0; i < count; ++i) samples_[i] = static_cast<std::int16_t>((in[i] - 128) * 256);
  }
  lowInput_ = IsSilentBuffer(std::span(samples_.data(), static_cast<std::size_t>(std::max(count, 0))));
}

// The buffer as it came, in its own width.
void SignalSide::RecordWrite(int index, std::int32_t count, bool wide) {
  if (recorder_.Wide().value_or(wide) != wide) {
    // The file has no width marker: samples of the other width would turn
    // the rest of it (or all before) to noise when played back.
    RecordClose();
    RecordOpen();
    if (!recorder_.Recording()) return;
  }
  std::error_code error;
  bool written = wide ? recorder_.Write(std::span(buffers_.samples16[index].data(), count), error)
                      : recorder_.Write(std::span(buffers_.samples8[index].data(), count), error);
  if (!written) {
    // The user must not believe a recording is being made; this message
    // tells it, not the one of a recording that never got a buffer.
    RecordEnd(false);
    ShowError("RecordWrite - " + ErrorText(error) + "\r" + NotWrittenText(recorder_.File()) +
              ": the recording is stopped.");
  }
}

// Spectrum, displays and detectors on the buffer: the verdict and its panel text.
void SignalSide::AnalyseBuffer(std::int32_t count) {
  auto samples = Samples();
  bool shown = display_ && display_->Shown();
  analysis_->Analyse(samples, std::max(loopSampleSize_, count));
  host_.BufferAnalysed();
  if (shown) {
    display_->DrawTime(samples);
    display_->DrawFrequency();
  }
  std::string panelText;
  verdict_ = analysis_->Detect(panelText);
  verdict_.valid = !lowInput_;
  host_.SetStatus(3, panelText);
  if (observer_) observer_->AfterDetect();
  if (display_) display_->BufferJudged(verdict_);
  if (shown) display_->Present();
}

void SignalSide::Redraw() {
  if (currentBuffer_ == kNoBuffer || sampleCount_ <= 0 || !display_ || !display_->Shown()) return;
  auto samples = Samples();
  analysis_->Analyse(samples, std::max(loopSampleSize_, sampleCount_));
  display_->DrawTime(samples);
  display_->DrawFrequency();
  display_->Present();
}

void SignalSide::RecordOpen() {
  if (recorder_.Recording()) return;
  std::error_code error;
  if (!recorder_.Open(dataFolder, LocalNow(), error)) {
    ShowError("RecordOpen - Cannot open " + PathText(recorder_.File()) + "\r" + ErrorText(error));
    return;
  }
  host_.CaptionChanged();
}

void SignalSide::RecordEnd(bool tellEmpty) {
  if (!recorder_.Recording()) return;
  // Not one buffer was written whole: such a file would pass for a recording.
  const bool empty = recorder_.Empty();
  recorder_.Close();
  host_.CaptionChanged();
  if (!empty) return;
  std::error_code ignored;
  std::filesystem::remove(recorder_.File(), ignored);
  if (tellEmpty) ShowError(kRecordNothingText);
}

}  // namespace velmora
