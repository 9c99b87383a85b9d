#pragma once
// The main window's caption: the program's title, " - Recording" while
// recording, then the range suffix (" - Quarter", " - Zoomed").
#include <cstdint>
#include <string>

namespace velmora {

std::string MainCaption(bool recording, std::int16_t fftRange);

}  // namespace velmora
