#pragma once
// A run started from the command line, with nobody at the laptop: the
// program exits when the run ends, and its exit code tells the scheduler
// how it went.
#include <chrono>
#include <optional>
#include <string_view>

#include "autoconnect/RunObserver.h"

namespace velmora {

enum class UnattendedExit : int {
  Done = 0,        // the run ended with "Done": a link was made
  Stopped = 1,     // the run ended otherwise
  NotStarted = 2,  // no run could begin (nothing to call, AirMail not reached)
};

UnattendedExit UnattendedExitFor(std::string_view endText, bool began);

// How long a message box of an unattended run waits for an answer: 60
// seconds, or fewer for a test that says so (a whole number from 1 to 59;
// anything else, or nothing, leaves the 60).
inline constexpr std::chrono::seconds kUnattendedMessageWait{60};
std::chrono::seconds UnattendedMessageWait(const char* testSeconds);

class UnattendedRun final : public RunObserver {
 public:
  void RunEnded(std::string_view endText, bool began) override { exit_ = UnattendedExitFor(endText, began); }
  // Start could not be pressed at all (the table could not be built).
  void StartRefused() { exit_ = UnattendedExit::NotStarted; }
  // Set once the run is over.
  std::optional<UnattendedExit> Exit() const { return exit_; }

 private:
  std::optional<UnattendedExit> exit_;
};

}  // namespace velmora
