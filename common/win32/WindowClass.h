#pragma once
// The class of one of the program's top-level windows: the program's icon,
// the arrow pointer and the dialog colour behind its controls, registered
// the first time a window of it is made.
#include <windows.h>

namespace velmora {

void WindowClassRegister(const char* className, WNDPROC proc, UINT style = 0);

}  // namespace velmora
