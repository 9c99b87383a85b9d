#pragma once
// Access keys in captions: "&File" underlines the F and Alt+F chooses it,
// "&&" shows one "&". Captions that are compared or written elsewhere (a
// menu found by its caption, a text kept in a file) go without the marks.
#include <string>
#include <string_view>

namespace velmora {

// The caption as shown: the marks taken out, "&&" as one "&".
std::string CaptionText(std::string_view caption);

}  // namespace velmora
