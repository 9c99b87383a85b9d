#include "common/AccessKeys.h"

namespace velmora {

std::string CaptionText(std::string_view caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

}  // namespace velmora
