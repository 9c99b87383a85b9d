#pragma once
#include "common/Messages.h"

namespace velmora {

// The operating system's recording and playback level controls.
void ShowSoundInput(Messenger& messages);
void ShowSoundOutput(Messenger& messages);

}  // namespace velmora
