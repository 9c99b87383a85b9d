#pragma once
// Starting an outside program from its command line.
#include <windows.h>

#include <string>

#include "common/win32/Handles.h"

namespace velmora {

struct ProcessStartOptions {
  const char* program = nullptr;  // the file to run; none: the command line's first word
  const char* folder = nullptr;   // its working folder; none: ours
  WORD show = SW_SHOWNORMAL;      // how its window shows
  DWORD flags = 0;                // CreateProcess's creation flags
};

// The started process, or an empty handle with the reason in GetLastError.
KernelHandle ProcessStart(std::string commandLine, const ProcessStartOptions& options = {});

}  // namespace velmora
