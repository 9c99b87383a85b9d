#pragma once
// A RichEdit control as the colour-run scan reads it: RTF put in through
// the control's own reader, and its characters with their colours read back.
#include <windows.h>

#include <string_view>

#include "reports/ColouredText.h"

namespace velmora {

// The control's class name once its library is loaded ("RichEdit20A").
const char* RichEditClass();

// Replaces the control's contents with the RTF document; false when the
// control took none of it.
bool RichEditLoadRtf(HWND edit, std::string_view rtf);

// The characters as the control counts them, each with its colour
// ("automatic" reads as black).
ColouredText RichEditColouredText(HWND edit);

}  // namespace velmora
