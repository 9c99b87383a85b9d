#pragma once
// The wave-audio devices of the platform: the default capture device (the
// wave mapper) and the default output device, each with two buffer headers
// and an unnamed auto-reset event the driver signals.
#include <windows.h>
#include <mmsystem.h>

#include "audio/WaveDevice.h"
#include "common/win32/Handles.h"

namespace velmora {

// The calls that differ between capture and output.
struct CaptureCalls {
  using Handle = HWAVEIN;
  static MMRESULT Open(Handle* h, const WAVEFORMATEX* f, HANDLE event) {
    return waveInOpen(h, WAVE_MAPPER, f, reinterpret_cast<DWORD_PTR>(event), 0, CALLBACK_EVENT);
  }
  static MMRESULT Prepare(Handle h, WAVEHDR* w) { return waveInPrepareHeader(h, w, sizeof *w); }
  static MMRESULT Queue(Handle h, WAVEHDR* w) { return waveInAddBuffer(h, w, sizeof *w); }
  static MMRESULT Start(Handle h) { return waveInStart(h); }
  static MMRESULT Reset(Handle h) { return waveInReset(h); }
  static MMRESULT Unprepare(Handle h, WAVEHDR* w) { return waveInUnprepareHeader(h, w, sizeof *w); }
  static MMRESULT Close(Handle h) { return waveInClose(h); }
  static std::uint32_t Bytes(const WAVEHDR& w) { return w.dwBytesRecorded; }
};

struct OutputCalls {
  using Handle = HWAVEOUT;
  static MMRESULT Open(Handle* h, const WAVEFORMATEX* f, HANDLE event) {
    return waveOutOpen(h, WAVE_MAPPER, f, reinterpret_cast<DWORD_PTR>(event), 0, CALLBACK_EVENT);
  }
  static MMRESULT Prepare(Handle h, WAVEHDR* w) { return waveOutPrepareHeader(h, w, sizeof *w); }
  static MMRESULT Queue(Handle h, WAVEHDR* w) { return waveOutWrite(h, w, sizeof *w); }
  static MMRESULT Start(Handle) { return MMSYSERR_NOERROR; }  // output starts with the first write
  static MMRESULT Reset(Handle h) { return waveOutReset(h); }
  static MMRESULT Unprepare(Handle h, WAVEHDR* w) { return waveOutUnprepareHeader(h, w, sizeof *w); }
  static MMRESULT Close(Handle h) { return waveOutClose(h); }
  static std::uint32_t Bytes(const WAVEHDR& w) { return w.dwBufferLength; }
};

template <typename Calls>
class PlatformWaveDevice final : public WaveDevice {
 public:
  PlatformWaveDevice() = default;
  PlatformWaveDevice(const PlatformWaveDevice&) = delete;
  PlatformWaveDevice& operator=(const PlatformWaveDevice&) = delete;
  ~PlatformWaveDevice() override;
  bool CreateEvent(std::string& errorText) override;
  void CloseEvent() override { event_.reset(); }
  bool WaitEvent(std::chrono::milliseconds timeout) override;
  unsigned Open(const WaveFormat& format) override;
  unsigned PrepareHeader(int index, void* data, std::uint32_t bytes) override;
  unsigned Queue(int index, std::uint32_t bytes) override;
  unsigned Start() override { return Calls::Start(device_); }
  unsigned Reset() override { return Calls::Reset(device_); }
  unsigned UnprepareHeader(int index) override { return Calls::Unprepare(device_, &headers_[index]); }
  unsigned Close() override;
  bool IsOpen() const override { return device_ != nullptr; }
  bool Prepared(int index) const override { return headers_[index].dwFlags & WHDR_PREPARED; }
  bool Done(int index) const override { return headers_[index].dwFlags & WHDR_DONE; }
  void MarkDone(int index) override { headers_[index].dwFlags |= WHDR_DONE; }
  std::uint32_t BytesRecorded(int index) const override { return Calls::Bytes(headers_[index]); }

 private:
  typename Calls::Handle device_ = nullptr;
  KernelHandle event_;
  WAVEHDR headers_[2] = {};
};

using WaveInDevice = PlatformWaveDevice<CaptureCalls>;
using WaveOutDevice = PlatformWaveDevice<OutputCalls>;

extern template class PlatformWaveDevice<CaptureCalls>;
extern template class PlatformWaveDevice<OutputCalls>;

}  // namespace velmora
