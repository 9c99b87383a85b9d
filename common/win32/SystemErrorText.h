#pragma once
#include <string>

namespace velmora {

// The platform's message for a system error code (trailing line break
// removed), or "Error Code " followed by the code when it has none.
std::string SystemErrorText(unsigned long code);

// The text for the calling thread's last error.
std::string LastErrorText();

}  // namespace velmora
