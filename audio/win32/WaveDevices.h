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
template <typename Handle>
struct WaveCalls {
  MMRESULT(WINAPI* open)(Handle*, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD);
  MMRESULT(WINAPI* prepare)(Handle, LPWAVEHDR, UINT);
  MMRESULT(WINAPI* queue)(Handle, LPWAVEHDR, UINT);
  MMRESULT(WINAPI* start)(Handle);
  MMRESULT(WINAPI* reset)(Handle);
  MMRESULT(WINAPI* unprepare)(Handle, LPWAVEHDR, UINT);
  MMRESULT(WINAPI* close)(Handle);
  DWORD WAVEHDR::*bytes;  // the bytes a done buffer holds
};

inline constexpr WaveCalls<HWAVEIN> kCaptureCalls{
    waveInOpen, waveInPrepareHeader, waveInAddBuffer, waveInStart, waveInReset, waveInUnprepareHeader,
    waveInClose, &WAVEHDR::dwBytesRecorded};
inline constexpr WaveCalls<HWAVEOUT> kOutputCalls{
    waveOutOpen, waveOutPrepareHeader, waveOutWrite,
    [](HWAVEOUT) -> MMRESULT { return MMSYSERR_NOERROR; },  // output starts with the first write
    waveOutReset, waveOutUnprepareHeader, waveOutClose, &WAVEHDR::dwBufferLength};

template <typename Handle, const WaveCalls<Handle>& kCalls>
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
  unsigned Start() override { return kCalls.start(device_); }
  unsigned Reset() override { return kCalls.reset(device_); }
  unsigned UnprepareHeader(int index) override {
    return kCalls.unprepare(device_, &headers_[index], sizeof(WAVEHDR));
  }
  unsigned Close() override;
  bool IsOpen() const override { return device_ != nullptr; }
  bool Prepared(int index) const override { return headers_[index].dwFlags & WHDR_PREPARED; }
  bool Done(int index) const override { return headers_[index].dwFlags & WHDR_DONE; }
  void MarkDone(int index) override { headers_[index].dwFlags |= WHDR_DONE; }
  std::uint32_t BytesRecorded(int index) const override { return headers_[index].*kCalls.bytes; }

 private:
  Handle device_ = nullptr;
  KernelHandle event_;
  WAVEHDR headers_[2] = {};
};

using WaveInDevice = PlatformWaveDevice<HWAVEIN, kCaptureCalls>;
using WaveOutDevice = PlatformWaveDevice<HWAVEOUT, kOutputCalls>;

extern template class PlatformWaveDevice<HWAVEIN, kCaptureCalls>;
extern template class PlatformWaveDevice<HWAVEOUT, kOutputCalls>;

}  // namespace velmora
