#pragma once
#include <windows.h>

#include <string_view>

namespace velmora {

// The first top-level window of the class whose title contains the part, or nullptr.
HWND WindowFindByTitle(std::string_view className, std::string_view titlePart);

// Waits for an outside program to end; terminates it when the time runs
// out (false). True only when it ended with exit code 0.
bool ProcessWait(HANDLE process, double seconds);

// The folder of the running program, without a trailing separator.
std::string ProgramFolder();

}  // namespace velmora

namespace velmora {

// Places a window to the right of its owner when the screen has room, so
// the owner's displays stay in sight; else over the owner, inside the screen.
void PlaceBeside(HWND window, HWND owner);

}  // namespace velmora
