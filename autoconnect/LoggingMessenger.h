#pragma once
// Messages of an unattended run kept in "Velmora.log" beside the program,
// one line each with the UTC time, written before the box is shown: a box
// that nobody answers still leaves its text behind.
#include <filesystem>
#include <string>
#include <string_view>

#include "autoconnect/RunClock.h"
#include "common/Messages.h"
#include "common/RecordFile.h"

namespace velmora {

std::filesystem::path MessageLogPath(const std::filesystem::path& programFolder);

// "yyyy-mm-dd hh:mm:ss" and the text, which line breaks and commas would
// spread over lines and fields: they become blanks and " -".
Record MessageLogRecord(const UtcDateTime& time, std::string_view text);

class LoggingMessenger final : public Messenger, public MessageNote {
 public:
  LoggingMessenger(Messenger& inner, std::filesystem::path file, RunClock& clock)
      : inner_(inner), file_(std::move(file)), clock_(clock) {}

  void Show(std::string_view text, MessageIcon icon, std::string_view title) override;
  bool AskYesNo(std::string_view text, MessageIcon icon, std::string_view title) override;
  void Note(std::string_view text) override { Append(text); }
  // A box of this messenger is up (its own message loop runs the window events).
  bool Showing() const { return showing_ > 0; }
  const std::filesystem::path& File() const { return file_; }
  // A line could not be added to the log (a full disk, a read-only folder).
  bool Failed() const { return failed_; }

 private:
  void Append(std::string_view text);

  Messenger& inner_;
  std::filesystem::path file_;
  RunClock& clock_;
  int showing_ = 0;
  bool failed_ = false;
};

}  // namespace velmora
