#include "common/ProgramVersion.h"

namespace velmora {

// The numbers come from the build (see common/CMakeLists.txt).
ProgramVersion CurrentVersion() { return {VELMORA_VERSION_MAJOR, VELMORA_VERSION_MINOR}; }

}  // namespace velmora
