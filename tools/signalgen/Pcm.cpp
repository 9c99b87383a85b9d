#include "tools/signalgen/Pcm.h"

#include <algorithm>
#include <cmath>

#include "common/AtomicFile.h"

namespace velmora::signalgen {

std::vector<std::int16_t> ToPcm16(std::span<const float> samples) {
  std::vector<std::int16_t> pcm(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i)
    pcm[i] = static_cast<std::int16_t>(std::lround(std::clamp(static_cast<double>(samples[i]), -32768.0, 32767.0)));
  return pcm;
}

std::string EncodeBin16(std::span<const std::int16_t> samples) {
  std::string bytes;
  bytes.reserve(samples.size() * 2);
  for (std::int16_t s : samples) {
    const auto u = static_cast<std::uint16_t>(s);
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
}

std::string EncodeBin8(std::span<const std::int16_t> samples) {
  std::string bytes;
  bytes.reserve(samples.size());
  for (std::int16_t s : samples) {
    const long value = std::clamp(std::lround(s / 256.0) + 128, 0L, 255L);
    bytes.push_back(static_cast<char>(static_cast<unsigned char>(value)));
  }
  return bytes;
}

bool WriteRecording(const std::filesystem::path& file, std::span<const float> samples, bool eightBit,
                    std::error_code& error) {
  const auto pcm = ToPcm16(samples);
  return WriteFileAtomically(file, eightBit ? EncodeBin8(pcm) : EncodeBin16(pcm), error);
}

}  // namespace velmora::signalgen
