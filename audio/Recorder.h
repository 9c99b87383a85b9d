#pragma once
// Recordings: headerless PCM files in the "Data" folder, named by the local
// date and time they were started, written buffer by buffer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <system_error>

#include "common/CFile.h"

namespace velmora {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
LocalTime LocalNow();

// "yyyy-mm-dd hhmmss.bin" in the folder; when that name is taken,
// "yyyy-mm-dd hhmmss 2.bin", " 3", ... so no recording replaces another.
std::filesystem::path RecordingName(const std::filesystem::path& folder, const LocalTime& time);

class Recorder {
 public:
  bool Recording() const { return file_ != nullptr; }
  const std::filesystem::path& File() const { return path_; }
  // Whether the file holds 16-bit samples; nothing before the first write.
  std::optional<bool> Wide() const { return wide_; }
  // Not one buffer reached the file whole.
  bool Empty() const { return wholeBytes_ == 0; }

  // Creates the folder if missing and a new, empty file.
  bool Open(const std::filesystem::path& dataFolder, const LocalTime& time, std::error_code& error);
  // The first count samples of the buffer in the capture width.
  bool Write(std::span<const std::int16_t> samples16, std::error_code& error);
  bool Write(std::span<const std::uint8_t> samples8, std::error_code& error);
  // A buffer whose write failed (a full disk) is cut off again: the file
  // ends with the last whole one.
  void Close();

 private:
  bool WriteBytes(const void* data, size_t bytes, std::error_code& error);
  CFile file_;
  std::filesystem::path path_;
  std::optional<bool> wide_;
  std::uintmax_t wholeBytes_ = 0;
  bool failed_ = false;
};

}  // namespace velmora
