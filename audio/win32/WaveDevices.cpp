#include "audio/win32/WaveDevices.h"

#include "common/win32/SystemErrorText.h"

namespace velmora {

template <typename Handle, const WaveCalls<Handle>& kCalls>
PlatformWaveDevice<Handle, kCalls>::~PlatformWaveDevice() {
  if (!device_) return;
  kCalls.reset(device_);
  for (auto& h : headers_)
    if (h.dwFlags & WHDR_PREPARED) kCalls.unprepare(device_, &h, sizeof h);
  kCalls.close(device_);
}

template <typename Handle, const WaveCalls<Handle>& kCalls>
bool PlatformWaveDevice<Handle, kCalls>::CreateEvent(std::string& errorText) {
  // Unnamed, so no other program (or a second instance) can signal it.
  event_.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!event_) errorText = LastErrorText();
  return static_cast<bool>(event_);
}

template <typename Handle, const WaveCalls<Handle>& kCalls>
bool PlatformWaveDevice<Handle, kCalls>::WaitEvent(std::chrono::milliseconds timeout) {
  return event_ && WaitForSingleObject(event_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

template <typename Handle, const WaveCalls<Handle>& kCalls>
unsigned PlatformWaveDevice<Handle, kCalls>::Open(const WaveFormat& format) {
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = format.channels;
  f.nSamplesPerSec = format.samplesPerSecond;
  f.wBitsPerSample = format.bitsPerSample;
  f.nBlockAlign = format.BlockAlign();
  f.nAvgBytesPerSec = format.AverageBytesPerSecond();
  for (auto& h : headers_) h = WAVEHDR{};
  Handle device = nullptr;
  MMRESULT result =
      kCalls.open(&device, WAVE_MAPPER, &f, reinterpret_cast<DWORD_PTR>(event_.get()), 0, CALLBACK_EVENT);
  device_ = result == MMSYSERR_NOERROR ? device : nullptr;
  return result;
}

template <typename Handle, const WaveCalls<Handle>& kCalls>
unsigned PlatformWaveDevice<Handle, kCalls>::PrepareHeader(int index, void* data, std::uint32_t bytes) {
  WAVEHDR& h = headers_[index];
  h = WAVEHDR{};
  h.lpData = static_cast<LPSTR>(data);
  h.dwBufferLength = bytes;
  h.dwUser = static_cast<DWORD_PTR>(index);
  return kCalls.prepare(device_, &h, sizeof h);
}

template <typename Handle, const WaveCalls<Handle>& kCalls>
unsigned PlatformWaveDevice<Handle, kCalls>::Queue(int index, std::uint32_t bytes) {
  WAVEHDR& h = headers_[index];
  h.dwFlags = WHDR_PREPARED;
  h.dwBufferLength = bytes;
  h.dwBytesRecorded = 0;
  return kCalls.queue(device_, &h, sizeof h);
}

template <typename Handle, const WaveCalls<Handle>& kCalls>
unsigned PlatformWaveDevice<Handle, kCalls>::Close() {
  unsigned result = kCalls.close(device_);
  device_ = nullptr;
  for (auto& h : headers_) h = WAVEHDR{};
  return result;
}

template class PlatformWaveDevice<HWAVEIN, kCaptureCalls>;
template class PlatformWaveDevice<HWAVEOUT, kOutputCalls>;

}  // namespace velmora
