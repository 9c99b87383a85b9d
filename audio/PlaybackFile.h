#pragma once
// A recording played back buffer by buffer in an endless loop. The file has
// no header: it is read in the sample width chosen now, whatever width it
// was recorded in.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <system_error>

#include "common/CFile.h"

namespace velmora {

class PlaybackFile {
 public:
  enum class ReadResult { kBuffer, kRewound, kTooShort, kError };

  bool Open(const std::filesystem::path& file, std::error_code& error);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  const std::filesystem::path& File() const { return path_; }

  // Buffers read since the file was opened or last rewound.
  std::int32_t Buffers() const { return buffers_; }

  // Reads one full buffer of out.size() samples (16-bit, or 8-bit with
  // out8). At the end of the file it starts again from the beginning
  // (kRewound: continuity is broken) when at least one full buffer came
  // before; a file that cannot give one full buffer gives kTooShort. A
  // trailing partial sample or buffer is never read.
  ReadResult Read(std::span<std::int16_t> out16, std::error_code& error);
  ReadResult Read(std::span<std::uint8_t> out8, std::error_code& error);

 private:
  ReadResult ReadBytes(void* out, size_t sampleBytes, size_t count, std::error_code& error);
  CFile file_;
  std::filesystem::path path_;
  std::int32_t buffers_ = 0;
};

}  // namespace velmora
