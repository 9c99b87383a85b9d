#include "audio/Recorder.h"

#include <cerrno>
#include <ctime>
#include <utility>

#include "common/CFile.h"
#include "common/CalendarTime.h"
#include "common/DiskFile.h"
#include "common/Format.h"

namespace velmora {

LocalTime LocalNow() {
  const std::tm tm = LocalCalendarTime(std::time(nullptr));
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::filesystem::path RecordingName(const std::filesystem::path& folder, const LocalTime& t) {
  std::string stem = std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) + " " +
                     TwoDigits(t.hour) + TwoDigits(t.minute) + TwoDigits(t.second);
  std::filesystem::path name = folder / (stem + ".bin");
  std::error_code ignored;
  for (int n = 2; std::filesystem::exists(name, ignored); ++n)
    name = folder / (stem + " " + std::to_string(n) + ".bin");
  return name;
}

bool Recorder::Open(const std::filesystem::path& dataFolder, const LocalTime& time, std::error_code& error) {
  Close();
  error.clear();
  std::error_code ignored;
  std::filesystem::create_directories(dataFolder, ignored);
  path_ = RecordingName(dataFolder, time);
  wide_.reset();
  wholeBytes_ = 0;
  failed_ = false;
  errno = 0;
  // "wb" starts the file empty: a shorter recording never keeps an older tail.
  file_ = CFileOpen(path_, "wb");
  if (!file_) {
    error = LastCError();
    return false;
  }
  return true;
}

namespace {

// A C library may cut a write short on a full disk without saying why
// (Wine's says "Invalid argument"): the disk's free space tells it.
std::error_code RecordWriteError(const std::filesystem::path& file, size_t bytes) {
  std::error_code error = LastCError();
  const auto available = DiskSpaceAvailable(file.parent_path());
  if (available && *available < bytes) return std::make_error_code(std::errc::no_space_on_device);
  return error;
}

}  // namespace

bool Recorder::WriteBytes(const void* data, size_t bytes, std::error_code& error) {
  error.clear();
  if (!file_) return false;
  errno = 0;
  if (std::fwrite(data, 1, bytes, file_.get()) != bytes || std::fflush(file_.get()) != 0) {
    error = RecordWriteError(path_, bytes);
    failed_ = true;
    return false;
  }
  wholeBytes_ += bytes;
  return true;
}

bool Recorder::Write(std::span<const std::int16_t> samples16, std::error_code& error) {
  // Little-endian 16-bit samples, as the capture delivers them on this platform.
  wide_ = true;
  return WriteBytes(samples16.data(), samples16.size_bytes(), error);
}

bool Recorder::Write(std::span<const std::uint8_t> samples8, std::error_code& error) {
  wide_ = false;
  return WriteBytes(samples8.data(), samples8.size_bytes(), error);
}

void Recorder::Close() {
  // Closed first: the close writes out what the failed write left buffered.
  file_.reset();
  std::error_code ignored;
  if (std::exchange(failed_, false)) std::filesystem::resize_file(path_, wholeBytes_, ignored);
}

}  // namespace velmora
