#include "audio/win32/WaveDevices.h"

#include "common/win32/SystemErrorText.h"

namespace velmora {

template <typename Calls>
PlatformWaveDevice<Calls>::~PlatformWaveDevice() {
  if (!device_) return;
  Calls::Reset(device_);
  for (auto& h : headers_)
    if (h.dwFlags & WHDR_PREPARED) Calls::Unprepare(device_, &h);
  Calls::Close(device_);
}

template <typename Calls>
bool PlatformWaveDevice<Calls>::CreateEvent(std::string& errorText) {
  // Unnamed, so no other program (or a second instance) can signal it.
  event_.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!event_) errorText = LastErrorText();
  return static_cast<bool>(event_);
}

template <typename Calls>
bool PlatformWaveDevice<Calls>::WaitEvent(std::chrono::milliseconds timeout) {
  return event_ && WaitForSingleObject(event_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

template <typename Calls>
unsigned PlatformWaveDevice<Calls>::Open(const WaveFormat& format) {
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = format.channels;
  f.nSamplesPerSec = format.samplesPerSecond;
  f.wBitsPerSample = format.bitsPerSample;
  f.nBlockAlign = format.BlockAlign();
  f.nAvgBytesPerSec = format.AverageBytesPerSecond();
  for (auto& h : headers_) h = WAVEHDR{};
  typename Calls::Handle device = nullptr;
  MMRESULT result = Calls::Open(&device, &f, event_.get());
  device_ = result == MMSYSERR_NOERROR ? device : nullptr;
  return result;
}

template <typename Calls>
unsigned PlatformWaveDevice<Calls>::PrepareHeader(int index, void* data, std::uint32_t bytes) {
  WAVEHDR& h = headers_[index];
  h = WAVEHDR{};
  h.lpData = static_cast<LPSTR>(data);
  h.dwBufferLength = bytes;
  h.dwUser = static_cast<DWORD_PTR>(index);
  return Calls::Prepare(device_, &h);
}

template <typename Calls>
unsigned PlatformWaveDevice<Calls>::Queue(int index, std::uint32_t bytes) {
  WAVEHDR& h = headers_[index];
  h.dwFlags = WHDR_PREPARED;
  h.dwBufferLength = bytes;
  h.dwBytesRecorded = 0;
  return Calls::Queue(device_, &h);
}

template <typename Calls>
unsigned PlatformWaveDevice<Calls>::Close() {
  unsigned result = Calls::Close(device_);
  device_ = nullptr;
  for (auto& h : headers_) h = WAVEHDR{};
  return result;
}

template class PlatformWaveDevice<CaptureCalls>;
template class PlatformWaveDevice<OutputCalls>;

}  // namespace velmora
