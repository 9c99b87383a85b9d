#include "airmail/DebugLogMonitor.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "airmail/AirmailProfile.h"
#include "airmail/SharedReadFile.h"
#include "airmail/TerminalText.h"
#include "common/SystemLib.h"

namespace velmora {
namespace {

constexpr size_t kChunk = 64 * 1024;
// A last line that has not grown for this many checks is complete: AirMail
// may never end its last line, and a final "Disconnected from" must count.
constexpr int kStillChecksForALine = 2;
// AirMail moves its log aside and begins a new one, or holds it for the
// moment of a write: a log not opened is tried again for a quarter second
// before it counts as gone.
constexpr int kLogOpenAttempts = 10;
constexpr auto kLogOpenPause = std::chrono::milliseconds(25);

bool OpenDebugLog(SharedReadFile& file, std::string_view dataFolder, std::error_code& error) {
  for (int attempt = 1;; ++attempt) {
    if (file.Open(DebugLogPath(dataFolder), error)) return true;
    if (attempt == kLogOpenAttempts) return false;
    std::this_thread::sleep_for(kLogOpenPause);
  }
}

// The bytes just before the read position, kept to know the log emptied
// and written again past it between two checks.
constexpr std::uint64_t kLogMarkBytes = 32;

std::optional<std::string> LogMark(const SharedReadFile& file, std::uint64_t position) {
  const std::uint64_t from = position - std::min(position, kLogMarkBytes);
  std::string mark(static_cast<size_t>(position - from), '\0');
  std::error_code error;
  auto got = file.ReadAt(from, std::span<char>(mark.data(), mark.size()), error);
  if (!got) return std::nullopt;
  mark.resize(*got);
  return mark;
}

std::string DataFolderHint(std::string_view dataFolder, Messenger& messenger) {
  return AirmailErrorDataMessage(AirmailDataFolder(std::string(dataFolder), messenger));
}

std::string ReadFailureText(const std::error_code& error) {
  return "TerminalConnectCheckFile, Unable to Read AirMail \"Logfiles/Debug.log\" data.\r" + ErrorText(error);
}

// Splits appended bytes into lines (ended by CR, LF or CR LF) and keeps a
// line that runs across two reads until its end is seen.
class LineCollector {
 public:
  explicit LineCollector(TerminalStatus status) : status_(status) {}

  // The bytes of one read, starting at that offset of the file.
  void Take(std::uint64_t offset, std::string_view bytes) {
    size_t start = 0;
    while (start < bytes.size()) {
      size_t end = bytes.find_first_of("\r\n", start);
      if (end == std::string_view::npos) {
        partial_.append(bytes.substr(start));
        return;
      }
      std::string_view piece = bytes.substr(start, end - start);
      if (partial_.empty()) {
        Line(piece);
      } else {
        partial_.append(piece);
        Line(partial_);
        partial_.clear();
      }
      start = end + 1;
      consumed_ = offset + start;
    }
  }

  // The line still without its end counts as complete.
  void Finish() {
    if (!partial_.empty()) Line(partial_);
    partial_.clear();
  }

  // The offset just past the last line end seen, or from when none was.
  std::uint64_t Consumed(std::uint64_t from) const { return std::max(consumed_, from); }
  TerminalStatus Status() const { return status_; }

 private:
  void Line(std::string_view line) { status_ = DebugLogLineStatus(line, status_); }

  TerminalStatus status_;
  std::string partial_;
  std::uint64_t consumed_ = 0;
};

}  // namespace

std::filesystem::path DebugLogPath(std::string_view dataFolder) { return JoinPath(dataFolder, "Logfiles\\Debug.log"); }

void DebugLogMonitor::Report(const std::string& text) {
  ownWindow_.WindowActivate();
  messenger_.Show(text);
}

bool DebugLogMonitor::TerminalConnectCheckFileInitialize(std::string_view dataFolder) {
  // Whatever the last call came to is no answer to this one, even when
  // this call cannot be followed.
  status_ = TerminalStatus::Calling;
  std::error_code error;
  SharedReadFile file;
  std::optional<std::uint64_t> length;
  if (OpenDebugLog(file, dataFolder, error)) length = file.Length(error);
  if (!length) {
    Report("TerminalConnectCheckFileInitialize, Unable to Find AirMail \"\\Logfiles\\Debug.log\" data." +
           DataFolderHint(dataFolder, messenger_) + "\r" + ErrorText(error));
    return false;
  }
  position_ = *length;
  log_ = file.Identity();
  mark_ = LogMark(file, position_);
  tailEnd_ = 0;
  stillChecks_ = 0;
  return true;
}

TerminalStatus DebugLogMonitor::TerminalConnectCheckFile(std::string_view dataFolder) {
  std::error_code error;
  SharedReadFile file;
  if (!OpenDebugLog(file, dataFolder, error)) {
    Report("TerminalConnectCheckFile, Unable to Open AirMail \"Logfiles/Debug.log\" data." +
           DataFolderHint(dataFolder, messenger_) + "\r" + ErrorText(error));
    return TerminalStatus::Error;
  }
  auto length = file.Length(error);
  if (!length) {
    Report(ReadFailureText(error));
    return TerminalStatus::Error;
  }
  // A log shorter than what was read, or another file in its place (the old
  // one moved aside), is a new log: read it from its start.
  auto identity = file.Identity();
  if (*length < position_ || (identity && log_ && *identity != *log_)) position_ = 0;
  // Emptied in place and written past the old end since the last check.
  if (auto mark = LogMark(file, position_); position_ > 0 && mark && mark_ && *mark != *mark_) position_ = 0;
  log_ = identity;
  if (*length == position_) return status_;

  LineCollector lines(status_);
  std::vector<char> buffer(static_cast<size_t>(std::min<std::uint64_t>(kChunk, *length - position_)));
  for (std::uint64_t offset = position_; offset < *length;) {
    size_t want = static_cast<size_t>(std::min<std::uint64_t>(buffer.size(), *length - offset));
    auto got = file.ReadAt(offset, std::span<char>(buffer.data(), want), error);
    if (!got) {
      status_ = lines.Status();
      Report(ReadFailureText(error));
      return TerminalStatus::Error;
    }
    if (*got == 0) break;  // cut shorter while being read
    lines.Take(offset, std::string_view(buffer.data(), *got));
    offset += *got;
  }
  position_ = lines.Consumed(position_);
  if (position_ < *length) {
    stillChecks_ = *length == tailEnd_ ? stillChecks_ + 1 : 0;
    tailEnd_ = *length;
    if (stillChecks_ >= kStillChecksForALine) {
      lines.Finish();
      position_ = *length;
    }
  }
  status_ = lines.Status();
  mark_ = LogMark(file, position_);
  return status_;
}

}  // namespace velmora
