#pragma once
// A document as the rich-text view holds it: its characters, each with its
// colour as the platform's colour value (red in the low byte, blue in the
// third). Paragraphs end with "\r", as the view gives them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

using ColourValue = std::uint32_t;

inline constexpr ColourValue kRed = 255;
inline constexpr ColourValue kBlue = 16711680;

struct ColouredText {
  std::string text;
  std::vector<ColourValue> colours;  // one per character of text
};

// The characters and colours of an RTF document as a rich-text view shows
// it: the colour table and "\cf" switches followed, tables of fonts and
// other destinations left out. It stands in for the view where there is none.
ColouredText RtfColouredText(std::string_view rtf);

// Whether the text is a rich-text document at all ("{\rtf" first): a view
// given anything else shows it as plain text, with no colours to read.
bool IsRtfDocument(std::string_view text);

}  // namespace velmora
