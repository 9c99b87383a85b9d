#pragma once
// Follows AirMail's debug log from the moment a call is made: each check
// reads only the lines appended since the last one, so it costs what was
// appended, not the size of the log.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "airmail/AutomationSeams.h"
#include "airmail/SharedReadFile.h"
#include "airmail/TerminalStatus.h"
#include "common/Messages.h"

namespace velmora {

std::filesystem::path DebugLogPath(std::string_view dataFolder);

class DebugLogMonitor {
 public:
  DebugLogMonitor(Messenger& messenger, OwnWindowActivator& ownWindow) : messenger_(messenger), ownWindow_(ownWindow) {}

  // At the call: older lines are never examined; the status is Calling.
  bool TerminalConnectCheckFileInitialize(std::string_view dataFolder);
  // The status after the complete lines appended since the last check. A
  // last line without its line end yet is read again, whole, next time;
  // after two checks in which it did not grow it counts as complete. A log
  // that cannot be read gives Error after its message: the call's result
  // cannot be learnt, and a run waiting on would show the message again
  // every few seconds for ever.
  TerminalStatus TerminalConnectCheckFile(std::string_view dataFolder);

  std::uint64_t ReadPosition() const { return position_; }
  TerminalStatus Status() const { return status_; }

 private:
  void Report(const std::string& text);

  Messenger& messenger_;
  OwnWindowActivator& ownWindow_;
  std::uint64_t position_ = 0;
  std::optional<FileIdentity> log_;  // the file read last, to know a new log in its place
  std::optional<std::string> mark_;  // its bytes just before the read position
  std::uint64_t tailEnd_ = 0;  // the log's length when a last line without its end was seen
  int stillChecks_ = 0;        // checks since, in which that line did not grow
  TerminalStatus status_ = TerminalStatus::Calling;
};

}  // namespace velmora
