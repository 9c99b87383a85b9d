#pragma once
// The wave-audio devices of the platform: the default capture device (the
// wave mapper) and the default output device, each with two buffer headers
// and an unnamed auto-reset event the driver signals.
#include <windows.h>
#include <mmsystem.h>

#include "audio/WaveDevice.h"
#include "common/win32/Handles.h"

namespace velmora {

class WaveInDevice final : public WaveDevice {
 public:
  ~WaveInDevice() override;
  bool CreateEvent(std::string& errorText) override;
  void CloseEvent() override;
  bool WaitEvent(std::chrono::milliseconds timeout) override;
  unsigned Open(const WaveFormat& format) override;
  unsigned PrepareHeader(int index, void* data, std::uint32_t bytes) override;
  unsigned Queue(int index, std::uint32_t bytes) override;
  unsigned Start() override;
  unsigned Reset() override;
  unsigned UnprepareHeader(int index) override;
  unsigned Close() override;
  bool IsOpen() const override { return device_ != nullptr; }
  bool Prepared(int index) const override { return headers_[index].dwFlags & WHDR_PREPARED; }
  bool Done(int index) const override { return headers_[index].dwFlags & WHDR_DONE; }
  void MarkDone(int index) override { headers_[index].dwFlags |= WHDR_DONE; }
  std::uint32_t BytesRecorded(int index) const override { return headers_[index].dwBytesRecorded; }

 private:
  HWAVEIN device_ = nullptr;
  KernelHandle event_;
  WAVEHDR headers_[2] = {};
};

class WaveOutDevice final : public WaveDevice {
 public:
  ~WaveOutDevice() override;
  bool CreateEvent(std::string& errorText) override;
  void CloseEvent() override;
  bool WaitEvent(std::chrono::milliseconds timeout) override;
  unsigned Open(const WaveFormat& format) override;
  unsigned PrepareHeader(int index, void* data, std::uint32_t bytes) override;
  unsigned Queue(int index, std::uint32_t bytes) override;
  unsigned Start() override { return MMSYSERR_NOERROR; }
  unsigned Reset() override;
  unsigned UnprepareHeader(int index) override;
  unsigned Close() override;
  bool IsOpen() const override { return device_ != nullptr; }
  bool Prepared(int index) const override { return headers_[index].dwFlags & WHDR_PREPARED; }
  bool Done(int index) const override { return headers_[index].dwFlags & WHDR_DONE; }
  void MarkDone(int index) override { headers_[index].dwFlags |= WHDR_DONE; }
  std::uint32_t BytesRecorded(int index) const override { return headers_[index].dwBufferLength; }

 private:
  HWAVEOUT device_ = nullptr;
  KernelHandle event_;
  WAVEHDR headers_[2] = {};
};

}  // namespace velmora
