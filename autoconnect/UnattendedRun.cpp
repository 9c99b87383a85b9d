#include "autoconnect/UnattendedRun.h"

#include "common/TextParse.h"

namespace velmora {

UnattendedExit UnattendedExitFor(std::string_view endText, bool began) {
  if (!began) return UnattendedExit::NotStarted;
  return endText == "Done" ? UnattendedExit::Done : UnattendedExit::Stopped;
}

std::chrono::seconds UnattendedMessageWait(const char* testSeconds) {
  if (!testSeconds) return kUnattendedMessageWait;
  auto seconds = ParseInteger(testSeconds);
  if (!seconds || *seconds < 1 || *seconds >= kUnattendedMessageWait.count()) return kUnattendedMessageWait;
  return std::chrono::seconds(*seconds);
}

}  // namespace velmora
