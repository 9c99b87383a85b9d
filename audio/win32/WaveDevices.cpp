#include "audio/win32/WaveDevices.h"

#include "common/win32/SystemErrorText.h"

namespace velmora {
namespace {

WAVEFORMATEX Format(const WaveFormat& f) {
  WAVEFORMATEX w{};
  w.wFormatTag = WAVE_FORMAT_PCM;
  w.nChannels = f.channels;
  w.nSamplesPerSec = f.samplesPerSecond;
  w.wBitsPerSample = f.bitsPerSample;
  w.nBlockAlign = f.BlockAlign();
  w.nAvgBytesPerSec = f.AverageBytesPerSecond();
  w.cbSize = 0;
  return w;
}

// Unnamed, so no other program (or a second instance) can signal it.
bool MakeEvent(KernelHandle& event, std::string& errorText) {
  event.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!event) errorText = LastErrorText();
  return static_cast<bool>(event);
}

bool Wait(const KernelHandle& event, std::chrono::milliseconds timeout) {
  return event && WaitForSingleObject(event.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

}  // namespace

WaveInDevice::~WaveInDevice() {
  if (device_) {
    waveInReset(device_);
    for (auto& h : headers_)
      if (h.dwFlags & WHDR_PREPARED) waveInUnprepareHeader(device_, &h, sizeof h);
    waveInClose(device_);
  }
}

bool WaveInDevice::CreateEvent(std::string& errorText) { return MakeEvent(event_, errorText); }
void WaveInDevice::CloseEvent() { event_.reset(); }
bool WaveInDevice::WaitEvent(std::chrono::milliseconds timeout) { return Wait(event_, timeout); }

unsigned WaveInDevice::Open(const WaveFormat& format) {
  WAVEFORMATEX f = Format(format);
  for (auto& h : headers_) h = WAVEHDR{};
  HWAVEIN device = nullptr;
  MMRESULT result = waveInOpen(&device, WAVE_MAPPER, &f, reinterpret_cast<DWORD_PTR>(event_.get()), 0, CALLBACK_EVENT);
  device_ = result == MMSYSERR_NOERROR ? device : nullptr;
  return result;
}

unsigned WaveInDevice::PrepareHeader(int index, void* data, std::uint32_t bytes) {
  WAVEHDR& h = headers_[index];
  h = WAVEHDR{};
  h.lpData = static_cast<LPSTR>(data);
  h.dwBufferLength = bytes;
  h.dwUser = static_cast<DWORD_PTR>(index);
  return waveInPrepareHeader(device_, &h, sizeof h);
}

unsigned WaveInDevice::Queue(int index, std::uint32_t bytes) {
  WAVEHDR& h = headers_[index];
  h.dwFlags = WHDR_PREPARED;
  h.dwBufferLength = bytes;
  h.dwBytesRecorded = 0;
  return waveInAddBuffer(device_, &h, sizeof h);
}

unsigned WaveInDevice::Start() { return waveInStart(device_); }
unsigned WaveInDevice::Reset() { return waveInReset(device_); }

unsigned WaveInDevice::UnprepareHeader(int index) {
  return waveInUnprepareHeader(device_, &headers_[index], sizeof headers_[index]);
}

unsigned WaveInDevice::Close() {
  unsigned result = waveInClose(device_);
  device_ = nullptr;
  for (auto& h : headers_) h = WAVEHDR{};
  return result;
}

WaveOutDevice::~WaveOutDevice() {
  if (device_) {
    waveOutReset(device_);
    for (auto& h : headers_)
      if (h.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device_, &h, sizeof h);
    waveOutClose(device_);
  }
}

bool WaveOutDevice::CreateEvent(std::string& errorText) { return MakeEvent(event_, errorText); }
void WaveOutDevice::CloseEvent() { event_.reset(); }
bool WaveOutDevice::WaitEvent(std::chrono::milliseconds timeout) { return Wait(event_, timeout); }

unsigned WaveOutDevice::Open(const WaveFormat& format) {
  WAVEFORMATEX f = Format(format);
  for (auto& h : headers_) h = WAVEHDR{};
  HWAVEOUT device = nullptr;
  MMRESULT result = waveOutOpen(&device, WAVE_MAPPER, &f, reinterpret_cast<DWORD_PTR>(event_.get()), 0, CALLBACK_EVENT);
  device_ = result == MMSYSERR_NOERROR ? device : nullptr;
  return result;
}

unsigned WaveOutDevice::PrepareHeader(int index, void* data, std::uint32_t bytes) {
  WAVEHDR& h = headers_[index];
  h = WAVEHDR{};
  h.lpData = static_cast<LPSTR>(data);
  h.dwBufferLength = bytes;
  h.dwUser = static_cast<DWORD_PTR>(index);
  return waveOutPrepareHeader(device_, &h, sizeof h);
}

unsigned WaveOutDevice::Queue(int index, std::uint32_t bytes) {
  WAVEHDR& h = headers_[index];
  h.dwFlags = WHDR_PREPARED;
  h.dwBufferLength = bytes;
  return waveOutWrite(device_, &h, sizeof h);
}

unsigned WaveOutDevice::Reset() { return waveOutReset(device_); }

unsigned WaveOutDevice::UnprepareHeader(int index) {
  return waveOutUnprepareHeader(device_, &headers_[index], sizeof headers_[index]);
}

unsigned WaveOutDevice::Close() {
  unsigned result = waveOutClose(device_);
  device_ = nullptr;
  for (auto& h : headers_) h = WAVEHDR{};
  return result;
}

}  // namespace velmora
