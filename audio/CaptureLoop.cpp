// The sound-card loop: two buffers alternate between the driver and the
// per-buffer work; when both are full before the work got to them the
// device is restarted rather than falling further behind.
#include <chrono>

#include "audio/SignalSide.h"
#include "audio/WaveDeviceSteps.h"
#include "common/Format.h"

namespace velmora {

int SignalSide::WaveInputOpen() {
  WaveFormat format;
  format.bitsPerSample = use16Bit ? 16 : 8;
  return WaveDeviceOpen(devices_.input, format, "WaveInputOpen", messages_);
}

void SignalSide::WaveInputClose() { WaveDeviceClose(devices_.input, "WaveInputClose", messages_); }

bool SignalSide::QueueBuffer(WaveDevice& device, int index) { return device.Queue(index, BufferBytes()) == kWaveOk; }

// Waits until buffer index is done; false on a time-out (the program ends).
bool SignalSide::WaitForBuffer(int index, bool& stop) {
  stop = false;
  while (!devices_.input.Done(index)) {
    if (stopRequest_) {
      stop = true;
      return true;
    }
    if (!devices_.input.WaitEvent(kWaveBufferWait)) {
      ShowError("Process - WaveEvent TimeOut");
      return false;
    }
  }
  return true;
}

bool SignalSide::Restart() {
  SetFirstBuffer();
  WaveDevice& device = devices_.input;
  if (device.Reset() != kWaveOk) {
    ShowError("Process Restart - Cannot Reset Sound Card");
    return false;
  }
  // AutoConnect sets its sample size before asking for the reset: the
  // restart takes it, with headers for the new length.
  const std::int32_t before = loopSampleSize_;
  TakeLoopSampleSize();
  if (loopSampleSize_ != before) {
    for (int i = 0; i < 2; ++i) {
      if ((device.Prepared(i) && device.UnprepareHeader(i) != kWaveOk) ||
          device.PrepareHeader(i, buffers_.Data(i, use16Bit), BufferBytes()) != kWaveOk) {
        ShowError("Process Restart - Cannot PrepareHeader #" + std::to_string(i + 1));
        return false;
      }
    }
  }
  for (int i = 0; i < 2; ++i)
    if (!QueueBuffer(device, i)) {
      ShowError("Process Restart - Cannot AddBuffer #" + std::to_string(i));
      return false;
    }
  if (device.Start() != kWaveOk) {
    ShowError("Process Restart - Cannot Start Sound Card");
    return false;
  }
  return true;
}

void SignalSide::Process() {
  running_ = true;
  analysis_->NewChannel();
  SetFirstBuffer();
  resetRequest_ = false;
  stopRequest_ = false;
  TakeLoopSampleSize();
  openDevice_ = &devices_.input;
  if (!StartCapture()) {
    ProcessStopped();
    return;
  }
  const bool endProgram = !RunCapture();
  ProcessStopped();
  if (endProgram) host_.EndProgram();
}

// Opens the sound card and hands it both buffers; false once the failure is shown.
bool SignalSide::StartCapture() {
  if (WaveInputOpen() != 0) return false;
  WaveDevice& device = devices_.input;
  for (int i = 0; i < 2; ++i) {
    if (device.PrepareHeader(i, buffers_.Data(i, use16Bit), BufferBytes()) != kWaveOk) {
      ShowError("Process - Cannot PrepareHeader #" + std::to_string(i + 1));
      return false;
    }
    if (!QueueBuffer(device, i)) {
      ShowError("Process - Cannot AddBuffer #" + std::to_string(i + 1));
      return false;
    }
  }
  if (device.Start() != kWaveOk) {
    ShowError("Process - Cannot Start Sound Card");
    return false;
  }
  return true;
}

// Works the buffers in turn until a stop or a step; false when the program must end.
bool SignalSide::RunCapture() {
  int next = 0, other = 1;
  while (true) {
    bool stop = false;
    if (!WaitForBuffer(next, stop)) return false;
    if (stop || stopRequest_) return true;

    const double seconds = ProcessRecorded(next);
    if (stepRequest_ || stopRequest_) return true;

    pump_.RunPending();
    // Stopped from a window event: the buffer is not given back, as Options
    // may have changed the width its length is counted in.
    if (stopRequest_) return true;

    if (!devices_.input.Done(other) && !resetRequest_) {
      if (!RequeueBuffer(next, seconds)) return false;
      other = next;
      next = (next + 1) % 2;
      continue;
    }
    if (!RestartCapture()) return false;
    next = 0;
    other = 1;
  }
}

// The per-buffer work on what the card recorded; returns the seconds it took.
double SignalSide::ProcessRecorded(int index) {
  double t1 = clock_.Seconds();
  std::uint32_t bytes = devices_.input.BytesRecorded(index);
  ProcessBuffer(index, static_cast<std::int32_t>(use16Bit ? bytes / 2 : bytes));
  double t2 = clock_.Seconds();
  return t2 - t1;
}

// Shows the loop's load and gives the buffer back to the card.
bool SignalSide::RequeueBuffer(int index, double seconds) {
  double load = seconds / (static_cast<double>(loopSampleSize_) / kSampleRate);
  host_.SetStatus(1, "Running " + FormatNumber(load * 100, "0") + "%");
  if (!QueueBuffer(devices_.input, index)) {
    ShowError("Process - Cannot AddBuffer #" + std::to_string(index + 1));
    return false;
  }
  return true;
}

// Both buffers were full before the work got to them, or a reset was asked for.
bool SignalSide::RestartCapture() {
  if (resetRequest_) {
    host_.SetStatus(1, "Reset");
    WaitSeconds(pump_, clock_, 0.5);
    resetRequest_ = false;
    // Stopped during the pause: no restart, as Options may have changed the
    // width the buffers' length is counted in. The loop leaves at its wait.
    if (stopRequest_) return true;
  } else {
    host_.SetStatus(1, "Overflow");
  }
  return Restart();
}

}  // namespace velmora
