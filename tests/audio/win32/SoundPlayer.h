#pragma once
// Plays samples once through the default output, which the sound server
// loops back to the default input the program captures.
#include <string>
#include <vector>

#include "audio/win32/WaveDevices.h"

namespace velmora::testing {

class SoundPlayer {
 public:
  explicit SoundPlayer(std::vector<std::int16_t> samples) : samples_(std::move(samples)) {
    std::string error;
    if (!device_.CreateEvent(error)) return;
    // Just after another test's stream closed, a loaded sound server may
    // refuse a new one for a moment.
    for (int attempt = 0; attempt < 5 && device_.Open(WaveFormat{}) != kWaveOk; ++attempt) Sleep(1000);
    auto bytes = static_cast<std::uint32_t>(samples_.size() * 2);
    playing_ = device_.IsOpen() && device_.PrepareHeader(0, samples_.data(), bytes) == kWaveOk &&
               device_.Queue(0, bytes) == kWaveOk;
  }
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;
  ~SoundPlayer() {
    device_.Reset();
    device_.UnprepareHeader(0);
    device_.Close();
  }
  bool Playing() const { return playing_; }

 private:
  std::vector<std::int16_t> samples_;
  WaveOutDevice device_;
  bool playing_ = false;
};

}  // namespace velmora::testing
