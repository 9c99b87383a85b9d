#pragma once
#include <windows.h>

#include "common/Messages.h"

namespace velmora {

// The operating system's recording and playback level controls.
void ShowSoundInput(HWND owner, Messenger& messages);
void ShowSoundOutput(HWND owner, Messenger& messages);

}  // namespace velmora
