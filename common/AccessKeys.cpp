#include "common/AccessKeys.h"

#include "common/TextParse.h"

namespace velmora {

std::string CaptionText(std::string_view caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

char AccessKey(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return AsciiUpper(caption[i + 1]);
    ++i;
  }
  return 0;
}

}  // namespace velmora
