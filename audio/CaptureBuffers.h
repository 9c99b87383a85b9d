#pragma once
// The two capture buffers, sized once for the largest sample size (plus one
// spare entry each); a smaller sample size uses the front of each.
#include <array>
#include <cstdint>
#include <vector>

#include "common/SampleFormat.h"

namespace velmora {


struct CaptureBuffers {
  CaptureBuffers() {
    for (auto& b : samples16) b.assign(kSampleSizeMax + 1, 0);
    for (auto& b : samples8) b.assign(kSampleSizeMax + 1, 128);
  }
  std::array<std::vector<std::int16_t>, 2> samples16;
  std::array<std::vector<std::uint8_t>, 2> samples8;

  void* Data(int index, bool use16Bit) {
    return use16Bit ? static_cast<void*>(samples16[index].data()) : static_cast<void*>(samples8[index].data());
  }
};

}  // namespace velmora
