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
  WaveDevice& device = devices_.input;

  openDevice_ = &devices_.input;
  if (WaveInputOpen() != 0) {
    ProcessStopped();
    return;
  }
  for (int i = 0; i < 2; ++i) {
    if (device.PrepareHeader(i, buffers_.Data(i, use16Bit), BufferBytes()) != kWaveOk) {
      ShowError("Process - Cannot PrepareHeader #" + std::to_string(i + 1));
      ProcessStopped();
      return;
    }
    if (!QueueBuffer(device, i)) {
      ShowError("Process - Cannot AddBuffer #" + std::to_string(i + 1));
      ProcessStopped();
      return;
    }
  }
  if (device.Start() != kWaveOk) {
    ShowError("Process - Cannot Start Sound Card");
    ProcessStopped();
    return;
  }

  bool endProgram = false;
  int next = 0, other = 1;
  while (true) {
    bool stop = false;
    if (!WaitForBuffer(next, stop)) {
      endProgram = true;
      break;
    }
    if (stop || stopRequest_) break;

    double t1 = clock_.Seconds();
    std::uint32_t bytes = device.BytesRecorded(next);
    ProcessBuffer(next, static_cast<std::int32_t>(use16Bit ? bytes / 2 : bytes));
    double t2 = clock_.Seconds();
    if (stepRequest_ || stopRequest_) break;

    pump_.RunPending();

    bool restart = false;
    if (!device.Done(other)) {
      if (resetRequest_) {
        restart = true;
      } else {
        double load = (t2 - t1) / (static_cast<double>(loopSampleSize_) / kSampleRate);
        host_.SetStatus(1, "Running " + FormatNumber(load * 100, "0") + "%");
        if (!QueueBuffer(device, next)) {
          ShowError("Process - Cannot AddBuffer #" + std::to_string(next + 1));
          endProgram = true;
          break;
        }
        other = next;
        next = (next + 1) % 2;
        continue;
      }
    } else if (!resetRequest_) {
      host_.SetStatus(1, "Overflow");
    } else {
      restart = true;
    }
    if (restart) {  // a reset was asked for
      host_.SetStatus(1, "Reset");
      WaitSeconds(pump_, clock_, 0.5);
      resetRequest_ = false;
    }
    if (!Restart()) {
      endProgram = true;
      break;
    }
    next = 0;
    other = 1;
  }
  ProcessStopped();
  if (endProgram) host_.EndProgram();
}

}  // namespace velmora
