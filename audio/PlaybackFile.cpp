#include "audio/PlaybackFile.h"

#include <cerrno>

#include "common/CFile.h"

namespace velmora {

bool PlaybackFile::Open(const std::filesystem::path& file, std::error_code& error) {
  Close();
  error.clear();
  errno = 0;
  file_ = CFileOpen(file, "rb");
  if (!file_) {
    error = LastCError();
    return false;
  }
  path_ = file;
  buffers_ = 0;
  return true;
}

void PlaybackFile::Close() {
  file_.reset();
  buffers_ = 0;
}

PlaybackFile::ReadResult PlaybackFile::ReadBytes(void* out, size_t sampleBytes, size_t count,
                                                 std::error_code& error) {
  error.clear();
  if (!file_) return ReadResult::kError;
  auto readOnce = [&]() { return std::fread(out, sampleBytes, count, file_.get()); };
  size_t got = readOnce();
  if (std::ferror(file_.get())) {
    error = LastCError();
    return ReadResult::kError;
  }
  if (got == count) {
    ++buffers_;
    return ReadResult::kBuffer;
  }
  if (buffers_ == 0) return ReadResult::kTooShort;
  std::rewind(file_.get());
  buffers_ = 0;
  got = readOnce();
  if (got != count) return ReadResult::kTooShort;
  buffers_ = 1;
  return ReadResult::kRewound;
}

PlaybackFile::ReadResult PlaybackFile::Read(std::span<std::int16_t> out16, std::error_code& error) {
  return ReadBytes(out16.data(), sizeof(std::int16_t), out16.size(), error);
}

PlaybackFile::ReadResult PlaybackFile::Read(std::span<std::uint8_t> out8, std::error_code& error) {
  return ReadBytes(out8.data(), 1, out8.size(), error);
}

}  // namespace velmora
