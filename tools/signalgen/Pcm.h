#pragma once
// The test signals as recordings the program plays.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace velmora::signalgen {

// Recordings: headerless mono PCM at 11025 Hz, 16-bit signed little-endian
// or 8-bit unsigned (128 = zero); clipped, rounded to the nearest step.
std::vector<std::int16_t> ToPcm16(std::span<const float> samples);
std::string EncodeBin16(std::span<const std::int16_t> samples);
std::string EncodeBin8(std::span<const std::int16_t> samples);
bool WriteRecording(const std::filesystem::path& file, std::span<const float> samples, bool eightBit,
                    std::error_code& error);

}  // namespace velmora::signalgen
