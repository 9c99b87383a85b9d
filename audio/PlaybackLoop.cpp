// Playback of a recording through the per-buffer work, optionally heard
// through the sound output, and the built-in test signal.
#include <algorithm>
#include <chrono>

#include "audio/SignalSide.h"
#include "audio/WaveDeviceSteps.h"
#include "common/SystemLib.h"

namespace velmora {

int SignalSide::WaveOutputOpen() {
  return WaveDeviceOpen(devices_.output, WaveFormat{}, "WaveOutputOpen", messages_);
}

void SignalSide::WaveOutputClose() { WaveDeviceClose(devices_.output, "WaveOutputClose", messages_); }

bool SignalSide::PrepareOutputHeaders(std::string_view operation) {
  for (int i = 0; i < 2; ++i) {
    if (devices_.output.PrepareHeader(i, buffers_.samples16[i].data(), loopSampleSize_ * 2u) != kWaveOk) {
      ShowError(std::string(operation) + " - Cannot PrepareHeader #" + std::to_string(i + 1));
      return false;
    }
    devices_.output.MarkDone(i);
  }
  return true;
}

// Waits until output buffer index has been played; false on a time-out.
bool SignalSide::WaitOutputBuffer(int index, std::string_view operation, std::string_view waitingText,
                                  std::string_view overflowText) {
  if (devices_.output.Done(index)) {
    host_.SetStatus(1, overflowText);  // the output ran dry before this buffer was ready
    return true;
  }
  host_.SetStatus(1, waitingText);
  while (!devices_.output.Done(index)) {
    if (!devices_.output.WaitEvent(kWaveBufferWait)) {
      ShowError(std::string(operation) + " - WaveEvent TimeOut");
      return false;
    }
  }
  return true;
}

bool SignalSide::PlaybackOpen() {
  if (playbackFile.empty()) {
    // Playback chosen in Options with the file box left empty.
    ShowError("PlaybackOpen - No recording is chosen: choose one in Options, Input.");
    return false;
  }
  std::error_code error;
  if (!playback_.Open(playbackFile, error)) {
    ShowError("PlaybackOpen - Cannot open " + PathText(playbackFile) + "\r" + ErrorText(error));
    return false;
  }
  host_.CaptionChanged();
  return true;
}

void SignalSide::PlaybackClose() {
  if (!playback_.IsOpen()) return;
  playback_.Close();
  host_.CaptionChanged();
}

std::string SignalSide::PlaybackCaption() const {
  if (!playback_.IsOpen()) return {};
  return "Velmora - " + FileTitle(PathText(playback_.File()));
}

bool SignalSide::PlaybackRead(int index) {
  if (!playback_.IsOpen() && !PlaybackOpen()) return false;
  if (playback_.Buffers() == 0) {
    analysis_->NewChannel();
    SetFirstBuffer();
  }
  std::error_code error;
  auto count = static_cast<size_t>(loopSampleSize_);
  auto result = use16Bit ? playback_.Read(std::span(buffers_.samples16[index].data(), count), error)
                         : playback_.Read(std::span(buffers_.samples8[index].data(), count), error);
  switch (result) {
    case PlaybackFile::ReadResult::kBuffer:
      return true;
    case PlaybackFile::ReadResult::kRewound:
      SetFirstBuffer();  // the file starts again: continuity is broken
      return true;
    case PlaybackFile::ReadResult::kTooShort:
      // Playback ends: say why, or the user sees nothing happen.
      ShowError("PlaybackRead - " + PathText(playback_.File()) + " is shorter than one buffer of " +
                std::to_string(loopSampleSize_) + " samples.");
      return false;
    case PlaybackFile::ReadResult::kError:
      ShowError("PlaybackRead - " + ErrorText(error) + "\r" + NotReadText(playback_.File()) +
                ": playback is stopped.");
      return false;
  }
  return false;
}

void SignalSide::PlaybackStop() {
  playbackPressed_ = false;
  host_.SetToolbarPressed("Stop", true);
  host_.SetToolbarPressed("Start", false);
}

void SignalSide::PlaybackEnd() {
  PlaybackStop();
  PlaybackClose();
  WaveOutputClose();
}

void SignalSide::PlaybackStep() {
  if (playing_) {
    PlaybackStop();
    return;
  }
  TakeLoopSampleSize();
  const int index = 0;
  if (!PlaybackRead(index)) {
    PlaybackEnd();
    host_.SetStatus(1, "Stopped");
    return;
  }
  host_.SetStatus(1, "Playback " + std::to_string(playback_.Buffers()));
  ProcessBuffer(index, loopSampleSize_);
}

void SignalSide::PlaybackLoop() {
  if (playing_) return;
  playing_ = true;
  playbackPressed_ = true;
  host_.SetToolbarPressed("Start", true);
  TakeLoopSampleSize();
  const bool output = playbackOutput;
  bool ended = false;
  if (output) {
    if (WaveOutputOpen() != 0) {
      PlaybackStop();
      WaveOutputClose();
      playing_ = false;
      host_.SetStatus(1, "Stopped");
      return;
    }
    if (!PrepareOutputHeaders("PlaybackLoop")) {
      PlaybackEnd();
      ended = true;
    }
  }
  if (!ended) ended = !PlaybackBuffers(output);
  if (output && !ended) WaveOutputClose();
  playing_ = false;
  host_.SetStatus(1, "Stopped");
}

// The file buffer by buffer while "Start" stays pressed; false once the playback has ended.
bool SignalSide::PlaybackBuffers(bool output) {
  bool previous = false;
  for (int i = 0; playbackPressed_; i = (i + 1) % 2) {
    if (!PlaybackNext(i, output, previous)) {
      PlaybackEnd();
      return false;
    }
    previous = true;
    ProcessBuffer(i, loopSampleSize_);
    pump_.RunPending();
    if (playbackStopDetected && verdict_.pulse) PlaybackStop();
    if (pump_.QuitRequested()) break;
  }
  return true;
}

// Buffer index read from the file, and given to the output once the output is done with it.
bool SignalSide::PlaybackNext(int index, bool output, bool previous) {
  std::string count = std::to_string(playback_.Buffers());
  if (output && previous) {
    if (!WaitOutputBuffer(index, "Playback", "Playback " + count, "Overflow " + count)) return false;
  } else {
    host_.SetStatus(1, "Playback " + count);
  }
  if (!PlaybackRead(index)) return false;
  // The output device plays 16-bit samples only: 8-bit ones are heard widened.
  if (output && !use16Bit) {
    const auto& in = buffers_.samples8[index];
    auto& out = buffers_.samples16[index];
    for (std::int32_t i = 0; i < loopSampleSize_; ++i) out[i] = static_cast<std::int16_t>((in[i] - 128) * 256);
  }
  if (output && devices_.output.Queue(index, loopSampleSize_ * 2u) != kWaveOk) {
    ShowError("Playback - Cannot Write #" + std::to_string(index + 1));
    return false;
  }
  return true;
}

void SignalSide::SimulateData() {
  TakeLoopSampleSize();
  auto count = static_cast<size_t>(loopSampleSize_);
  SimulateSamples(simulate, std::span(buffers_.samples16[1].data(), count));
  if (simulate.output) std::copy_n(buffers_.samples16[1].begin(), count, buffers_.samples16[0].begin());
  simulated_ = {simulate, simulate};
  ProcessBuffer(1, loopSampleSize_);
}

void SignalSide::SimulateChanged() {
  if (inputSource == kSimulated && !LoopActive()) SimulateData();
  // While playing, SimulateLoop sees the change before it queues each buffer.
}

void SignalSide::SimulateLoop() {
  analysis_->NewChannel();
  SetFirstBuffer();
  SimulateData();
  if (!simulate.output || stepRequest_) {
    // Without output the one generated buffer is the whole simulation; a
    // step, heard or not, is that one buffer, and is done.
    stepRequest_ = false;
    host_.SetToolbarPressed("Start", false);
    host_.SetStatus(1, "Stopped");
    return;
  }
  running_ = true;
  stopRequest_ = false;
  openDevice_ = &devices_.output;
  if (WaveOutputOpen() != 0) {
    ProcessStopped();
    return;
  }
  if (!PrepareOutputHeaders("Simulate")) {
    ProcessStopped();
    return;
  }
  for (int i = 0; !stopRequest_; i = (i + 1) % 2) {
    if (!WaitOutputBuffer(i, "Simulate", "Simulate", "Overflow")) break;
    if (!(simulated_[i] == simulate)) {  // the scroll bars moved while it played
      SimulateSamples(simulate, std::span(buffers_.samples16[i].data(), static_cast<size_t>(loopSampleSize_)));
      simulated_[i] = simulate;
    }
    if (devices_.output.Queue(i, loopSampleSize_ * 2u) != kWaveOk) {
      ShowError("Simulate - Cannot Write #" + std::to_string(i));
      break;
    }
    ProcessBuffer(i, loopSampleSize_);
    pump_.RunPending();
    if (pump_.QuitRequested()) break;
  }
  ProcessStopped();
}

}  // namespace velmora
