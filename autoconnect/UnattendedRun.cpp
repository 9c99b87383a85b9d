#include "autoconnect/UnattendedRun.h"

namespace velmora {

UnattendedExit UnattendedExitFor(std::string_view endText, bool began) {
  if (!began) return UnattendedExit::NotStarted;
  return endText == "Done" ? UnattendedExit::Done : UnattendedExit::Stopped;
}

}  // namespace velmora
