#pragma once
// The class of one of the program's windows: the program's icon (the
// system's for the tool windows, as they always had), the arrow pointer and
// the dialog colour behind its controls, registered the first time a window
// of it is made.
#include <windows.h>

namespace velmora {

void WindowClassRegister(const char* className, WNDPROC proc, UINT style = 0, bool programIcon = true);

}  // namespace velmora
