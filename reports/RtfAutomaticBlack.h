#pragma once
// "FreqList.rtf" made fit for a white page: its text in the automatic colour
// (after "\cf0", "\plain", or before any colour switch) given a black entry
// added to the colour table instead. A rich-text view draws automatic text
// in the system's window text colour, white under a dark scheme; the colours
// read back are the same either way (automatic reads as black).
#include <string>
#include <string_view>

namespace velmora {

std::string RtfAutomaticMadeBlack(std::string_view rtf);

}  // namespace velmora
